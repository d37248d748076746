// Page 7 "Pode{a&vanja": the settings the frame keeps in "trevion.cfg".
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "mainwindow/tform1.h"
#include "platform/guard.h"
#include "platform/textconv.h"
#include "platform/windowframe.h"
#include "printing/tpreviewprinter.h"
#include "widgets/apphint.h"
#include "yuscii/keyfilter.h"

namespace {

template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QGroupBox* hintedGroup(QWidget* parent, const char* name, const char* text) {
    auto* box = named(new QGroupBox(platform::qs(text), parent), name);
    widgets::setHint(box, text);
    return box;
}

// The colour list: the sixteen standard colours, navy chosen.
struct NamedColour {
    const char* name;
    QRgb rgb;
};
constexpr NamedColour kColours[] = {
    {"Crna", 0x000000},        {"Kestenjasta", 0x800000},  {"Zelena", 0x008000},
    {"Maslinasta", 0x808000},  {"Teget", 0x000080},        {"Ljubi~asta", 0x800080},
    {"Plavozelena", 0x008080}, {"Siva", 0x808080},         {"Srebrna", 0xC0C0C0},
    {"Crvena", 0xFF0000},      {"Svetlozelena", 0x00FF00}, {"@uta", 0xFFFF00},
    {"Plava", 0x0000FF},       {"Ciklama", 0xFF00FF},      {"Tirkizna", 0x00FFFF},
    {"Bela", 0xFFFFFF},
};
constexpr int kNavy = 4;

QComboBox* colourBox(QWidget* parent) {
    auto* box = named(new QComboBox(parent), "ColorBox1");
    for (const NamedColour& colour : kColours) {
        QPixmap swatch(24, 12);
        swatch.fill(QColor(colour.rgb));
        box->addItem(QIcon(swatch), platform::qs(colour.name), QColor(colour.rgb));
    }
    box->setCurrentIndex(kNavy);
    return box;
}

}  // namespace

void TForm1::buildPagePodesavanja() {
    auto* page = new QVBoxLayout(TabSheetPodesavanja);

    auto* printer = hintedGroup(TabSheetPodesavanja, "GroupBoxStampac",
                                "Izbor vrste {tampaca, veli~ine papira i orijentacije");
    auto* printerRow = new QHBoxLayout(printer);
    SpeedButton26 = platform::textButton(printer, "SpeedButton26", "Pode{avanje {tampa~a",
                                         "Parametri rada {tampa~a");
    printerRow->addWidget(SpeedButton26);
    printerRow->addStretch(1);
    platform::connectGuarded(SpeedButton26, &QAbstractButton::clicked, this,
                             [this] { SpeedButton26Click(); });
    page->addWidget(printer);

    auto* letters = hintedGroup(TabSheetPodesavanja, "GroupBoxSlova",
                                "Izbor vrste i velicine slova za program");
    auto* lettersRow = new QHBoxLayout(letters);
    Label16 =
        named(new QLabel(platform::qs("Boja generisanog teksta za ugovore:"), letters), "Label16");
    ColorBox1 = colourBox(letters);
    widgets::setHint(ColorBox1,
                     "Izbor boje za generisani deo teksta u kreaciji korisni~kih ugovora");
    Label16->setBuddy(ColorBox1);
    lettersRow->addWidget(Label16);
    lettersRow->addWidget(ColorBox1);
    lettersRow->addStretch(1);
    page->addWidget(letters);

    GroupBoxVerzija = hintedGroup(TabSheetPodesavanja, "GroupBoxVerzija",
                                  "Verzija i izbor na~ina a`uriranja baze zakona");
    auto* version = new QHBoxLayout(GroupBoxVerzija);
    Label25 =
        named(new QLabel(platform::qs("Broj propisa/mi{ljenja/ugovora u bazi"), GroupBoxVerzija),
              "Label25");
    Label27 = named(new QLabel(GroupBoxVerzija), "Label27");
    version->addWidget(Label25);
    version->addWidget(Label27);
    version->addStretch(1);
    buildUpdateButtons();
    page->addWidget(GroupBoxVerzija);

    GroupBoxOpcije = hintedGroup(TabSheetPodesavanja, "GroupBoxOpcije", "Razne opcije");
    auto* options = new QVBoxLayout(GroupBoxOpcije);
    auto* level = new QHBoxLayout;
    Label18 = named(new QLabel(platform::qs("Nivo kompleksnosti"), GroupBoxOpcije), "Label18");
    ComboBox2 = named(new QComboBox(GroupBoxOpcije), "ComboBox2");
    for (const char* item : {"Jednostavno", "Napredno", "Sve opcije"}) {
        ComboBox2->addItem(platform::qs(item));
    }
    ComboBox2->setCurrentIndex(2);
    platform::connectGuarded(ComboBox2, &QComboBox::activated, this, [this] { ComboBox2Change(); });
    level->addWidget(Label18);
    level->addWidget(ComboBox2);
    level->addStretch(1);
    options->addLayout(level);

    GroupBoxProxy = hintedGroup(GroupBoxOpcije, "GroupBoxProxy", "Pode{avanje proxy servera");
    widgets::setHint(GroupBoxProxy,
                     "Parametri za povezivanje na internet (proverite "
                     "pode{avanja u Internet Exploreru)");
    auto* proxy = new QGridLayout(GroupBoxProxy);
    CheckBox4 =
        named(new QCheckBox(platform::qs("Koristi proxy server"), GroupBoxProxy), "CheckBox4");
    platform::connectGuarded(CheckBox4, &QCheckBox::clicked, this, [this] { CheckBox4Click(); });
    Label13 = named(new QLabel(platform::qs("Proxy"), GroupBoxProxy), "Label13");
    Edit14 = named(new QLineEdit(GroupBoxProxy), "Edit14");
    widgets::setHint(Edit14, "Adresa proxy servera");
    yuscii::installKeyFilter(Edit14, yuscii::KeyFilter::Keyboard);
    Label20 = named(new QLabel(platform::qs("Port"), GroupBoxProxy), "Label20");
    Edit15 = named(new QLineEdit(GroupBoxProxy), "Edit15");
    widgets::setHint(Edit15, "Port proxy servera");
    Edit15->setMaxLength(4);
    Edit15->setMaximumWidth(80);
    yuscii::installKeyFilter(Edit15, yuscii::KeyFilter::Digits);
    proxy->addWidget(CheckBox4, 0, 0, 1, 4);
    proxy->addWidget(Label13, 1, 0);
    proxy->addWidget(Edit14, 1, 1);
    proxy->addWidget(Label20, 1, 2);
    proxy->addWidget(Edit15, 1, 3);
    proxy->setColumnStretch(1, 1);
    options->addWidget(GroupBoxProxy);
    CheckBox4Click();

    CheckBox5 = named(
        new QCheckBox(platform::qs("Koristi ton za ozna~avanje kraja pretrage"), GroupBoxOpcije),
        "CheckBox5");
    widgets::setHint(CheckBox5, "Kratak sistemski ton na kraju svake pretrage");
    CheckBox5->setChecked(true);
    options->addWidget(CheckBox5);
    page->addWidget(GroupBoxOpcije);
    page->addStretch(1);
}

void TForm1::buildUpdateButtons() {
    SpeedButton2 = platform::textButton(GroupBoxVerzija, "SpeedButton2", "A`uriranje", nullptr);
    widgets::setHint(SpeedButton2, "Otvara nov prozor sa parametrima a`uriranja");
    SpeedButton27 = platform::textButton(GroupBoxVerzija, "SpeedButton27", "Popravka", nullptr);
    widgets::setHint(SpeedButton27, "Automatska provera i popravka baze");
    for (QAbstractButton* button : {SpeedButton2, SpeedButton27}) {
        button->setMinimumWidth(110);
    }
    // The update button first, the counts, then the repair.
    if (auto* row = qobject_cast<QBoxLayout*>(GroupBoxVerzija->layout())) {
        row->insertWidget(0, SpeedButton2);
        row->insertWidget(row->indexOf(Label27) + 1, SpeedButton27);
    }
    platform::connectGuarded(SpeedButton2, &QAbstractButton::clicked, this,
                             [this] { SpeedButton2Click(); });
    platform::connectGuarded(SpeedButton27, &QAbstractButton::clicked, this,
                             [this] { SpeedButton27Click(); });
}

void TForm1::SpeedButton2Click() {
    Q_EMIT updateRequested();
}

void TForm1::SpeedButton27Click() {
    Q_EMIT repairRequested();
}

void TForm1::setLastUpdate(const std::string& date) {
    stored_.lastUpdate = date;
}

void TForm1::SpeedButton26Click() {
    printing::printerReady();
}

QColor TForm1::generatedColour() const {
    return ColorBox1->currentData().value<QColor>();
}

void TForm1::CheckBox4Click() {
    const bool on = CheckBox4->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{Label13, Label20, Edit14, Edit15}) {
        w->setEnabled(on);
    }
}

settings::Controls TForm1::settingsControls() const {
    return {ComboBox2->currentIndex(), CheckBox4->isChecked(), platform::ys(Edit14->text()),
            platform::ys(Edit15->text())};
}

void TForm1::applySettingsControls(const settings::Controls& controls, bool applyLevel) {
    ComboBox2->setCurrentIndex(controls.complexity);
    if (applyLevel) {
        ComboBox2Change();
    }
    CheckBox4->setChecked(controls.proxy);
    CheckBox4Click();
    Edit14->setText(platform::qs(controls.proxyAddress));
    // A longer port from the file is kept as it is and written back unchanged.
    Edit15->setMaxLength(std::max(4, static_cast<int>(controls.proxyPort.size())));
    Edit15->setText(platform::qs(controls.proxyPort));
}
