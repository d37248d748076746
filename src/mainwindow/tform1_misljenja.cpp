// Page 4 "M&i{ljenja": ministries' official opinions, found by words in the
// title or the text or by the date of publication, optionally of one
// ministry, and shown in the document window.
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>
#include <optional>

#include "mainwindow/hitstrip.h"
#include "mainwindow/tform1.h"
#include "platform/guard.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "platform/windowframe.h"
#include "search/keep.h"
#include "search/opinions.h"
#include "search/words.h"
#include "widgets/apphint.h"
#include "widgets/reportlist.h"
#include "widgets/searchfield.h"
#include "widgets/windowmonitor.h"

namespace {

// Two lines joined by a line feed and a carriage return, in that order.
constexpr const char* kShortText =
    "Vas tekst za pretragu je prekratak. Na ovaj nacin program ce vam izlistati gotovo celu "
    "bazu!\n\rNastaviti pretragu?";

// The year fields reach the current year, so that opinions published lately
// can be found by date (never below the year the fields first stopped at).
int lastYear() {
    return std::max(QDate::currentDate().year(), 2020);
}

QSpinBox* dateField(QWidget* parent, const char* name, int min, int max, int value) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(min, max);
    spin->setValue(value);
    // Only the arrows change the number.
    if (auto* edit = spin->findChild<QLineEdit*>()) {
        edit->setReadOnly(true);
    }
    return spin;
}

// Typing into the ministry chooser opens its list.
class OpenOnTyping final : public QObject {
  public:
    explicit OpenOnTyping(QComboBox* box) : QObject(box), box_(box) {
        box->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const QString typed = static_cast<QKeyEvent*>(event)->text();
            if (!typed.isEmpty() && typed.at(0).isPrint()) {
                box_->showPopup();
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QComboBox* box_;
};

QToolButton* searchButton(QWidget* parent, const char* name, const char* caption) {
    QToolButton* button = platform::textButton(parent, name, caption, nullptr);
    button->setMinimumWidth(90);
    return button;
}

}  // namespace

void TForm1::buildPageMisljenja() {
    auto* page = new QVBoxLayout(TabSheetMisljenja);

    Listbox6 = new widgets::ReportList(TabSheetMisljenja);
    Listbox6->setObjectName(QStringLiteral("Listbox6"));
    Listbox6->setColumns({{"Naziv mi{ljenja", 400, false, lists::Rule::Title},
                          {"Datum objavljivanja", 130, true, lists::Rule::Date}});
    widgets::setHint(Listbox6, "Lista mi{ljenja po zadatom kriterijumu");
    page->addWidget(Listbox6, 1);
    KontekstMisljenja = new HitStrip(TabSheetMisljenja, "KontekstMisljenja");
    page->addWidget(KontekstMisljenja);
    platform::connectGuarded(Listbox6, &widgets::ReportList::rowSelectionChanged, this,
                             [this] { pokazikontekst(true); });

    auto* groups = new QHBoxLayout;
    page->addLayout(groups);

    // The ministry choice.
    auto* ministries = new QGroupBox(platform::qs("Izbor po ministarstvima"), TabSheetMisljenja);
    ministries->setObjectName(QStringLiteral("GroupBoxMinistarstva"));
    auto* ministriesLayout = new QVBoxLayout(ministries);
    ComboBox1 = new QComboBox(ministries);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setMinimumContentsLength(30);
    ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    widgets::setHint(ComboBox1, "Izbor mi{ljenja po ministarstvima");
    new OpenOnTyping(ComboBox1);
    ministriesLayout->addWidget(ComboBox1);
    ministriesLayout->addStretch(1);
    groups->addWidget(ministries);

    // The keyword search.
    auto* words = new QGroupBox(platform::qs("Pretraga mi{ljenja"), TabSheetMisljenja);
    words->setObjectName(QStringLiteral("GroupBoxPretragaMisljenja"));
    auto* wordsLayout = new QVBoxLayout(words);
    auto* scope = new QGroupBox(platform::qs("Opseg pretrage"), words);
    scope->setObjectName(QStringLiteral("GroupBoxOpseg"));
    auto* scopeLayout = new QVBoxLayout(scope);
    RadioButton4 = new QRadioButton(platform::qs("Pretraga mi{ljenja po naslovima (brzo)"), scope);
    RadioButton4->setObjectName(QStringLiteral("RadioButton4"));
    RadioButton4->setChecked(true);
    RadioButton3 = new QRadioButton(
        platform::qs("Pretraga mi{ljenja po naslovima i tekstovima (sporo)"), scope);
    RadioButton3->setObjectName(QStringLiteral("RadioButton3"));
    scopeLayout->addWidget(RadioButton4);
    scopeLayout->addWidget(RadioButton3);
    wordsLayout->addWidget(scope);
    auto* wordLabel = new QLabel(platform::qs("Klju~na re~ za pretragu"), words);
    wordsLayout->addWidget(wordLabel);
    auto* wordRow = new QHBoxLayout;
    Edit8 = new QLineEdit(words);
    Edit8->setObjectName(QStringLiteral("Edit8"));
    widgets::setHint(Edit8, "Unesite re~ ili deo re~i za pretragu");
    widgets::makeSearchField(Edit8);
    wordLabel->setBuddy(Edit8);
    SpeedButton14 = searchButton(words, "SpeedButton14", "Pr&etra`i");
    widgets::setHint(SpeedButton14, "Po~ni pretragu");
    wordRow->addWidget(Edit8, 1);
    wordRow->addWidget(SpeedButton14);
    wordsLayout->addLayout(wordRow);
    groups->addWidget(words, 1);

    // The date search.
    auto* dates = new QGroupBox(platform::qs("Pretraga mi{ljenja po datumu"), TabSheetMisljenja);
    dates->setObjectName(QStringLiteral("GroupBoxDatum"));
    auto* datesLayout = new QGridLayout(dates);
    const int year = lastYear();
    SpinEdit5 = dateField(dates, "SpinEdit5", 1, 31, 1);
    SpinEdit6 = dateField(dates, "SpinEdit6", 0, 12, 1);
    SpinEdit13 = dateField(dates, "SpinEdit13", 1900, year, 1950);
    SpinEdit14 = dateField(dates, "SpinEdit14", 1, 31, 31);
    SpinEdit15 = dateField(dates, "SpinEdit15", 0, 12, 12);
    SpinEdit16 = dateField(dates, "SpinEdit16", 1900, year, year);
    const char* heads[] = {"Dan", "Mesec", "Godina"};
    for (int i = 0; i < 3; ++i) {
        datesLayout->addWidget(new QLabel(platform::qs(heads[i]), dates), 0, i + 1,
                               Qt::AlignHCenter);
    }
    datesLayout->addWidget(new QLabel(platform::qs("Od: "), dates), 1, 0);
    datesLayout->addWidget(new QLabel(platform::qs("Do: "), dates), 2, 0);
    QSpinBox* const fields[2][3] = {{SpinEdit5, SpinEdit6, SpinEdit13},
                                    {SpinEdit14, SpinEdit15, SpinEdit16}};
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 3; ++col) {
            QSpinBox* spin = fields[row][col];
            datesLayout->addWidget(spin, row + 1, col + 1);
            platform::connectGuarded(spin, &QSpinBox::valueChanged, this,
                                     [this, spin] { SpinEditChange(spin); });
        }
    }
    SviDatumi = new QCheckBox(platform::qs("Sve"), dates);
    SviDatumi->setObjectName(QStringLiteral("SviDatumi"));
    SviDatumi->setChecked(true);
    SpeedButton13 = searchButton(dates, "SpeedButton13", "Pretra`i");
    QFont bold = SpeedButton13->font();
    bold.setBold(true);
    SpeedButton13->setFont(bold);
    Label59 = new QLabel(platform::qs("Pretraga po datumima vr{i se nezavisno"), dates);
    Label59->setObjectName(QStringLiteral("Label59"));
    datesLayout->addWidget(SviDatumi, 1, 4);
    datesLayout->addWidget(SpeedButton13, 2, 4);
    datesLayout->addWidget(Label59, 3, 0, 1, 5);
    groups->addWidget(dates);

    platform::connectGuarded(ComboBox1, &QComboBox::currentIndexChanged, this,
                             [this] { izbormistara(); });
    platform::connectGuarded(Edit8, &QLineEdit::returnPressed, this,
                             [this] { SpeedButton14Click(); });
    platform::connectGuarded(SpeedButton14, &QToolButton::clicked, this,
                             [this] { SpeedButton14Click(); });
    platform::connectGuarded(SpeedButton13, &QToolButton::clicked, this,
                             [this] { SpeedButton13Click(); });
    platform::connectGuarded(SviDatumi, &QCheckBox::clicked, this, [this] { SviDatumiClick(); });
    platform::connectGuarded(Listbox6, &widgets::ReportList::rowActivated, this,
                             [this] { ListBox6DblClick(); });
    SviDatumiClick();
}

namespace {

// The chosen ministry's name; none for "Sve" (the first entry).
std::optional<std::string> chosenMinistry(const QComboBox* box, int index) {
    if (index <= 0 || index >= box->count()) {
        return std::nullopt;
    }
    return platform::ys(box->itemText(index));
}

}  // namespace

void TForm1::izbormistara() {
    const int index = ComboBox1->currentIndex();
    // Only another entry counts; the entries added at start change nothing.
    if (index < 0 || index == ministryIndex || !misljenja.active()) {
        return;
    }
    ministryIndex = index;
    Edit8->clear();
    search::applyMinistry(*this, chosenMinistry(ComboBox1, ministryIndex));
}

void TForm1::SpeedButton14Click() {
    const std::string text = platform::ys(Edit8->text());
    if (search::needsShortTextQuestion(text) &&
        !platform::ui().confirm(kShortText, platform::Icon::Question)) {
        return;
    }
    searching(true);
    Listbox6->clear();
    search::OpinionQuery query;
    query.text = text;
    query.scope = RadioButton3->isChecked() ? search::Scope::TitlesAndTexts : search::Scope::Titles;
    query.ministry = chosenMinistry(ComboBox1, ministryIndex);
    // Opinion searches run to the end: Escape does not stop them.
    widgets::WindowMonitor monitor(ProgressBar1, {});
    Listbox6->setRows(search::opinionKeywordSearch(*this, query, monitor));
    opinionHits_ = search::hitWords(text, search::HitRule::Opinion);
    opinionTexts_ = query.scope == search::Scope::TitlesAndTexts;
    ProgressBar1->setValue(0);
    searching(false);
}

void TForm1::SpeedButton13Click() {
    searching(true);
    std::optional<search::DateRange> range;
    if (!SviDatumi->isChecked()) {
        range = search::DateRange{SpinEdit5->value(),  SpinEdit6->value(),  SpinEdit13->value(),
                                  SpinEdit14->value(), SpinEdit15->value(), SpinEdit16->value()};
    }
    Listbox6->setRows(
        search::opinionDateSearch(*this, range, chosenMinistry(ComboBox1, ministryIndex)));
    opinionHits_ = {};
    searching(false);
}

void TForm1::SviDatumiClick() {
    const bool on = !SviDatumi->isChecked();
    for (QWidget* control :
         std::initializer_list<QWidget*>{SpinEdit5, SpinEdit6, SpinEdit13, SpinEdit14, SpinEdit15,
                                         SpinEdit16, Label59, SpeedButton13}) {
        control->setEnabled(on);
    }
}

void TForm1::SpinEditChange(QSpinBox* changed) {
    // Each from-number with its to-number: day, month, year.
    const std::pair<QSpinBox*, QSpinBox*> pairs[] = {
        {SpinEdit5, SpinEdit14}, {SpinEdit6, SpinEdit15}, {SpinEdit13, SpinEdit16}};
    for (const auto& [from, to] : pairs) {
        if (changed == from && from->value() > to->value()) {
            from->setValue(to->value());
        } else if (changed == to && to->value() < from->value()) {
            to->setValue(from->value());
        }
    }
}

void TForm1::ListBox6DblClick() {
    const lists::Row* row = Listbox6->selected();
    if (row == nullptr || !links.showOpinion) {
        return;
    }
    const std::string title = row->caption;
    const std::string date = row->sub.empty() ? std::string() : row->sub[0];
    // The row names its opinion by title and date, whatever ministry is
    // chosen now (the list may be older than the choice). The opinions get
    // their restriction back when the document window has closed.
    search::KeepDataset keep(misljenja);
    misljenja.setMasterFields("");
    if (search::positionOpinion(*this, title, date)) {
        Q_EMIT searchHitsForOpening(opinionHits_);
        links.showOpinion(title);
        Q_EMIT searchHitsForOpening({});
    }
    keep.restore();
}
