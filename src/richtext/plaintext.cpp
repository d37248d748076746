#include "richtext/plaintext.h"

#include <algorithm>

#include "richtext/rtf_parser.h"

namespace rtf {
namespace {

// Cells end with a tab, rows and paragraphs with a line end; footnotes are
// left out but for their reference marks; a character without a byte is '?'
// for each of its UTF-16 units, as the document's text has it.
class PlainSink final : public Sink {
  public:
    explicit PlainSink(std::string& out) : out_(out) {}
    void text(std::string_view bytes, const CharFormat&) override {
        if (notes_ == 0)
            out_.append(bytes);
    }
    void foreign(char16_t, const CharFormat&) override { put('?'); }
    void lineBreak(const CharFormat&) override { put('\n'); }
    void paragraphFormat(const ParaFormat&) override {}
    void newParagraph() override { put('\n'); }
    void cellEnd(int) override { put('\t'); }
    void footnoteMark(int number, bool inNote, const CharFormat&) override {
        if (!inNote && notes_ == 0)
            out_ += std::to_string(number);
    }
    void footnoteStart(int) override { ++notes_; }
    void footnoteEnd() override { --notes_; }

  private:
    void put(char c) {
        if (notes_ == 0)
            out_.push_back(c);
    }

    std::string& out_;
    int notes_ = 0;
};

}  // namespace

void appendPlainText(std::string_view rtf, std::string& out) {
    // The text is never longer than its source; grow geometrically so that
    // appending many texts to one buffer stays linear.
    const std::size_t need = out.size() + rtf.size();
    if (out.capacity() < need)
        out.reserve(std::max(need, 2 * out.capacity()));
    PlainSink sink(out);
    parse(rtf, sink);
}

std::string plainText(std::string_view rtf) {
    std::string out;
    appendPlainText(rtf, out);
    return out;
}

}  // namespace rtf
