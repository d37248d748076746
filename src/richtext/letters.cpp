#include "richtext/letters.h"

#include <QTextBlock>
#include <QTextCursor>
#include <vector>

#include "platform/textconv.h"

namespace richtext {
namespace {

QString realLetters(const QString& text, yuscii::Script script) {
    QString out;
    out.reserve(text.size());
    std::string bytes;
    auto flush = [&] {
        if (!bytes.empty())
            out += QString::fromStdU16String(yuscii::toUnicode(bytes, script));
        bytes.clear();
    };
    for (QChar c : text) {
        const int b = platform::yusciiByte(c);
        if (b >= 0) {
            bytes += static_cast<char>(b);
        } else {
            flush();
            out += c;
        }
    }
    flush();
    return out;
}

}  // namespace

void toRealLetters(QTextDocument& doc, yuscii::Script script) {
    struct Piece {
        int position;
        int length;
        QString text;
        QTextCharFormat format;
    };
    std::vector<Piece> pieces;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            QString letters = realLetters(f.text(), script);
            if (letters != f.text())
                pieces.push_back({f.position(), f.length(), std::move(letters), f.charFormat()});
        }
    }
    // From the end, so that the positions before stay valid.
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) {
        cursor.setPosition(it->position);
        cursor.setPosition(it->position + it->length, QTextCursor::KeepAnchor);
        cursor.insertText(it->text, it->format);
    }
    cursor.endEditBlock();
}

}  // namespace richtext
