#include "reinstaller/tform1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "bdeinst/installer.h"
#include "platform/guard.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "reinstaller/artwork.h"

namespace reinstaller {

TForm1::TForm1(std::filesystem::path folder, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      folder_(std::move(folder)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(platform::qs(kCaption));
    setWindowIcon(icon(48));
    resize(380, 153);
    endProgram = [] { QCoreApplication::quit(); };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(41);
    Panel1->setAutoFillBackground(true);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(1, 1, kPictureWidth, kPictureHeight);
    Image1->setPixmap(topPicture());
    layout->addWidget(Panel1);

    Button1 = new QPushButton(platform::qs(kButton), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button1->setMinimumWidth(150);
    layout->addStretch(1);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    platform::connectGuarded(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    Button1->setFocus();
}

void TForm1::Button1Click() {
    instalirajBDE();
    // A failed installation ends with its own message alone.
    if (installed_) {
        platform::ui().message(kDone);
    }
    close();
}

void TForm1::instalirajBDE() {
    const auto outcome = bdeinst::runInstaller(folder_);
    if (const char* text = bdeinst::failureMessage(outcome)) {
        platform::ui().message(text);
    }
    installed_ = outcome == bdeinst::Outcome::Called;
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    // Enter presses the default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Button1->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    event->accept();
    if (endProgram) {
        endProgram();
    }
}

}  // namespace reinstaller
