// Page 2 "&Pretraga": the keyword search over titles, or titles and texts,
// optionally within one gazette, and its history entry.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "mainwindow/hitstrip.h"
#include "mainwindow/tform1.h"
#include "platform/guard.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "platform/windowframe.h"
#include "search/keyword.h"
#include "search/words.h"
#include "widgets/apphint.h"
#include "widgets/icons.h"
#include "widgets/reportlist.h"
#include "widgets/searchfield.h"
#include "widgets/windowmonitor.h"

namespace {

// Two lines joined by a line feed and a carriage return, in that order.
constexpr const char* kShortText =
    "Vas tekst za pretragu je prekratak. Na ovaj nacin program ce vam izlistati gotovo celu "
    "bazu!\n\rNastaviti pretragu?";

// The row icons with the legend's labels.
constexpr struct {
    int image;
    const char* label;
} kLegend[] = {
    {lists::kDocument, "Dokument (propis ili mi{ljenje)"},
    {lists::kWithNotes, "Dokument sa dodatnim informacijama"},
    {lists::kArchived, "Dokument koji se nalazi u arhivi"},
};

QGroupBox* legend(QWidget* parent) {
    auto* box = new QGroupBox(platform::qs("Legenda (obja{njenje izgleda ikonica)"), parent);
    box->setObjectName(QStringLiteral("GroupBoxLegenda"));
    auto* grid = new QGridLayout(box);
    int line = 0;
    for (const auto& entry : kLegend) {
        auto* icon = new QLabel(box);
        icon->setPixmap(widgets::image(entry.image).pixmap(16, 16));
        grid->addWidget(icon, line, 0);
        grid->addWidget(new QLabel(platform::qs(entry.label), box), line, 1);
        ++line;
    }
    grid->setColumnStretch(1, 1);
    return box;
}

}  // namespace

void TForm1::buildPagePretraga() {
    auto* page = new QVBoxLayout(TabSheetPretraga);
    auto* top = new QHBoxLayout;
    auto* fields = new QGridLayout;

    auto* textLabel = new QLabel(platform::qs("Kju~ne re~i ili delovi re~i  (redosled nije va`an)"),
                                 TabSheetPretraga);
    Edit2 = new QLineEdit(TabSheetPretraga);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    widgets::setHint(Edit2, "Pretraga po klju~noj re~i");
    widgets::makeSearchField(Edit2);
    platform::connectGuarded(Edit2, &QLineEdit::returnPressed, this,
                             [this] { SpeedButton1Click(); });
    textLabel->setBuddy(Edit2);
    QToolButton* start =
        platform::textButton(TabSheetPretraga, "SpeedButton1", "Pre&tra`i", "Po~ni pretragu");
    start->setMinimumWidth(90);
    platform::connectGuarded(start, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    SpeedButton1 = start;
    fields->addWidget(textLabel, 0, 0, 1, 2);
    fields->addWidget(Edit2, 1, 0);
    fields->addWidget(start, 1, 1);

    auto* scope = new QHBoxLayout;
    RadioButton6 = new QRadioButton(platform::qs("Tra`i po naslovima (brzo)"), TabSheetPretraga);
    RadioButton6->setObjectName(QStringLiteral("RadioButton6"));
    RadioButton6->setChecked(true);
    RadioButton5 =
        new QRadioButton(platform::qs("Tra`i po naslovima i tekstovima (sporo)"), TabSheetPretraga);
    RadioButton5->setObjectName(QStringLiteral("RadioButton5"));
    scope->addWidget(RadioButton6);
    scope->addWidget(RadioButton5);
    scope->addStretch(1);
    fields->addLayout(scope, 2, 0, 1, 2);

    auto* gazetteRow = new QHBoxLayout;
    auto* gazetteLabel =
        new QLabel(platform::qs("Pretraga samo po odre|enim glasilima"), TabSheetPretraga);
    ComboBox4 = new QComboBox(TabSheetPretraga);
    ComboBox4->setObjectName(QStringLiteral("ComboBox4"));
    ComboBox4->setMinimumContentsLength(40);
    widgets::setHint(ComboBox4, "Opcija da se pretraga vr{i samo po izabranom glasniku");
    gazetteLabel->setBuddy(ComboBox4);
    gazetteRow->addWidget(gazetteLabel);
    gazetteRow->addWidget(ComboBox4);
    gazetteRow->addStretch(1);
    fields->addLayout(gazetteRow, 3, 0, 1, 2);
    fields->setColumnStretch(0, 1);

    top->addLayout(fields, 1);
    top->addWidget(legend(TabSheetPretraga), 0, Qt::AlignTop);
    page->addLayout(top);

    ListBox2 = new widgets::ReportList(TabSheetPretraga);
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    ListBox2->setColumns({{"Ime propisa", 400, false, lists::Rule::Title},
                          {"Slu`beni glasnik", 250, true, lists::Rule::Plain},
                          {"Broj/Godina", 100, true, lists::Rule::YearFirst}});
    widgets::setHint(ListBox2, "Lista propisa po zadatom kriterijumu");
    platform::connectGuarded(ListBox2, &widgets::ReportList::rowActivated, this,
                             [this] { ListBox2DblClick(); });
    page->addWidget(ListBox2, 1);
    KontekstPretrage = new HitStrip(TabSheetPretraga, "KontekstPretrage");
    page->addWidget(KontekstPretrage);
    platform::connectGuarded(ListBox2, &widgets::ReportList::rowSelectionChanged, this,
                             [this] { pokazikontekst(false); });
}

void TForm1::SpeedButton1Click() {
    const std::string text = platform::ys(Edit2->text());
    // 1. Cancel leaves everything as it was; a re-run from the history that
    // is cancelled must not keep the next search out of the history.
    if (search::needsShortTextQuestion(text) &&
        !platform::ui().confirm(kShortText, platform::Icon::Question)) {
        ponovljenaPretraga = false;
        return;
    }
    // 2.
    searching(true);
    // 3. The gazette's position in the chooser is its ID_GLASNIKA.
    search::KeywordQuery query;
    query.text = text;
    query.scope = RadioButton5->isChecked() ? search::Scope::TitlesAndTexts : search::Scope::Titles;
    query.gazette = std::max(ComboBox4->currentIndex(), 0);
    // 4. to 7.
    ListBox2->clear();
    widgets::WindowMonitor monitor = pageMonitor();
    const search::KeywordOutcome outcome = search::keywordSearch(
        *this, query, monitor, [this](search::Row row) { ListBox2->addRow(std::move(row)); });
    keywordHits_ = search::hitWords(text, search::HitRule::Regulation);
    keywordTexts_ = query.scope == search::Scope::TitlesAndTexts;
    // 8. Also after Escape, with the rows found so far.
    if (!ponovljenaPretraga && !text.empty()) {
        dodajpretragu(lists::historyEntry(text, outcome.summary));
    }
    // 9.
    ponovljenaPretraga = false;
    ProgressBar1->setValue(0);
    searching(false);
}

void TForm1::ListBox2DblClick() {
    const lists::Row* row = ListBox2->selected();
    if (row == nullptr) {
        return;
    }
    const std::string title = row->caption;
    const std::string bg = row->sub.size() > 1 ? row->sub[1] : std::string();
    Q_EMIT searchHitsForOpening(keywordHits_);
    open(title, bg);
    Q_EMIT searchHitsForOpening({});
    dodajuceste(title);
}
