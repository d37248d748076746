#include "printing/options.h"

#include "platform/textconv.h"

namespace printing {

QFont TFont::qfont() const {
    QFont font(platform::qs(Name));
    font.setPointSize(Size > 0 ? Size : 1);
    font.setBold(Bold);
    font.setItalic(Italic);
    font.setUnderline(Underline);
    font.setStrikeOut(StrikeOut);
    return font;
}

double unitFactor(TUnits units) {
    return units == TUnits::unCentimeters ? 2.54 : 1.0;
}

std::string pageNumberText(const std::string& format, int number) {
    std::string out;
    bool numbered = false;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == '%') {
                out.push_back('%');
                ++i;
                continue;
            }
            if (format[i + 1] == 'd' && !numbered) {
                out += std::to_string(number);
                numbered = true;
                ++i;
                continue;
            }
        }
        out.push_back(format[i]);
    }
    return out;
}

PrinterSettings mainWindowSettings() {
    PrinterSettings s;
    TTextOptions& t = s.TextOptions;
    t.HeaderFont = {"Times New Roman", 18, Qt::black, true};
    t.FooterFont = {"Times New Roman", 10, Qt::black, false, true};
    t.PageNumFont = t.FooterFont;
    t.PrintPageNumber = TPageNumberPos::pnBottom;
    t.PageNumAlign = TAlignment::taRightJustify;
    return s;
}

PrinterSettings documentWindowSettings(const std::string& latinFace, const std::string& header) {
    PrinterSettings s;
    TTextOptions& t = s.TextOptions;
    t.BodyFont = {"Arial", 10};
    t.HeaderFont = {latinFace, 8};
    t.FooterFont = {"Times New Roman", 10, Qt::black, false, true};
    t.PageNumFont = t.FooterFont;
    t.Header = header;
    t.PrintPageNumber = TPageNumberPos::pnBottom;
    t.PageNumAlign = TAlignment::taCenter;
    return s;
}

void useDocumentHeader(TTextOptions& options, const std::string& textFace) {
    options.Header = "TREVION";
    options.HeaderFont.Name = textFace;
    options.FooterFont.Name = textFace;
    options.PageNumFont.Name = textFace;
}

}  // namespace printing
