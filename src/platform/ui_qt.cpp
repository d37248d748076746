// The seam's implementation for the running program.
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/pastetext.h"
#include "platform/printer.h"
#include "platform/shell.h"
#include "platform/textconv.h"
#include "platform/ui.h"

namespace platform {
namespace {

// Marks clipboard data that this program put there.
const QString kOwnMarker = QStringLiteral("application/x-korvet-yuscii");

QMessageBox::Icon toQt(Icon icon) {
    switch (icon) {
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Warning:
            return QMessageBox::Warning;
        case Icon::Error:
            return QMessageBox::Critical;
        case Icon::Question:
            return QMessageBox::Question;
        case Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// Message texts are YUSCII like every other text: the interface face draws
// their Serbian letters.
void useInterfaceFace(QWidget& widget) {
    QFont font = widget.font();
    font.setFamilies({QStringLiteral("YU Sans Serif"), font.family()});
    widget.setFont(font);
}

// The window a box belongs to: the modal window at work, else the active
// one; nullptr when none is (at start, before the main window is up).
QWidget* owner() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return QApplication::activeWindow();
}

// A box stands over the window it belongs to; one without a window stays on
// top, so that no window shown later (the maximised main window) hides it.
int execBox(const std::string& text, Icon icon, QMessageBox::StandardButtons buttons) {
    QWidget* parent = owner();
    QMessageBox box(toQt(icon), QApplication::applicationName(), qs(text), buttons, parent);
    if (parent == nullptr) {
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    useInterfaceFace(box);
    return box.exec();
}

class QtUi final : public Ui {
  public:
    void message(const std::string& text, Icon icon) override {
        execBox(text, icon, QMessageBox::Ok);
    }

    bool confirm(const std::string& text, Icon icon) override {
        return execBox(text, icon, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    }

    std::optional<std::string> input(const std::string& caption, const std::string& prompt,
                                     const std::string& initial) override {
        bool ok = false;
        QString text = QInputDialog::getText(owner(), qs(caption), qs(prompt), QLineEdit::Normal,
                                             qs(initial), &ok);
        if (!ok) {
            return std::nullopt;
        }
        return ys(text);
    }

    int showModal(QDialog& dialog) override { return dialog.exec(); }

    bool printerSetup() override {
        QPageSetupDialog dialog(&sharedPrinter());
        return dialog.exec() == QDialog::Accepted;
    }

    bool printDialog() override {
        QPrintDialog dialog(&sharedPrinter());
        // A picture goes to the printer, not to a file.
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        return dialog.exec() == QDialog::Accepted;
    }

    std::optional<PrintChoice> printPages(int pageCount) override {
        return sharedPrintDialog(pageCount);
    }

    std::optional<std::string> saveFileName(const std::string& caption, const std::string& filter,
                                            const std::string& suggested) override {
        QString name =
            QFileDialog::getSaveFileName(nullptr, qs(caption), QString::fromStdString(suggested),
                                         QString::fromStdString(filter));
        if (name.isEmpty()) {
            return std::nullopt;
        }
        return name.toStdString();
    }

    std::string defaultPrinter() override {
        return QPrinterInfo::defaultPrinterName().toStdString();
    }

    int shellOpen(const std::string& /*verb*/, const std::string& target,
                  const std::string& directory) override {
        return desktopOpen(target, directory);
    }

    std::string clipboardText() override {
        return ysFromOutside(QGuiApplication::clipboard()->text());
    }

    void setClipboardText(const std::string& text) override {
        auto* data = new QMimeData;
        data->setText(qsStored(text));
        data->setData(kOwnMarker, QByteArray("1"));
        QGuiApplication::clipboard()->setMimeData(data);
    }

    bool ownsClipboardText() override {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data != nullptr && data->hasFormat(kOwnMarker);
    }

    void beep() override { QApplication::beep(); }
};

}  // namespace

Ui& qtUi() {
    static QtUi instance;
    return instance;
}

}  // namespace platform
