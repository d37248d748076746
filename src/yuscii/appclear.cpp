#include "yuscii/appclear.h"

#include <QApplication>
#include <QApplicationStateChangeEvent>
#include <QClipboard>
#include <QCoreApplication>
#include <QMimeData>
#include <QWidget>

#include "platform/textconv.h"
#include "platform/ui.h"
#include "yuscii/transliterate.h"

namespace yuscii {

namespace {

class DeactivationWatch final : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::ApplicationStateChange &&
            static_cast<QApplicationStateChangeEvent*>(event)->applicationState() !=
                Qt::ApplicationActive) {
            appclear();
        }
        return false;
    }
};

class MinimiseWatch final : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::WindowStateChange &&
            static_cast<QWidget*>(watched)->isMinimized()) {
            appclear();
        }
        return false;
    }
};

// Marks the selection text we put there ourselves.
const QString kPlainSelection = QStringLiteral("application/x-korvet-plain-selection");

bool hasOwnLetters(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() >= platform::kYusciiLetterBase &&
            c.unicode() <= platform::kYusciiLetterBase + 0xFF) {
            return true;
        }
    }
    return false;
}

}  // namespace

QString outsideLetters(const QString& shown, Script script) {
    return QString::fromStdU16String(toUnicode(platform::ysPlain(shown), script));
}

void plainOutgoingText(QCoreApplication* app, const std::string& latinFace,
                       const std::string& cyrillicFace) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QString latin = QString::fromStdString(latinFace);
    const QString cyrillic = QString::fromStdString(cyrillicFace);
    QObject::connect(clipboard, &QClipboard::changed, app, [=](QClipboard::Mode mode) {
        if (mode == QClipboard::Selection) {
            const QMimeData* data = clipboard->mimeData(QClipboard::Selection);
            // Our letters come from no other program; a Cyrillic view's
            // plain letters are ours only where the system says so.
            if (data == nullptr || data->hasFormat(kPlainSelection) || !data->hasText() ||
                !(clipboard->ownsSelection() || hasOwnLetters(data->text()))) {
                return;
            }
            Script script = Script::Interface;
            if (const QWidget* view = QApplication::focusWidget()) {
                const QString family = view->font().family();
                script = family == cyrillic ? Script::Cyrillic
                         : family == latin  ? Script::Latin
                                            : Script::Interface;
            }
            auto* plain = new QMimeData;
            plain->setText(outsideLetters(data->text(), script));
            plain->setData(kPlainSelection, QByteArray("1"));
            clipboard->setMimeData(plain, QClipboard::Selection);
        } else if (mode == QClipboard::Clipboard) {
            platform::Ui& ui = platform::ui();
            if (ui.ownsClipboardText()) {
                return;
            }
            const QString text = clipboard->text();
            if (hasOwnLetters(text)) {
                ui.setClipboardText(platform::ysPlain(text));
            }
        }
    });
}

void appclear() {
    platform::Ui& ui = platform::ui();
    if (!ui.ownsClipboardText()) {
        return;
    }
    const std::string text = ui.clipboardText();
    const std::string plain = transliterate(text);
    if (plain != text) {
        ui.setClipboardText(plain);
    }
}

void appclearOnDeactivation(QCoreApplication* app) {
    app->installEventFilter(new DeactivationWatch(app));
}

void appclearOnMinimise(QWidget* window) {
    window->installEventFilter(new MinimiseWatch(window));
}

}  // namespace yuscii
