// Page 1 "&Oblasti": browse by area and type, the phrase search within the
// listed area, and the main window's start-up fill (poubacuj).
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "mainwindow/tform1.h"
#include "platform/guard.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "platform/windowframe.h"
#include "search/areas.h"
#include "search/startup.h"
#include "widgets/apphint.h"
#include "widgets/icons.h"
#include "widgets/reportlist.h"
#include "widgets/searchfield.h"
#include "widgets/windowmonitor.h"

namespace {

constexpr const char* kNothingFound = "Nije pronadjen nijedan propis po ovom kriterijumu pretrage";

// The type entries until the start-up fill reads the types table.
constexpr const char* kDesignTypes[] = {"Sve",    "Zakone",   "Uredbe", "Pravilnike",
                                        "Odluke", "Uputstva", "Naredbe"};

QTreeWidgetItem* selectedNode(const QTreeWidget* tree) {
    const auto selected = tree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

// The node's position: the root 0, its children 1, 2 and onwards.
int areaPosition(const QTreeWidgetItem* node) {
    const QTreeWidgetItem* parent = node->parent();
    return parent == nullptr ? 0 : parent->indexOfChild(const_cast<QTreeWidgetItem*>(node)) + 1;
}

}  // namespace

void TForm1::buildPageOblasti() {
    auto* layout = new QHBoxLayout(TabSheetOblasti);
    auto* splitter = new QSplitter(Qt::Horizontal, TabSheetOblasti);
    splitter->setObjectName(QStringLiteral("SplitterOblasti"));

    TreeView1 = new QTreeWidget(splitter);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeView1->setIconSize(QSize(16, 16));
    widgets::setHint(TreeView1,
                     "Izbor propisa po oblastima - jednom kliknite za otvaranje liste propisa");
    platform::connectGuarded(TreeView1, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (selectedNode(TreeView1) != nullptr) {
            TreeView1Change();
        }
    });

    auto* right = new QWidget(splitter);
    auto* column = new QVBoxLayout(right);
    column->setContentsMargins(0, 0, 0, 0);

    auto* typeRow = new QHBoxLayout;
    auto* typeLabel = new QLabel(platform::qs("Izlistaj: "), right);
    ComboBox3 = new QComboBox(right);
    ComboBox3->setObjectName(QStringLiteral("ComboBox3"));
    for (const char* type : kDesignTypes) {
        ComboBox3->addItem(platform::qs(type));
    }
    ComboBox3->setCurrentIndex(0);
    ComboBox3->setMinimumContentsLength(16);
    widgets::setHint(ComboBox3, "Filter za prikaz zakona");
    platform::connectGuarded(ComboBox3, &QComboBox::activated, this, [this] { ComboBox3Change(); });
    typeLabel->setBuddy(ComboBox3);
    typeRow->addWidget(typeLabel);
    typeRow->addWidget(ComboBox3);
    typeRow->addStretch(1);
    column->addLayout(typeRow);

    ListBox3 = new widgets::ReportList(right);
    ListBox3->setObjectName(QStringLiteral("ListBox3"));
    ListBox3->setColumns({{"Naziv propisa", 400, false, lists::Rule::Title},
                          {"Broj/godina", 100, true, lists::Rule::Plain}});
    widgets::setHint(ListBox3, "Lista propisa po zadatom kriterijumu");
    platform::connectGuarded(ListBox3, &widgets::ReportList::rowActivated, this,
                             [this] { ListBox3DblClick(); });
    column->addWidget(ListBox3, 1);

    auto* phraseLabel = new QLabel(
        platform::qs("Pretraga propisa iz izabrane oblasti po naslovu (cela fraza)"), right);
    column->addWidget(phraseLabel);
    auto* phraseRow = new QHBoxLayout;
    Edit11 = new QLineEdit(right);
    Edit11->setObjectName(QStringLiteral("Edit11"));
    widgets::setHint(Edit11, "Pretraga liste po klju~noj re~i");
    widgets::makeSearchField(Edit11);
    platform::connectGuarded(Edit11, &QLineEdit::returnPressed, this,
                             [this] { SpeedButton17Click(); });
    phraseLabel->setBuddy(Edit11);
    QToolButton* find = platform::textButton(right, "SpeedButton17", "Pro&na|i", "Po~ni pretragu");
    find->setMinimumWidth(90);
    platform::connectGuarded(find, &QToolButton::clicked, this, [this] { SpeedButton17Click(); });
    SpeedButton17 = find;
    phraseRow->addWidget(Edit11, 1);
    phraseRow->addWidget(find);
    column->addLayout(phraseRow);

    splitter->addWidget(TreeView1);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({340, 660});
    layout->addWidget(splitter);
}

void TForm1::poubacuj() {
    // 1. and the reading of steps 3 to 7, with the progress bar.
    widgets::WindowMonitor monitor = pageMonitor();
    search::StartupFill fill = search::poubacuj(*this, monitor);
    // 2.
    sredicombo5();
    // 3. Types.
    ComboBox3->clear();
    for (const std::string& type : fill.types) {
        ComboBox3->addItem(platform::qs(type));
    }
    ComboBox3->setCurrentIndex(0);
    // 4. Areas: the first row is the root of all the others.
    TreeView1->clear();
    if (!fill.areas.empty()) {
        auto* root = new QTreeWidgetItem(TreeView1, QStringList{platform::qs(fill.areas.front())});
        root->setIcon(0, widgets::image(lists::kRoot));
        for (size_t i = 1; i < fill.areas.size(); ++i) {
            auto* area = new QTreeWidgetItem(root, QStringList{platform::qs(fill.areas[i])});
            area->setIcon(0, widgets::image(lists::kDocument));
        }
    }
    // 5. Ministries, after the "Sve" of the window's creation.
    if (ComboBox1 != nullptr) {
        for (const std::string& ministry : fill.ministries) {
            ComboBox1->addItem(platform::qs(ministry));
        }
        ComboBox1->setCurrentIndex(0);
    }
    // 6. Gazettes of the keyword search.
    ComboBox4->clear();
    ComboBox4->addItem(platform::qs("Sva glasila"));
    for (const std::string& gazette : fill.gazettes) {
        ComboBox4->addItem(platform::qs(gazette));
    }
    // 7. The keyword results and the archive list with its saved copy.
    ListBox2->setRows(std::move(fill.results));
    arhivacuvaj = fill.archive;
    if (ListBox7 != nullptr) {
        ListBox7->setRows(std::move(fill.archive));
    }
    // 8.
    proveripropise();
    ProgressBar1->setValue(0);
}

void TForm1::TreeView1Change() {
    ubacipooblastima();
}

void TForm1::ComboBox3Change() {
    if (selectedNode(TreeView1) != nullptr) {
        TreeView1Change();
    }
}

void TForm1::ubacipooblastima() {
    const QTreeWidgetItem* node = selectedNode(TreeView1);
    if (node == nullptr) {
        return;
    }
    searching(true);
    ListBox3->clear();
    widgets::WindowMonitor monitor = pageMonitor();
    search::AreaFill fill =
        search::ubacipooblastima(*this, areaPosition(node), ComboBox3->currentIndex(),
                                 platform::ys(ComboBox3->currentText()), monitor);
    if (fill.noneSelected) {
        platform::ui().message(kNothingFound);
    } else {
        ListBox3->setRows(std::move(fill.rows));
        ComboBox3->setEnabled(true);
    }
    ProgressBar1->setValue(0);
    oblastcuvaj = ListBox3->rows();
    proveripropise();
    searching(false);
}

void TForm1::SpeedButton17Click() {
    searching(true);
    ListBox3->setRows(search::phraseSearch(oblastcuvaj, platform::ys(Edit11->text())));
    searching(false);
}

void TForm1::ListBox3DblClick() {
    const lists::Row* row = ListBox3->selected();
    if (row == nullptr || row->caption.empty()) {
        return;
    }
    const std::string title = row->caption;
    const std::string bg = row->sub.empty() ? std::string() : row->sub.front();
    open(title, bg);
    dodajuceste(title);
}
