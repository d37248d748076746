// Page 8 "Po&mo}": the help text and the "O nama" panel.
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QTextEdit>
#include <QVBoxLayout>
#include <cmath>

#include "fonts/faces.h"
#include "mainwindow/publisher.h"
#include "mainwindow/tform1.h"
#include "platform/files.h"
#include "platform/programdir.h"
#include "platform/textconv.h"
#include "richtext/reader.h"
#include "widgets/bandart.h"

namespace {

QLabel* panelLabel(QWidget* panel, const char* name, const std::string& text, int top) {
    auto* label = new QLabel(platform::qs(text), panel);
    label->setObjectName(QString::fromLatin1(name));
    label->move(0, top);
    label->adjustSize();
    return label;
}

}  // namespace

void TForm1::buildPagePomoc() {
    auto* page = new QVBoxLayout(TabSheetPomoc);

    Panel11 = new QFrame(TabSheetPomoc);
    Panel11->setObjectName(QStringLiteral("Panel11"));
    Panel11->setFrameShape(QFrame::StyledPanel);
    Panel11->setFixedHeight(132);
    auto* logo = new QLabel(Panel11);
    logo->setObjectName(QStringLiteral("Image22"));
    logo->setPixmap(widgets::logo(48));
    logo->setGeometry(12, 12, 48, 48);
    Label52 = panelLabel(Panel11, "Label52", "Trevion", 8);
    QFont bold = Label52->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 6);
    Label52->setFont(bold);
    Label52->adjustSize();
    Label60 = panelLabel(Panel11, "Label60", mainwindow::publisher::kEditors, 46);
    Label61 = panelLabel(Panel11, "Label61", mainwindow::publisher::kAddress, 70);
    Label34 = panelLabel(Panel11, "Label34",
                         std::string(mainwindow::publisher::kWeb) + "   e-mail: ", 98);
    page->addWidget(Panel11);
    // The panel takes its width only once its page is laid out.
    Panel11->installEventFilter(this);

    RichEdit3 = new QTextEdit(TabSheetPomoc);
    RichEdit3->setObjectName(QStringLiteral("RichEdit3"));
    RichEdit3->setReadOnly(true);
    RichEdit3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    page->addWidget(RichEdit3, 1);

    // The contact line gets the mail address, in Tahoma: addresses are not
    // YUSCII, so the line is plain Latin-1 in a font that draws '@' as '@'.
    Label34->setText(QString::fromLatin1(std::string(mainwindow::publisher::kWeb) +
                                         "   e-mail: " + mainwindow::publisher::kMail));
    Label34->setFont(QFont(QStringLiteral("Tahoma")));
    Label34->adjustSize();
}

void TForm1::loadHelpText() {
    auto rtf = platform::readFile(platform::inProgramDir("dostava.rtf"));
    if (!rtf) {
        return;
    }
    QTextDocument* doc = RichEdit3->document();
    doc->setDefaultFont(fonts::textFont(false));
    richtext::read(*rtf, *doc);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel11 && event->type() == QEvent::Resize) {
        centrePanel11(22, 32, 32, 27);
    }
    return QDialog::eventFilter(watched, event);
}

void TForm1::centrePanel11(int o34, int o52, int o60, int o61) {
    const int width = Panel11->width();
    for (auto [label, offset] : {std::pair{Label34, o34}, std::pair{Label52, o52},
                                 std::pair{Label60, o60}, std::pair{Label61, o61}}) {
        label->adjustSize();
        const int left = static_cast<int>(std::lround((width - label->width()) / 2.0)) + offset;
        label->move(left, label->y());
    }
}
