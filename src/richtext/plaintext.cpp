#include "richtext/plaintext.h"

#include <algorithm>

#include "richtext/rtf_parser.h"

namespace rtf {
namespace {

class PlainSink final : public Sink {
  public:
    explicit PlainSink(std::string& out) : out_(out) {}
    void text(std::string_view bytes, const CharFormat&) override { out_.append(bytes); }
    void lineBreak(const CharFormat&) override { out_.push_back('\n'); }
    void paragraphFormat(const ParaFormat&) override {}
    void newParagraph() override { out_.push_back('\n'); }

  private:
    std::string& out_;
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
