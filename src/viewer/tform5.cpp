#include "viewer/tform5.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include "dbviews/dbrichedit.h"
#include "fonts/faces.h"
#include "platform/guard.h"
#include "platform/textconv.h"
#include "platform/windowframe.h"
#include "printing/tpreviewprinter.h"
#include "viewer/smallwindow.h"

TForm5::TForm5(engine::DataSource& regulations, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(platform::qs("Dodatne informacije"));
    viewer::frameFixed(*this, 689, 454);
    buildWindow();
    DBRichEdit1->setDataSource(&regulations);
    DBRichEdit1->setDataField("Napomena");
    FormCreate();
}

TForm5::~TForm5() = default;

void TForm5::buildWindow() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    QWidget* commands = viewer::addTitleAndCommandRow(*this, *layout);
    QHBoxLayout* row = viewer::commandRowLayout(commands);
    SpeedButton1 = platform::textButton(commands, "SpeedButton1", "[tam&pa", nullptr);
    SpeedButton3 = platform::textButton(commands, "SpeedButton3", "Pret&hodna strana",
                                        "Povratak na izbor propisa");
    row->addWidget(SpeedButton1);
    row->addStretch(1);
    row->addWidget(SpeedButton3);

    DBRichEdit1 = new dbviews::DBRichEdit(this);
    DBRichEdit1->setObjectName(QStringLiteral("DBRichEdit1"));
    DBRichEdit1->setReadOnly(true);
    DBRichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    DBRichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(DBRichEdit1, 1);

    platform::connectGuarded(SpeedButton1, &QToolButton::clicked, this,
                             [this] { SpeedButton1Click(); });
    platform::connectGuarded(SpeedButton3, &QToolButton::clicked, this, [this] { reject(); });
}

void TForm5::FormCreate() {
    setFont(fonts::interfaceFont());
    DBRichEdit1->setFont(fonts::textFont(false));
}

void TForm5::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The notes of the current regulation as soon as the window opens.
    DBRichEdit1->loadMemo();
}

void TForm5::SpeedButton1Click() {
    printing::TPreviewPrinter* printer = links.previewPrinter ? links.previewPrinter() : nullptr;
    if (printer == nullptr || !printing::printerReady()) {
        return;
    }
    printer->PrintRichEdit(*DBRichEdit1);
    printer->Preview();
}
