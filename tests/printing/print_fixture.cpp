#include "print_fixture.h"

#include <unistd.h>
#include <QTextBlock>
#include <QTextCursor>
#include <array>
#include <cstdio>
#include <memory>

#include <gtest/gtest.h>

#include "platform/textconv.h"

namespace printtest {

std::unique_ptr<QTextDocument> document(const std::string& yuscii, const char* face) {
    auto doc = std::make_unique<QTextDocument>();
    doc->setDefaultFont(QFont(QString::fromLatin1(face), 10));
    doc->setPlainText(platform::qs(yuscii));
    return doc;
}

std::unique_ptr<QTextDocument> pagedDocument(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += (i > 1 ? "\n" : "") + std::string("Paragraf ") + std::to_string(i);
    }
    auto doc = document(text, "YHelvetica");
    QTextCursor cursor(doc.get());
    for (QTextBlock block = doc->begin().next(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
    return doc;
}

std::string pdfText(const std::filesystem::path& pdf) {
    const std::string command = "pdftotext -enc UTF-8 '" + pdf.string() + "' -";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string text;
    if (!pipe) {
        return text;
    }
    std::array<char, 4096> buffer{};
    size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0) {
        text.append(buffer.data(), n);
    }
    return text;
}

void expectInOrder(const std::string& text, const std::vector<std::string>& parts) {
    size_t at = 0;
    for (const auto& part : parts) {
        const size_t found = text.find(part, at);
        EXPECT_NE(found, std::string::npos) << part << "\n" << text;
        at = found == std::string::npos ? at : found;
    }
}

std::filesystem::path tempFolder(const std::string& name) {
    auto dir = std::filesystem::temp_directory_path() /
               ("korvet-print-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

}  // namespace printtest
