// Page 0 "Izbor &glasila": browse by gazette, year and issue. The tree is
// lazy: a gazette or year carries one empty placeholder child until it is
// expanded, and collapsing throws its children away again.
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSplitter>
#include <QTreeWidget>

#include "mainwindow/tform1.h"
#include "platform/guard.h"
#include "platform/textconv.h"
#include "search/gazettes.h"
#include "widgets/apphint.h"
#include "widgets/reportlist.h"

namespace {

// Runs a function on every mouse click that reaches the watched widget.
class ClickWatch final : public QObject {
  public:
    ClickWatch(QObject* parent, std::function<void()> onClick)
        : QObject(parent), onClick_(std::move(onClick)) {}

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            platform::guarded(onClick_);
        }
        return false;
    }

  private:
    std::function<void()> onClick_;
};

int level(const QTreeWidgetItem* node) {
    int depth = 0;
    for (const QTreeWidgetItem* p = node->parent(); p != nullptr; p = p->parent()) {
        ++depth;
    }
    return depth;
}

std::string nodeText(const QTreeWidgetItem* node) {
    return platform::ys(node->text(0));
}

// The empty child that makes a node expandable.
void addPlaceholder(QTreeWidgetItem* node) {
    new QTreeWidgetItem(node);
}

void removeChildren(QTreeWidgetItem* node) {
    qDeleteAll(node->takeChildren());
}

QTreeWidgetItem* selectedNode(const QTreeWidget* tree) {
    const auto selected = tree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

// Detaches the tree's change handler for a scope and attaches it again as
// it was.
class Detached {
  public:
    explicit Detached(bool& attached) : attached_(attached), was_(attached) { attached_ = false; }
    ~Detached() { attached_ = was_; }
    Detached(const Detached&) = delete;
    Detached& operator=(const Detached&) = delete;

  private:
    bool& attached_;
    bool was_;
};

}  // namespace

void TForm1::buildPageGlasila() {
    auto* layout = new QHBoxLayout(TabSheetGlasila);
    auto* splitter = new QSplitter(Qt::Horizontal, TabSheetGlasila);
    splitter->setObjectName(QStringLiteral("SplitterGlasila"));

    TreeView2 = new QTreeWidget(splitter);
    TreeView2->setObjectName(QStringLiteral("TreeView2"));
    TreeView2->setHeaderHidden(true);
    TreeView2->setColumnCount(1);
    TreeView2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView2->setSelectionMode(QAbstractItemView::SingleSelection);
    widgets::setHint(TreeView2, "Izbor i pretraga glasila");
    platform::connectGuarded(TreeView2, &QTreeWidget::itemExpanded, this,
                             [this](QTreeWidgetItem* node) { TreeView2Expanded(node); });
    platform::connectGuarded(TreeView2, &QTreeWidget::itemCollapsed, this,
                             [this](QTreeWidgetItem* node) { TreeView2Collapsed(node); });
    platform::connectGuarded(TreeView2, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (treeView2ChangeAttached) {
            TreeView2Change();
        }
    });
    TreeView2->viewport()->installEventFilter(
        new ClickWatch(TreeView2, [this] { TreeView2Click(); }));

    ListView1 = new widgets::ReportList(splitter);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setColumns({{"Naziv propisa", 400, false, lists::Rule::Title},
                           {"Broj/godina", 150, true, lists::Rule::YearFirst}});
    platform::connectGuarded(ListView1, &widgets::ReportList::rowActivated, this,
                             [this] { ListView1DblClick(); });

    splitter->addWidget(TreeView2);
    splitter->addWidget(ListView1);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({300, 700});
    layout->addWidget(splitter);
}

void TForm1::ubacipoglasnicima() {
    TreeView2->clear();
    QTreeWidgetItem* last = nullptr;
    for (const search::Gazette& g : search::gazetteList(*this)) {
        last = new QTreeWidgetItem(TreeView2, QStringList{platform::qs(g.name)});
        addPlaceholder(last);
    }
    // As the tree leaves it after the fill, the last gazette is the selected
    // node; a click on it fills the empty list (TreeView2Click).
    if (last != nullptr) {
        Detached quiet(treeView2ChangeAttached);
        TreeView2->setCurrentItem(last);
    }
}

void TForm1::attachTreeView2Change() {
    treeView2ChangeAttached = true;
}

void TForm1::ubacipogodinama(QTreeWidgetItem* gazette) {
    removeChildren(gazette);
    const auto id = search::gazetteByName(*this, nodeText(gazette));
    if (!id) {
        return;
    }
    for (const std::string& year : search::gazetteYears(*this, *id)) {
        addPlaceholder(new QTreeWidgetItem(gazette, QStringList{platform::qs(year)}));
    }
}

void TForm1::ubacipobrojevima(QTreeWidgetItem* year) {
    removeChildren(year);
    const auto id = search::gazetteByName(*this, nodeText(year->parent()));
    if (!id) {
        return;
    }
    for (const std::string& issue : search::gazetteIssues(*this, *id, nodeText(year))) {
        new QTreeWidgetItem(year, QStringList{platform::qs(issue)});
    }
}

void TForm1::TreeView2Expanded(QTreeWidgetItem* node) {
    {
        Detached quiet(treeView2ChangeAttached);
        switch (level(node)) {
            case 0:
                ubacipogodinama(node);
                break;
            case 1:
                ubacipobrojevima(node);
                break;
            default:
                break;  // an issue has no children
        }
        node->setExpanded(true);
    }
    TreeView2->repaint();
    QCoreApplication::processEvents();
}

void TForm1::TreeView2Collapsed(QTreeWidgetItem* node) {
    {
        // The list keeps its rows: a selection inside the collapsed node
        // moves to the node itself without a fill.
        Detached quiet(treeView2ChangeAttached);
        for (QTreeWidgetItem* s = selectedNode(TreeView2); s != nullptr; s = s->parent()) {
            if (s->parent() == node) {
                TreeView2->setCurrentItem(node);
                break;
            }
        }
        removeChildren(node);
        addPlaceholder(node);
    }
    QCoreApplication::processEvents();
}

void TForm1::TreeView2Change() {
    ListView1->clear();
    const QTreeWidgetItem* node = selectedNode(TreeView2);
    if (node == nullptr || nodeText(node).empty()) {
        return;  // nothing, or a placeholder
    }
    const int depth = level(node);
    const QTreeWidgetItem* gazette = node;
    while (gazette->parent() != nullptr) {
        gazette = gazette->parent();
    }
    const auto id = search::gazetteByName(*this, nodeText(gazette));
    if (!id) {
        return;
    }
    search::TreeNode which{*id, std::nullopt, std::nullopt};
    if (depth == 1) {
        which.year = nodeText(node);
    } else if (depth == 2) {
        which.year = nodeText(node->parent());
        which.issue = nodeText(node);
    }
    ListView1->setRows(search::nodeRows(*this, which));
}

void TForm1::TreeView2Click() {
    if (selectedNode(TreeView2) != nullptr && ListView1->count() == 0) {
        TreeView2Change();
    }
    QCoreApplication::processEvents();
}

void TForm1::ListView1DblClick() {
    const lists::Row* row = ListView1->selected();
    if (row == nullptr) {
        return;
    }
    const std::string title = row->caption;
    const std::string bg = row->sub.empty() ? std::string() : row->sub.front();
    open(title, bg);
    dodajuceste(title);
}
