#pragma once
// Documents for the print tests: YUSCII text in one of the text faces, and
// PDF text read back with pdftotext.
#include <QTextDocument>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace printtest {

// A document of YUSCII text (paragraphs split at '\n') in face at 10 points.
std::unique_ptr<QTextDocument> document(const std::string& yuscii, const char* face);

// A document of count paragraphs "Paragraf N", each from the second on
// starting a new page.
std::unique_ptr<QTextDocument> pagedDocument(int count);

// The text pdftotext reads from a PDF file (UTF-8), pages separated by form
// feeds.
std::string pdfText(const std::filesystem::path& pdf);

// Checks that text holds each of parts, in this order.
void expectInOrder(const std::string& text, const std::vector<std::string>& parts);

// A fresh empty folder below the system's temporary folder.
std::filesystem::path tempFolder(const std::string& name);

}  // namespace printtest
