#include "viewer/trelacije.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "fonts/faces.h"
#include "platform/guard.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "platform/windowframe.h"
#include "viewer/relations.h"
#include "viewer/smallwindow.h"

namespace {

constexpr const char* kFindCaption = "&Na|i dokument";
constexpr const char* kNoRelations =
    "Nema relacionih dokumenta vezanih za ovo misljenje ili propis.";
constexpr const char* kChooseFirst = "Morate izabrati dokument sa liste!";

// The note names the button as its caption reads; the label draws no
// mnemonic, so the caption's & is left out of the drawn text.
std::string noteText() {
    return std::string("Napomena: Kada kliknete na \"") + kFindCaption +
           "\" sa ovog listinga dobi}ete njegov naziv u polju za pretragu";
}

QString withoutMnemonic(const std::string& text) {
    QString drawn = platform::qs(text);
    drawn.remove(QLatin1Char('&'));
    return drawn;
}

}  // namespace

Trelacije::Trelacije(database::MainData& data, QWidget* parent)
    : QDialog(parent), lookup_(std::make_unique<viewer::RelationLookup>(data)) {
    setObjectName(QStringLiteral("relacije"));
    setWindowTitle(platform::qs("Relacije"));
    viewer::frameFixed(*this, 690, 391);
    buildWindow();
    setFont(fonts::interfaceFont());
}

Trelacije::~Trelacije() = default;

void Trelacije::buildWindow() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    auto* group = new QGroupBox(platform::qs("Relevantni dokumenti u bazi "), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* groupLayout = new QVBoxLayout(group);
    ListView1 = new QTreeWidget(group);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setColumnCount(2);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setColumnWidth(0, 530);
    ListView1->setColumnWidth(1, 133);
    ListView1->headerItem()->setTextAlignment(1, Qt::AlignCenter);
    ListView1->header()->setSectionsMovable(false);
    groupLayout->addWidget(ListView1);
    layout->addWidget(group, 1);

    auto* bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("Panel1"));
    auto* bottomLayout = new QHBoxLayout(bottom);
    bottomLayout->setContentsMargins(4, 2, 4, 2);
    SpeedButton1 = platform::textButton(bottom, "SpeedButton1", kFindCaption, nullptr);
    SpeedButton1->setFont(fonts::interfaceFont());
    Label1 = new QLabel(withoutMnemonic(noteText()), bottom);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    bottomLayout->addWidget(SpeedButton1);
    bottomLayout->addWidget(Label1, 1);
    layout->addWidget(bottom);

    platform::connectGuarded(SpeedButton1, &QToolButton::clicked, this,
                             [this] { SpeedButton1Click(); });
    platform::connectGuarded(ListView1, &QTreeWidget::itemDoubleClicked, this,
                             [this] { ListView1DblClick(); });
}

void Trelacije::Prikazirelacije1Click(bool opinion) {
    ListView1->clear();
    listsOpinions_ = !opinion;
    std::vector<viewer::Relation> rows;
    if (opinion) {
        ListView1->setHeaderLabels({platform::qs("Naziv propisa"), platform::qs("Broj/godina")});
        if (auto number = lookup_->shownOpinion()) {
            rows = lookup_->regulationsOf(*number);
        }
    } else {
        ListView1->setHeaderLabels(
            {platform::qs("Naziv slu`benog mi{ljenja"), platform::qs("Datum")});
        if (auto id = lookup_->shownRegulation()) {
            rows = lookup_->opinionsOf(*id);
        }
    }
    ListView1->headerItem()->setTextAlignment(1, Qt::AlignCenter);
    for (const viewer::Relation& r : rows) {
        auto* item =
            new QTreeWidgetItem(ListView1, {platform::qs(r.title), platform::qs(r.second)});
        item->setTextAlignment(1, Qt::AlignCenter);
    }
    if (rows.empty()) {
        platform::ui().message(kNoRelations);
        return;
    }
    platform::ui().showModal(*this);
}

void Trelacije::FormActivate() {
    setFont(fonts::interfaceFont());
    QPalette palette = Label1->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    Label1->setPalette(palette);
}

void Trelacije::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

QTreeWidgetItem* Trelacije::selectedRow() const {
    const QList<QTreeWidgetItem*> rows = ListView1->selectedItems();
    return rows.isEmpty() ? nullptr : rows.front();
}

void Trelacije::ListView1DblClick() {
    if (QTreeWidgetItem* row = selectedRow()) {
        nadjidokument(*row);
    }
}

void Trelacije::SpeedButton1Click() {
    if (QTreeWidgetItem* row = selectedRow()) {
        nadjidokument(*row);
    } else {
        platform::ui().message(kChooseFirst);
    }
}

void Trelacije::nadjidokument(const QTreeWidgetItem& row) {
    const std::string title = platform::ys(row.text(0));
    if (listsOpinions_) {
        Q_EMIT opinionSearchRequested(title);
    } else {
        Q_EMIT regulationSearchRequested(title);
    }
    reject();
    Q_EMIT documentFound();
}
