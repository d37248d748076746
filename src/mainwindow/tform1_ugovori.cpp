// Page 6 "Tipski &ugovori": model contracts, filled in with the party data
// and generated, and the user contracts kept from them.
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "database/filters.h"
#include "database/schema.h"
#include "dbviews/dbedit.h"
#include "dbviews/dbgrid.h"
#include "dbviews/dbnavigator.h"
#include "dbviews/dbricheditor.h"
#include "fonts/faces.h"
#include "mainwindow/tform1.h"
#include "platform/guard.h"
#include "platform/log.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "platform/windowframe.h"
#include "printing/tpreviewprinter.h"
#include "richtext/reader.h"
#include "widgets/apphint.h"
#include "widgets/searchfield.h"
#include "yuscii/keyfilter.h"

namespace {

constexpr int kModelsPage = 0;
constexpr int kUserPage = 1;

constexpr const char* kNotFound =
    "Trazena rec nije pronadjena.\r\nZelite li da ponovite pretragu od pocetka teksta?";
constexpr const char* kNameTaken = "Ugovor sa ovim imenom postoji u bazi!";
constexpr const char* kNoUserContract = "Ne postoji nijedan korisnicki menjan ugovor";
constexpr const char* kDeleteQuestion = "Jeste li sigurni da zelite da obrisete ugovor:\r\n";

template <typename W>
W* named(W* widget, const char* name, const char* hint = nullptr) {
    widget->setObjectName(QString::fromLatin1(name));
    if (hint != nullptr) {
        widgets::setHint(widget, hint);
    }
    return widget;
}

// The left panel of a page: a fixed width, its controls in one column.
QVBoxLayout* fixedColumn(QWidget* panel, int width) {
    panel->setFixedWidth(width);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    return column;
}

// A field's label above it, in the group's column.
QLineEdit* partyField(QWidget* group, QVBoxLayout* column, const char* name, const char* label) {
    auto* caption = new QLabel(platform::qs(label), group);
    auto* edit = named(new QLineEdit(group), name);
    caption->setBuddy(edit);
    yuscii::installKeyFilter(edit, yuscii::KeyFilter::Keyboard);
    column->addWidget(caption);
    column->addWidget(edit);
    return edit;
}

// Enabled fields in the window colour, disabled ones in the button face.
void enableField(QLineEdit* edit, bool on) {
    edit->setEnabled(on);
    QPalette palette = edit->palette();
    const QColor base = on ? edit->style()->standardPalette().color(QPalette::Base)
                           : edit->style()->standardPalette().color(QPalette::Button);
    palette.setColor(QPalette::Active, QPalette::Base, base);
    palette.setColor(QPalette::Inactive, QPalette::Base, base);
    palette.setColor(QPalette::Disabled, QPalette::Base, base);
    edit->setPalette(palette);
}

std::string today() {
    return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")).toStdString();
}

}  // namespace

void TForm1::buildPageUgovori() {
    auto* page = new QVBoxLayout(TabSheetUgovori);
    auto* strip =
        named(new QLabel(
                  platform::qs("Modele tipskih ugovora morate prilagoditi sopstvenim potrebama pre "
                               "upotrebe"),
                  TabSheetUgovori),
              "Label57");
    strip->setAlignment(Qt::AlignCenter);
    strip->setFrameShape(QFrame::StyledPanel);
    QFont stripFont = strip->font();
    stripFont.setBold(true);
    strip->setFont(stripFont);
    strip->setMargin(4);
    page->addWidget(strip);

    PageControl3 = named(new QTabWidget(TabSheetUgovori), "PageControl3");
    auto* models = named(new QWidget(PageControl3), "TabSheetModeli");
    auto* users = named(new QWidget(PageControl3), "TabSheetKorisnicki");
    PageControl3->addTab(models, platform::qs("Izbor &modela tipskih ugovora"));
    PageControl3->addTab(users, platform::qs("Ugovori menjani od strane &korisnika"));
    page->addWidget(PageControl3, 1);
    buildModelsPage(models);
    buildUserContractsPage(users);

    platform::connectGuarded(PageControl3, &QTabWidget::currentChanged, this,
                             [this] { PageControl3Change(); });
    // Leaving the contract tab stores the user contract's edits.
    platform::connectGuarded(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (index != kUgovori) {
            snimikorisnicki();
        }
    });
    PreviewPrinter1 = new printing::TPreviewPrinter(printing::mainWindowSettings(), this);
    PreviewPrinter1->setObjectName(QStringLiteral("PreviewPrinter1"));
}

void TForm1::buildModelsPage(QWidget* sheet) {
    auto* layout = new QHBoxLayout(sheet);

    auto* left = named(new QWidget(sheet), "Panel30");
    QVBoxLayout* leftColumn = fixedColumn(left, 290);
    auto* chooserLabel = new QLabel(platform::qs("Izbor tipskog ugovora"), left);
    ComboBox5 = named(new QComboBox(left), "ComboBox5", "Izbor modela tipskog ugovora");
    chooserLabel->setBuddy(ComboBox5);
    leftColumn->addWidget(chooserLabel);
    leftColumn->addWidget(ComboBox5);

    auto* group = named(new QGroupBox(platform::qs("Potrebni podaci"), left), "GroupBox21",
                        "Neophodni podaci, mo`ete ih ostaviti praznim za tipsku varijantu");
    auto* fields = new QVBoxLayout(group);
    fields->setSpacing(2);
    Edit3 = partyField(group, fields, "Edit3", "Mesto");
    Edit4 = partyField(group, fields, "Edit4", "Datum");
    Edit5 = partyField(group, fields, "Edit5", "Naziv prve ugovorne strane");
    Edit6 = partyField(group, fields, "Edit6", "Mesto i adresa prve ugovorne strane");
    Edit9 = partyField(group, fields, "Edit9", "Naziv druge ugovorne strane");
    Edit10 = partyField(group, fields, "Edit10", "Mesto i adresa druge ugovorne strane");
    Edit17 = partyField(group, fields, "Edit17", "Naziv tre}e ugovorne strane");
    Edit18 = partyField(group, fields, "Edit18", "Mesto i adresa tre}e ugovorne strane");
    leftColumn->addWidget(group);
    auto* note =
        named(new QLabel(platform::qs("Za osve`avanje prikaza teksta kliknite na Popuni"), left),
              "Label58");
    note->setWordWrap(true);
    leftColumn->addWidget(note);
    leftColumn->addStretch(1);
    layout->addWidget(left);

    // Every change of a field goes into the party data at once.
    const std::pair<QLineEdit*, std::string*> members[] = {
        {Edit3, &ugovornipodaci.mesto},
        {Edit4, &ugovornipodaci.datum},
        {Edit5, &ugovornipodaci.strane[0].naziv},
        {Edit6, &ugovornipodaci.strane[0].adresa},
        {Edit9, &ugovornipodaci.strane[1].naziv},
        {Edit10, &ugovornipodaci.strane[1].adresa},
        {Edit17, &ugovornipodaci.strane[2].naziv},
        {Edit18, &ugovornipodaci.strane[2].adresa},
    };
    for (const auto& [edit, member] : members) {
        connect(edit, &QLineEdit::textChanged, this,
                [member](const QString& text) { *member = platform::ys(text); });
    }

    PageControl4 = named(new QTabWidget(sheet), "PageControl4");
    auto* textSheet = named(new QWidget(PageControl4), "TabSheetTekst");
    auto* noteSheet = named(new QWidget(PageControl4), "TabSheetNapomena");
    PageControl4->addTab(textSheet, platform::qs("Tekst &modela ugovora"));
    PageControl4->addTab(noteSheet, platform::qs("N&apomena za izabrani model ugovora"));
    layout->addWidget(PageControl4, 1);

    auto* textColumn = new QVBoxLayout(textSheet);
    auto* buttons = new QHBoxLayout;
    SpeedButton9 =
        platform::textButton(textSheet, "SpeedButton9", "Pop&uni", "Generisanje dokumenta");
    SpeedButton18 =
        platform::textButton(textSheet, "SpeedButton18", "Preba&ci u korisni~ke ugovore",
                             "Izmena generisanog dokumenta");
    SpeedButton28 =
        platform::textButton(textSheet, "SpeedButton28", "[tam&pa", "Prikaz {tampe dokumenta");
    for (QAbstractButton* button : {SpeedButton9, SpeedButton18, SpeedButton28}) {
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    textColumn->addLayout(buttons);
    RichEdit2 = named(new QTextEdit(textSheet), "RichEdit2", "Tekst ugovora");
    RichEdit2->setReadOnly(true);
    RichEdit2->setFont(fonts::textFont(false));
    RichEdit2->document()->setUndoRedoEnabled(false);
    textColumn->addWidget(RichEdit2, 1);
    auto* searchRow = new QHBoxLayout;
    Edit16 = named(new QLineEdit(textSheet), "Edit16", "Unesite re~ ili deo re~i za pretragu");
    widgets::makeSearchField(Edit16);
    SpeedButton19 = platform::textButton(textSheet, "SpeedButton19", "&Tra`i", "Po~ni pretragu");
    searchRow->addWidget(Edit16, 1);
    searchRow->addWidget(SpeedButton19);
    textColumn->addLayout(searchRow);

    auto* noteColumn = new QVBoxLayout(noteSheet);
    DBRichEdit4 = named(new dbviews::DBRichEditor(noteSheet), "DBRichEdit4",
                        "Napomena za izabrani tipski model ugovora");
    DBRichEdit4->setReadOnly(true);
    DBRichEdit4->setFont(fonts::textFont(false));
    DBRichEdit4->setDataSource(&DataSource8);
    DBRichEdit4->setDataField("Napomena");
    noteColumn->addWidget(DBRichEdit4);

    platform::connectGuarded(ComboBox5, &QComboBox::activated, this, [this] { ComboBox5Change(); });
    platform::connectGuarded(SpeedButton9, &QAbstractButton::clicked, this,
                             [this] { SpeedButton9Click(); });
    platform::connectGuarded(SpeedButton18, &QAbstractButton::clicked, this,
                             [this] { SpeedButton18Click(); });
    platform::connectGuarded(SpeedButton28, &QAbstractButton::clicked, this,
                             [this] { SpeedButton28Click(); });
    platform::connectGuarded(SpeedButton19, &QAbstractButton::clicked, this,
                             [this] { SpeedButton19Click(); });
    platform::connectGuarded(Edit16, &QLineEdit::returnPressed, this,
                             [this] { SpeedButton19Click(); });
}

void TForm1::buildUserContractsPage(QWidget* sheet) {
    auto* layout = new QHBoxLayout(sheet);

    auto* left = named(new QWidget(sheet), "Panel31");
    QVBoxLayout* leftColumn = fixedColumn(left, 320);
    // The delete by model name has no visible button: it lies under the list.
    auto* listCell = new QGridLayout;
    SpeedButton29 = platform::textButton(left, "SpeedButton29", "O&bri{i", nullptr);
    DBGrid13 =
        named(new dbviews::DBGrid(left), "DBGrid13", "Lista ugovora menjanih od strane korisnika");
    DBGrid13->setReadOnly(true);
    DBGrid13->setDataSource(&KorisnickiDataSet);
    listCell->addWidget(SpeedButton29, 0, 0, Qt::AlignCenter);
    listCell->addWidget(DBGrid13, 0, 0);
    DBGrid13->raise();
    leftColumn->addLayout(listCell, 1);
    auto* buttons = new QHBoxLayout;
    SpeedButton4 = platform::textButton(left, "SpeedButton4", "Obri{i",
                                        "Brisanje izabranog korisni~kog propisa iz liste");
    SpeedButton16 = platform::textButton(left, "SpeedButton16", "[tampa",
                                         "Prikaz {tampe izabranog korisni~kog dokumenta");
    buttons->addWidget(SpeedButton4);
    buttons->addWidget(SpeedButton16);
    buttons->addStretch(1);
    leftColumn->addLayout(buttons);
    DBNavigator1 = named(new dbviews::DBNavigator(left), "DBNavigator1");
    DBNavigator1->setDataSource(&KorisnickiDataSet);
    DBNavigator1->setFixedHeight(25);
    leftColumn->addWidget(DBNavigator1);
    layout->addWidget(left);

    auto* right = new QVBoxLayout;
    auto* nameLabel = new QLabel(platform::qs("Naziv ugovora"), sheet);
    DBEdit1 =
        named(new dbviews::DBEdit(sheet), "DBEdit1", "Izmena naziva izabranog korisni~kog ugovora");
    DBEdit1->setDataSource(&KorisnickiDataSet);
    DBEdit1->setDataField("NAZIV_UG");
    yuscii::installKeyFilter(DBEdit1, yuscii::KeyFilter::Keyboard);
    nameLabel->setBuddy(DBEdit1);
    DBRichEdit3 = named(new dbviews::DBRichEditor(sheet), "DBRichEdit3",
                        "Izmena teksta korisnickog ugovora - snimanje je autormatsko");
    DBRichEdit3->setFont(fonts::textFont(false));
    DBRichEdit3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DBRichEdit3->setDataSource(&KorisnickiDataSet);
    DBRichEdit3->setDataField("TEKST_UG");
    yuscii::installKeyFilter(DBRichEdit3, yuscii::KeyFilter::Keyboard);
    right->addWidget(nameLabel);
    right->addWidget(DBEdit1);
    right->addWidget(DBRichEdit3, 1);
    layout->addLayout(right, 1);

    platform::connectGuarded(SpeedButton4, &QAbstractButton::clicked, this,
                             [this] { SpeedButton4Click(); });
    platform::connectGuarded(SpeedButton16, &QAbstractButton::clicked, this,
                             [this] { SpeedButton16Click(); });
    platform::connectGuarded(SpeedButton29, &QAbstractButton::clicked, this,
                             [this] { SpeedButton29Click(); });
}

void TForm1::ugovoriFormCreate() {
    PageControl3->setCurrentIndex(kModelsPage);
    PageControl4->setCurrentIndex(0);
    SpeedButton29->setEnabled(false);
}

void TForm1::ugovoriFormActivate() {
    RichEdit2->setFont(fonts::textFont(false));
    RichEdit2->document()->setDefaultFont(fonts::textFont(false));
    DBGrid13->setColumnHidden(database::pos::kKorisnickiTekst, true);
    DBGrid13->setColumnTitle(database::pos::kKorisnickiNaziv, "Naziv ugovora");
    DBGrid13->horizontalHeader()->setStretchLastSection(true);
}

void TForm1::ugovoriFormDestroy() {
    QObject::disconnect(PageControl1, nullptr, this, nullptr);
    QObject::disconnect(PageControl3, nullptr, this, nullptr);
    DBRichEdit4->setDataSource(nullptr);
    DBGrid13->setDataSource(nullptr);
    DBEdit1->setDataSource(nullptr);
    DBRichEdit3->setDataSource(nullptr);
    DBNavigator1->setDataSource(nullptr);
}

void TForm1::enableThirdParty() {
    const bool threeParties = ugovori.active() && !ugovori.isEmpty() &&
                              ugovori.field(database::pos::kUgovoriStrane).asInteger() == 3;
    enableField(Edit17, threeParties);
    enableField(Edit18, threeParties);
}

void TForm1::sredicombo5() {
    ComboBox5->clear();
    ugovori.setFiltered(false);
    for (ugovori.first(); !ugovori.eof(); ugovori.next()) {
        ComboBox5->addItem(platform::qs(ugovori.field(database::pos::kUgovoriNaziv).asString()));
    }
    if (ComboBox5->count() > 0) {
        ComboBox5->setCurrentIndex(0);
        ComboBox5Change();
    }
}

void TForm1::ComboBox5Change() {
    RichEdit2->setUpdatesEnabled(false);
    ugovori.setFilter(database::filters::ugovoriByName(platform::ys(ComboBox5->currentText())));
    ugovori.setFiltered(true);
    loadModelText();
    enableThirdParty();
    SpeedButton9Click();
    RichEdit2->setUpdatesEnabled(true);
}

void TForm1::loadModelText() {
    QTextDocument* doc = RichEdit2->document();
    doc->setDefaultFont(fonts::textFont(false));
    std::string text;
    if (ugovori.active() && !ugovori.isEmpty()) {
        text = ugovori.fieldByName("TEXT_UGOVORA").asString();
    }
    richtext::read(text, *doc);
}

void TForm1::SpeedButton9Click() {
    if (RichEdit2->document()->characterCount() - 1 <= 10) {
        return;
    }
    RichEdit2->setUpdatesEnabled(false);
    loadModelText();
    QTextDocument& doc = *RichEdit2->document();
    mainwindow::setContractIndents(doc);
    RichEdit2->moveCursor(QTextCursor::Start);
    ubaciclanove1(RichEdit2);
    mainwindow::fillPlaceholders(doc, mainwindow::placeholderValues(ugovornipodaci),
                                 generatedColour());
    RichEdit2->moveCursor(QTextCursor::Start);
    RichEdit2->setUpdatesEnabled(true);
}

void TForm1::ubaciclanove1(QTextEdit* edit) {
    mainwindow::formatArticleHeadings(*edit->document());
    mainwindow::formatTitleBlock(*edit->document());
}

void TForm1::SpeedButton19Click() {
    nadjitekstugovora(platform::ys(Edit16->text()));
}

void TForm1::nadjitekstugovora(const std::string& word) {
    if (word.empty()) {
        return;
    }
    const QTextCursor current = RichEdit2->textCursor();
    int from = current.hasSelection() ? current.selectionEnd() : 0;
    for (;;) {
        const int at = mainwindow::findInText(*RichEdit2->document(), word, from);
        if (at >= 0) {
            RichEdit2->setFocus();
            QTextCursor found(RichEdit2->document());
            found.setPosition(at);
            found.setPosition(at + static_cast<int>(word.size()), QTextCursor::KeepAnchor);
            RichEdit2->setTextCursor(found);
            return;
        }
        if (!platform::ui().confirm(kNotFound)) {
            return;
        }
        RichEdit2->moveCursor(QTextCursor::Start);
        from = 0;
    }
}

void TForm1::printContract(QTextEdit* edit) {
    if (!printing::printerReady()) {
        return;
    }
    PreviewPrinter1->PrintRichEdit(*edit);
    PreviewPrinter1->Preview();
}

void TForm1::SpeedButton28Click() {
    printContract(RichEdit2);
}

void TForm1::SpeedButton18Click() {
    DBRichEdit3->setEnabled(true);
    DBEdit1->setEnabled(true);
    const std::string model = platform::ys(ComboBox5->currentText());
    std::string name = "Korisnicki " + model;
    if (RichEdit2->document()->isEmpty()) {
        return;
    }
    KorisnickiUgovori.setFilter(database::filters::korisnickiByName(name));
    KorisnickiUgovori.setFiltered(true);
    if (!KorisnickiUgovori.isEmpty()) {
        const std::string suggestion = name + " (" + today() + ")";
        auto answer = platform::ui().input(
            kNameTaken, "Predlazemo da koristite naziv slican ovom:\r\n" + suggestion, suggestion);
        if (answer) {
            name = *answer;
        }
    }
    KorisnickiUgovori.setFiltered(false);
    // Not longer than the name field takes.
    const engine::Field nameField = KorisnickiUgovori.field(database::pos::kKorisnickiNaziv);
    if (nameField.size() > 0 && name.size() > static_cast<size_t>(nameField.size())) {
        name.resize(static_cast<size_t>(nameField.size()));
    }
    // One store: the new row is posted once, with its formatted text.
    KorisnickiUgovori.append();
    nameField.setString(name);
    KorisnickiUgovori.field(database::pos::kKorisnickiTekst)
        .setString(platform::ysPlain(RichEdit2->document()->toPlainText()));
    sredikorisnicki();
    KorisnickiUgovori.post();
    PageControl3->setCurrentIndex(kUserPage);
}

void TForm1::sredikorisnicki() {
    QTextDocument& doc = *DBRichEdit3->document();
    // One change of the field for the whole formatting.
    QTextCursor block(&doc);
    block.beginEditBlock();
    mainwindow::setContractIndents(doc);
    QTextCursor all(&doc);
    all.select(QTextCursor::Document);
    QTextCharFormat face;
    face.setFontFamilies({fonts::textFont(false).family()});
    all.mergeCharFormat(face);
    ubaciclanove1(DBRichEdit3);
    block.endEditBlock();
    DBRichEdit3->moveCursor(QTextCursor::Start);
}

void TForm1::PageControl3Change() {
    if (PageControl3->currentIndex() == kUserPage) {
        DBRichEdit3->setEnabled(KorisnickiUgovori.active() && !KorisnickiUgovori.isEmpty());
        DBEdit1->setEnabled(DBRichEdit3->isEnabled());
        SpeedButton29->setEnabled(true);
    } else {
        SpeedButton29->setEnabled(false);
        snimikorisnicki();
    }
}

void TForm1::snimikorisnicki() {
    if (!KorisnickiUgovori.active() || KorisnickiUgovori.state() == engine::State::Browse) {
        return;
    }
    try {
        KorisnickiUgovori.post();
    } catch (const engine::Error& e) {
        platform::log(std::string("storing a user contract: ") + e.what());
        GreskaUSnimanju();
    }
}

void TForm1::SpeedButton4Click() {
    if (KorisnickiUgovori.isEmpty() && KorisnickiUgovori.state() == engine::State::Browse) {
        DBRichEdit3->setEnabled(false);
    } else {
        KorisnickiUgovori.deleteRecord();
    }
    DBEdit1->setEnabled(DBRichEdit3->isEnabled());
}

void TForm1::SpeedButton16Click() {
    if (KorisnickiUgovori.active() && !KorisnickiUgovori.isEmpty()) {
        printContract(DBRichEdit3);
    }
}

void TForm1::SpeedButton29Click() {
    const std::string model = platform::ys(ComboBox5->currentText());
    KorisnickiUgovori.setFilter(database::filters::korisnickiByNameSpaced(model));
    KorisnickiUgovori.setFiltered(true);
    if (KorisnickiUgovori.isEmpty()) {
        platform::ui().message(kNoUserContract);
    } else if (platform::ui().confirm(kDeleteQuestion + model, platform::Icon::Warning)) {
        KorisnickiUgovori.deleteRecord();
    }
    KorisnickiUgovori.setFiltered(false);
    sredicombo5();
}
