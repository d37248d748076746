// Page 3 "^&esto kori{}eni propisi": the remembered lists and what acts on
// them: reopening a regulation, running a stored search again, emptying the
// lists, and the newest regulations in the selection window.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

#include "database/lookups.h"
#include "mainwindow/tform1.h"
#include "platform/guard.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "platform/windowframe.h"
#include "widgets/apphint.h"
#include "widgets/reportlist.h"

namespace {

constexpr const char* kOpinionTitle = "Za pristup misljenjima koristite deo Misljenja";
// Two lines joined by a line feed and a carriage return, in that order.
constexpr const char* kNoNewest =
    "Ne postoji ni jedan propis u listi najnovijih.\n\r"
    "Ovu listu mozete koristit tek nakon prvog azuriranja.";

// Enter in a list does what a double click does.
class EnterKey final : public QObject {
  public:
    EnterKey(QListWidget* list, std::function<void()> action)
        : QObject(list), action_(std::move(action)) {
        list->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                platform::guarded(action_);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> action_;
};

// The position of the selected entry, -1 when none is selected.
int selectedEntry(const QListWidget* list) {
    const int row = list->currentRow();
    if (row < 0 || list->item(row) == nullptr || !list->item(row)->isSelected()) {
        return -1;
    }
    return row;
}

QGroupBox* group(QWidget* parent, const char* name, const char* caption) {
    auto* box = new QGroupBox(platform::qs(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QListWidget* listIn(QGroupBox* box, const char* name, const char* hint) {
    auto* list = new QListWidget(box);
    list->setObjectName(QString::fromLatin1(name));
    widgets::setHint(list, hint);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(list);
    return list;
}

QSpinBox* limitField(QWidget* parent, const char* name, const char* hint) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(lists::kLimitMin, lists::kLimitMax);
    spin->setValue(lists::kLimitDefault);
    widgets::setHint(spin, hint);
    return spin;
}

}  // namespace

void TForm1::buildPageListe() {
    auto* grid = new QGridLayout(TabSheetListe);

    QGroupBox* recent = group(TabSheetListe, "GroupBoxCesti", "^esto kori{}eni propisi");
    ListBox5 = listIn(recent, "ListBox5",
                      "Poslednjih nekoliko otvaranih propisa  - dupli klik otvara propis");
    QGroupBox* history = group(TabSheetListe, "GroupBoxPretrage", "Poslednjih nekoliko pretraga");
    ListBox4 =
        listIn(history, "ListBox4", "Poslednjih nekoliko pretraga - dupli klik rekreira pretragu");
    grid->addWidget(recent, 0, 0);
    grid->addWidget(history, 0, 1);

    QGroupBox* limits =
        group(TabSheetListe, "GroupBoxPamcenje", "Pode{avanja za pam}enje poslednjih pretraga");
    auto* limitsLayout = new QGridLayout(limits);
    SpinEdit2 = limitField(limits, "SpinEdit2",
                           "Izaberite koli~inu skoro kori{}enih propisa koji se pamte");
    SpinEdit4 = limitField(limits, "SpinEdit4", "Izaberite koli~inu pretraga koje se pamte");
    limitsLayout->addWidget(
        new QLabel(platform::qs("Koliko poslednjih ~esto kori{}enih propisa se pamti"), limits), 0,
        0);
    limitsLayout->addWidget(SpinEdit2, 0, 1);
    limitsLayout->addWidget(new QLabel(platform::qs("Koliko poslednjih pretraga se pamti"), limits),
                            1, 0);
    limitsLayout->addWidget(SpinEdit4, 1, 1);
    SpeedButton24 = platform::textButton(limits, "SpeedButton24", "Obri{i list&u", "Obri{i listu");
    SpeedButton25 = platform::textButton(limits, "SpeedButton25", "Obri{i &listu", "Obri{i listu");
    limitsLayout->addWidget(SpeedButton24, 0, 2);
    limitsLayout->addWidget(SpeedButton25, 1, 2);
    limitsLayout->setColumnStretch(3, 1);
    limitsLayout->setRowStretch(2, 1);
    grid->addWidget(limits, 1, 0);

    auto* quick = new QWidget(TabSheetListe);
    auto* quickLayout = new QVBoxLayout(quick);
    quickLayout->setContentsMargins(0, 0, 0, 0);
    quickLayout->addWidget(new QLabel(platform::qs("Propisi ozna~eni za brzo otvaranje"), quick));
    ListBox8 = new QListWidget(quick);
    ListBox8->setObjectName(QStringLiteral("ListBox8"));
    widgets::setHint(ListBox8, "Lista propisa obele`enih za brzo otvaranje");
    quickLayout->addWidget(ListBox8);
    SpeedButton21 = platform::textButton(quick, "SpeedButton21", "O&bri{i",
                                         "Bri{e izabrani propis sa liste za brzo otvaranje");
    quickLayout->addWidget(SpeedButton21, 0, Qt::AlignLeft);
    grid->addWidget(quick, 1, 1);

    QGroupBox* newest =
        group(TabSheetListe, "GroupBoxNajnoviji", "Propisi dobijeni poslednjim a`uriranjem ");
    auto* newestLayout = new QHBoxLayout(newest);
    SpeedButton10 = platform::textButton(newest, "SpeedButton10", "Lista najnovijih propisa",
                                         "Prikaz liste propisa iz poslednjeg a`uriranja");
    newestLayout->addWidget(SpeedButton10);
    newestLayout->addStretch(1);
    grid->addWidget(newest, 2, 0, 1, 2);
    grid->setRowStretch(0, 3);
    grid->setRowStretch(1, 2);

    platform::connectGuarded(ListBox5, &QListWidget::itemDoubleClicked, this,
                             [this] { ListBox5DblClick(); });
    platform::connectGuarded(ListBox4, &QListWidget::itemDoubleClicked, this,
                             [this] { ListBox4DblClick(); });
    platform::connectGuarded(ListBox8, &QListWidget::itemDoubleClicked, this,
                             [this] { ListBox8DblClick(); });
    new EnterKey(ListBox5, [this] { ListBox5DblClick(); });
    new EnterKey(ListBox4, [this] { ListBox4DblClick(); });
    platform::connectGuarded(SpeedButton21, &QToolButton::clicked, this,
                             [this] { SpeedButton21Click(); });
    platform::connectGuarded(SpeedButton24, &QToolButton::clicked, this,
                             [this] { SpeedButton24Click(); });
    platform::connectGuarded(SpeedButton25, &QToolButton::clicked, this,
                             [this] { SpeedButton25Click(); });
    platform::connectGuarded(SpeedButton10, &QToolButton::clicked, this,
                             [this] { SpeedButton10Click(); });
}

void TForm1::ListBox5DblClick() {
    const int entry = selectedEntry(ListBox5);
    if (entry < 0) {
        return;
    }
    // The list is not changed: the title is already in it.
    open(liste.recent.at(static_cast<size_t>(entry)));
}

void TForm1::ListBox8DblClick() {
    const int entry = selectedEntry(ListBox8);
    if (entry < 0) {
        return;
    }
    const std::string title = liste.quick.at(static_cast<size_t>(entry));
    if (!openQuick(title)) {
        // An opinion marked in the document window opens from its own page.
        platform::ui().message(kOpinionTitle);
        liste.quick.erase(liste.quick.begin() + entry);
        prikaziliste();
    }
    sredibrze();
}

void TForm1::PopupMenuItemsClick(int position) {
    if (position < 0 || static_cast<size_t>(position) >= liste.quick.size()) {
        return;
    }
    // A title no regulation has opens nothing, silently.
    openQuick(liste.quick[static_cast<size_t>(position)]);
}

void TForm1::ListBox4DblClick() {
    const int entry = selectedEntry(ListBox4);
    if (entry < 0 || Edit2 == nullptr) {
        return;
    }
    const std::string& stored = liste.history.at(static_cast<size_t>(entry));
    // The quote doubled in the entry comes back single: the same text runs.
    Edit2->setText(platform::qs(lists::historySearchText(stored)));
    selectPage(kPretraga);
    if (lists::historySearchesTexts(stored)) {
        RadioButton5->setChecked(true);
    } else {
        RadioButton6->setChecked(true);
    }
    // The gazette chosen now applies; the re-run adds no history entry.
    ponovljenaPretraga = true;
    SpeedButton1Click();
    ponovljenaPretraga = false;
}

void TForm1::SpeedButton21Click() {
    const int entry = selectedEntry(ListBox8);
    if (entry < 0) {
        return;
    }
    liste.quick.erase(liste.quick.begin() + entry);
    prikaziliste();
    sredibrze();
}

void TForm1::SpeedButton24Click() {
    liste.recent.clear();
    prikaziliste();
}

void TForm1::SpeedButton25Click() {
    liste.history.clear();
    prikaziliste();
}

void TForm1::SpeedButton10Click() {
    if (liste.newest.empty()) {
        platform::ui().message(kNoNewest);
        return;
    }
    if (!links.showSelection) {
        return;
    }
    std::vector<lists::Row> rows;
    rows.reserve(liste.newest.size());
    for (const std::string& title : liste.newest) {
        // A title no regulation has gets two empty columns.
        std::string gazette = nadjiglasnik(title);
        rows.push_back(lists::Row{title, {std::move(gazette), nadjibroj(title)}, lists::kDocument});
    }
    links.showSelection(std::move(rows));
}
