// libFuzzer target: the document reader on arbitrary bytes. Aborts when the
// document text differs from the plain text, or when writing the document
// and reading it back changes it.
#include <QGuiApplication>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "../doc_dump.h"
#include "richtext/plaintext.h"
#include "richtext/reader.h"
#include "richtext/writer.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    QTextDocument doc;
    richtext::read(input, doc);
    if (!richtext_test::sameText(doc, rtf::plainText(input))) {
        std::fprintf(stderr, "document text differs from the plain text\n");
        std::abort();
    }
    const std::string written = richtext::write(doc);
    QTextDocument back;
    richtext::read(written, back);
    if (richtext_test::dump(back) != richtext_test::dump(doc)) {
        std::fprintf(stderr, "write and read changed the document\n");
        std::abort();
    }
    return 0;
}
