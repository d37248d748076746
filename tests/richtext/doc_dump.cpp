#include "doc_dump.h"

#include <QTextBlock>
#include <QTextFragment>
#include <cstdio>

#include "platform/textconv.h"

namespace richtext_test {
namespace {

const char* alignName(Qt::Alignment a) {
    a &= Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignJustify)
        return "j";
    if (a & Qt::AlignHCenter)
        return "c";
    if (a & Qt::AlignRight)
        return "r";
    return "l";
}

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

}  // namespace

std::string dump(const QTextDocument& doc) {
    std::string out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat bf = b.blockFormat();
        out += "[";
        out += alignName(bf.alignment());
        for (double v : {bf.textIndent(), bf.leftMargin(), bf.rightMargin(), bf.topMargin(),
                         bf.bottomMargin()}) {
            out += " " + number(v);
        }
        out += "]";
        std::string previous;  // runs of equal format print as one
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QTextCharFormat cf = f.charFormat();
            std::string key = "<";
            if (cf.fontWeight() >= QFont::Bold)
                key += "b";
            if (cf.fontItalic())
                key += "i";
            if (cf.fontUnderline())
                key += "u";
            if (cf.hasProperty(QTextFormat::FontPointSize))
                key += number(cf.fontPointSize());
            if (cf.hasProperty(QTextFormat::ForegroundBrush)) {
                key += platform::ys(cf.foreground().color().name());
            }
            key += ">";
            if (key != previous)
                out += key;
            previous = key;
            QString text = f.text();
            text.replace(QChar::LineSeparator, QStringLiteral("\\n"));
            out += platform::ys(text);
        }
        out += "\n";
    }
    return out;
}

std::string plain(const QTextDocument& doc) {
    return platform::ys(doc.toPlainText());
}

}  // namespace richtext_test
