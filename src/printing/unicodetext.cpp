#include "printing/unicodetext.h"

#include <QFontDatabase>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFragment>
#include <vector>

#include "fonts/fonts.h"
#include "platform/programdir.h"
#include "platform/textconv.h"
#include "yuscii/unicode.h"

namespace printing {
namespace {

const QString kDejaVu = QStringLiteral("DejaVu Sans");

struct Face {
    const char* family;
    yuscii::Script script;
};

// The YUSCII faces the program installs.
constexpr Face kYusciiFaces[] = {
    {fonts::kLatinFace, yuscii::Script::Latin},
    {fonts::kCyrillicFace, yuscii::Script::Cyrillic},
    {fonts::kInterfaceFace, yuscii::Script::Interface},
};

const Face* yusciiFace(const QString& family) {
    for (const Face& face : kYusciiFaces) {
        if (family.compare(QLatin1String(face.family), Qt::CaseInsensitive) == 0) {
            return &face;
        }
    }
    return nullptr;
}

QString firstFamily(const QFont& font) {
    const QStringList families = font.families();
    return families.isEmpty() ? font.family() : families.front();
}

// The family a run is drawn in: its own, else the document's.
QString runFamily(const QTextCharFormat& format, const QString& fallback) {
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() ? fallback : families.front();
}

}  // namespace

QString unicodeFace() {
    static const QString face = [] {
        if (!QFontDatabase::hasFamily(kDejaVu)) {
            // The same files the YUSCII faces are made from.
            const std::filesystem::path places[] = {platform::programDir(),
                                                    "/usr/share/fonts/truetype/dejavu"};
            for (const auto& dir : places) {
                for (const char* file : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf",
                                         "DejaVuSans-Oblique.ttf", "DejaVuSans-BoldOblique.ttf"}) {
                    QFontDatabase::addApplicationFont(
                        QString::fromStdString((dir / file).string()));
                }
            }
        }
        return kDejaVu;
    }();
    return face;
}

QString unicodeText(const std::string& yuscii, const QString& family) {
    const Face* face = yusciiFace(family);
    const auto script = face != nullptr ? face->script : yuscii::Script::Interface;
    return QString::fromStdU16String(yuscii::toUnicode(yuscii, script));
}

QString unicodeText(const QString& yuscii, const QString& family) {
    return unicodeText(platform::ys(yuscii), family);
}

QFont unicodeFont(QFont font) {
    if (yusciiFace(firstFamily(font)) != nullptr) {
        font.setFamilies({unicodeFace()});
    }
    return font;
}

QFont unicodeFont(const TFont& font) {
    return unicodeFont(font.qfont());
}

std::unique_ptr<QTextDocument> unicodeDocument(const QTextDocument& source) {
    std::unique_ptr<QTextDocument> doc(source.clone());
    const QString defaultFamily = firstFamily(source.defaultFont());
    doc->setDefaultFont(unicodeFont(source.defaultFont()));

    struct Run {
        int position;
        int length;
        QString text;
        QTextCharFormat format;
    };
    std::vector<Run> runs;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            const QString family = runFamily(format, defaultFamily);
            // Line breaks (U+2028) and other characters past a byte stay.
            QString text = fragment.text();
            QString converted;
            qsizetype from = 0;
            for (qsizetype i = 0; i <= text.size(); ++i) {
                if (i == text.size() || platform::yusciiByte(text[i]) < 0) {
                    converted += unicodeText(text.mid(from, i - from), family);
                    if (i < text.size()) {
                        converted += text[i];
                    }
                    from = i + 1;
                }
            }
            const bool refaced =
                yusciiFace(family) != nullptr && !format.fontFamilies().toStringList().isEmpty();
            if (refaced) {
                format.setFontFamilies(QStringList{unicodeFace()});
            }
            if (converted != text || refaced) {
                runs.push_back({fragment.position(), fragment.length(), converted, format});
            }
        }
    }
    QTextCursor cursor(doc.get());
    cursor.beginEditBlock();
    for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
        cursor.setPosition(it->position);
        cursor.setPosition(it->position + it->length, QTextCursor::KeepAnchor);
        cursor.insertText(it->text, it->format);
    }
    cursor.endEditBlock();
    return doc;
}

}  // namespace printing
