#include "mainwindow/hitstrip.h"

#include "platform/textconv.h"

HitStrip::HitStrip(QWidget* parent, const char* name) : QLabel(parent) {
    setObjectName(QString::fromLatin1(name));
    setTextFormat(Qt::RichText);
    setWordWrap(false);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setMinimumHeight(fontMetrics().height() + 6);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void HitStrip::showContext(const std::optional<search::HitContext>& context) {
    if (!context) {
        clear();
        return;
    }
    // The YUSCII bytes map one to one onto the characters of the QString.
    const QString text = platform::qs(context->excerpt);
    QString html = context->cutBefore ? QStringLiteral("... ") : QString();
    qsizetype at = 0;
    for (const search::Hit& hit : context->bold) {
        const auto start = static_cast<qsizetype>(hit.start);
        const auto length = static_cast<qsizetype>(hit.length);
        html += text.mid(at, start - at).toHtmlEscaped();
        html += QStringLiteral("<b>") + text.mid(start, length).toHtmlEscaped() +
                QStringLiteral("</b>");
        at = start + length;
    }
    html += text.mid(at).toHtmlEscaped();
    if (context->cutAfter) {
        html += QStringLiteral(" ...");
    }
    setText(html);
}
