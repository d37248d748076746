// Page 5 "&Arhiva": the regulations that have an older or a newer version,
// narrowed by title, and the versions around the selected one.
#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "mainwindow/tform1.h"
#include "platform/guard.h"
#include "platform/textconv.h"
#include "platform/windowframe.h"
#include "search/archive.h"
#include "widgets/apphint.h"
#include "widgets/reportlist.h"
#include "widgets/searchfield.h"

namespace {

widgets::ReportList* versionList(QWidget* parent, const char* name) {
    auto* list = new widgets::ReportList(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setColumns({{"Naziv propisa", 400, false, lists::Rule::Title},
                      {"Broj/Godina", 150, true, lists::Rule::Plain}});
    return list;
}

// The upper panel takes half the page's height less 45 pixels, also when
// the page gets its size only after the window's own resize has run.
class UpperPanelHeight final : public QObject {
  public:
    UpperPanelHeight(QWidget* page, QWidget* panel) : QObject(page), page_(page), panel_(panel) {
        page->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == page_ && event->type() == QEvent::Resize) {
            panel_->setFixedHeight(
                std::max(static_cast<int>(std::lround(page_->height() / 2.0)) - 45, 0));
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QWidget* page_;
    QWidget* panel_;
};

// The row's "Broj/Godina".
std::string bgOf(const lists::Row& row) {
    return row.sub.empty() ? std::string() : row.sub[0];
}

// "Uporedi verzije" under the version list: enabled while the list shows a
// chain; asks to compare the selected version (else the archive list's
// selected regulation) with the one before it.
void addCompareButton(TForm1* form, QGroupBox* group, QVBoxLayout* layout,
                      widgets::ReportList* archive, widgets::ReportList* versions) {
    QToolButton* button = platform::textButton(group, "SpeedButtonUporedi", "Uporedi verzije",
                                               "Prikaz razlika izme|u dve verzije propisa");
    button->setEnabled(false);
    auto* row = new QHBoxLayout;
    row->addWidget(button);
    row->addStretch(1);
    layout->addLayout(row);
    auto follow = [button, versions] { button->setEnabled(versions->count() >= 2); };
    QAbstractItemModel* model = versions->model();
    QObject::connect(model, &QAbstractItemModel::modelReset, button, follow);
    QObject::connect(model, &QAbstractItemModel::rowsInserted, button, follow);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, button, follow);
    platform::connectGuarded(button, &QToolButton::clicked, form, [form, archive, versions] {
        const lists::Row* row = versions->selected();
        if (row == nullptr) {
            row = archive->selected();
        }
        if (row != nullptr) {
            Q_EMIT form->compareRequested(row->caption, bgOf(*row));
        }
    });
}

}  // namespace

void TForm1::buildPageArhiva() {
    auto* page = new QVBoxLayout(TabSheet13);

    // The upper panel: the search and the archive list.
    Panel24 = new QWidget(TabSheet13);
    Panel24->setObjectName(QStringLiteral("Panel24"));
    auto* upper = new QVBoxLayout(Panel24);
    upper->setContentsMargins(0, 0, 0, 0);
    auto* searchRow = new QHBoxLayout;
    auto* label = new QLabel(platform::qs("Naziv ili deo naziva propisa za pretragu"), Panel24);
    Edit7 = new QLineEdit(Panel24);
    Edit7->setObjectName(QStringLiteral("Edit7"));
    widgets::setHint(Edit7, "Unesite naziv ili deo naziva propisa koji `elite da prona|ete");
    widgets::makeSearchField(Edit7);
    label->setBuddy(Edit7);
    QToolButton* start =
        platform::textButton(Panel24, "SpeedButton22", "Pretra`i", "Po~ni pretragu");
    start->setMinimumWidth(90);
    SpeedButton22 = start;
    searchRow->addWidget(label);
    searchRow->addWidget(Edit7, 1);
    searchRow->addWidget(start);
    upper->addLayout(searchRow);

    auto* archive = new QGroupBox(
        platform::qs("Izbor propisa koji imaju stariju ili noviju verziju "), Panel24);
    archive->setObjectName(QStringLiteral("GroupBoxArhiva"));
    widgets::setHint(archive,
                     "Spirak propisa koji imaju stariju ili noviju verziju prikazan po "
                     "zadatoj pretrazi");
    auto* archiveLayout = new QVBoxLayout(archive);
    ListBox7 = versionList(archive, "ListBox7");
    archiveLayout->addWidget(ListBox7);
    upper->addWidget(archive, 1);
    page->addWidget(Panel24);

    auto* versions = new QGroupBox(
        platform::qs("Aktuelni propis sa prethodnim verzijama izabranog propisa "), TabSheet13);
    versions->setObjectName(QStringLiteral("GroupBoxVerzije"));
    auto* versionsLayout = new QVBoxLayout(versions);
    Listbox9 = versionList(versions, "Listbox9");
    versionsLayout->addWidget(Listbox9);
    addCompareButton(this, versions, versionsLayout, ListBox7, Listbox9);
    page->addWidget(versions, 1);
    new UpperPanelHeight(TabSheet13, Panel24);

    platform::connectGuarded(Edit7, &QLineEdit::returnPressed, this,
                             [this] { SpeedButton22Click(); });
    platform::connectGuarded(start, &QToolButton::clicked, this, [this] { SpeedButton22Click(); });
    platform::connectGuarded(ListBox7, &widgets::ReportList::rowSelectionChanged, this,
                             [this] { arhivskiklik(); });
    platform::connectGuarded(ListBox7, &widgets::ReportList::rowActivated, this,
                             [this] { ListBox7DblClick(); });
    platform::connectGuarded(Listbox9, &widgets::ReportList::rowActivated, this,
                             [this] { ListBox9DblClick(); });
}

void TForm1::SpeedButton22Click() {
    searching(true);
    Listbox9->clear();
    // An empty text shows the saved copy again; the copy itself never changes.
    ListBox7->setRows(search::archiveTitleSearch(arhivacuvaj, platform::ys(Edit7->text())));
    if (ListBox7->count() > 0) {
        ListBox7->selectOnly(0);  // builds its version list
    }
    searching(false);
}

void TForm1::arhivskiklik() {
    const lists::Row* row = ListBox7->selected();
    if (row == nullptr || row->caption.empty()) {
        return;
    }
    Listbox9->clear();
    Listbox9->setRows(search::zbudziarhivu(*this, row->caption, bgOf(*row)));
}

void TForm1::ListBox7DblClick() {
    if (const lists::Row* row = ListBox7->selected()) {
        const lists::Row chosen = *row;
        open(chosen.caption, bgOf(chosen));
    }
}

void TForm1::ListBox9DblClick() {
    if (const lists::Row* row = Listbox9->selected()) {
        const lists::Row chosen = *row;
        open(chosen.caption, bgOf(chosen));
    }
}

void TForm1::skoknaarhivu(const std::string& title) {
    selectPage(kArhiva);
    widgets::setSearchText(Edit7, title);
    QCoreApplication::processEvents();
    SpeedButton22Click();
    Q_EMIT archiveJumped();
}
