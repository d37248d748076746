#pragma once
// A readable dump of a document's paragraphs and runs, for comparing
// documents in tests.
#include <QTextDocument>
#include <string>

namespace richtext_test {

// One line per paragraph: "[align fi li ri sb sa]" then each run as
// "<flags size color>text" with the text's bytes (line breaks as "\n").
std::string dump(const QTextDocument& doc);

// The document text as YUSCII bytes.
std::string plain(const QTextDocument& doc);

}  // namespace richtext_test
