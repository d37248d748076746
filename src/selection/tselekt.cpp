#include "selection/tselekt.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

#include "fonts/faces.h"
#include "platform/guard.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "platform/windowframe.h"
#include "search/words.h"
#include "widgets/bandart.h"
#include "widgets/reportlist.h"
#include "widgets/searchfield.h"
#include "yuscii/appclear.h"

namespace {

constexpr const char* kNothingFound = "Nije pronadjen nijedan propis sa zadatim tekstom u naslovu";
// The title column takes what the two text columns leave.
constexpr int kTitleReserve = 380;

}  // namespace

Tselekt::Tselekt(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("selekt"));
    setWindowTitle(platform::qs("Lista propisa po zadatom kriterijumu"));
    buildWindow();
    const QFont face = fonts::interfaceFont();
    setFont(face);
    PopupMenu1->setFont(face);
    yuscii::appclearOnMinimise(this);
}

Tselekt::~Tselekt() = default;

void Tselekt::setRows(std::vector<lists::Row> rows) {
    Listbox1->setRows(std::move(rows));
}

void Tselekt::buildWindow() {
    platform::frameMaximised(*this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    QWidget* header = widgets::createBand(this);
    header->setObjectName(QStringLiteral("Panel1"));
    header->setFixedHeight(71);
    layout->addWidget(header);

    auto* top = new QWidget(this);
    top->setObjectName(QStringLiteral("Panel2"));
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(6, 0, 6, 0);
    SpeedButton2 =
        platform::textButton(top, "SpeedButton2", "Pret&hodna strana", "Povratak u glavni meni");
    Memo1 = new QPlainTextEdit(top);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setEnabled(false);
    Memo1->setFixedHeight(2 * fontMetrics().lineSpacing() + 12);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    SpeedButton3 = platform::textButton(top, "SpeedButton3", "Arhiva za ovaj propis", nullptr);
    SpeedButton3->setEnabled(false);
    topLayout->addWidget(SpeedButton2);
    topLayout->addWidget(Memo1, 1);
    topLayout->addWidget(SpeedButton3);
    layout->addWidget(top);

    Listbox1 = new widgets::ReportList(this);
    Listbox1->setObjectName(QStringLiteral("Listbox1"));
    Listbox1->setColumns({{"Naziv propisa", 400, false, lists::Rule::Title},
                          {"Slu`beni glasnik", 250, true, lists::Rule::Plain},
                          {"Broj propisa", 100, true, lists::Rule::YearFirst}});
    Listbox1->setMultiSelect(true);
    layout->addWidget(Listbox1, 1);

    auto* bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("Panel3"));
    auto* bottomLayout = new QHBoxLayout(bottom);
    bottomLayout->setContentsMargins(6, 0, 6, 6);
    Edit1 = new QLineEdit(bottom);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFixedWidth(360);
    widgets::makeSearchField(Edit1);
    SpeedButton1 = platform::textButton(bottom, "SpeedButton1", "&Selektuj", nullptr);
    bottomLayout->addWidget(Edit1);
    bottomLayout->addWidget(SpeedButton1);
    bottomLayout->addStretch(1);
    layout->addWidget(bottom);

    // Attached to the list: a right click on a row marks it or goes back.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Oznaci1 = PopupMenu1->addAction(platform::qs("Oznaci"));
    Oznaci1->setObjectName(QStringLiteral("Oznaci1"));
    PopupMenu1->addSeparator()->setEnabled(false);
    Nazad1 = PopupMenu1->addAction(platform::qs("Nazad"));
    Nazad1->setObjectName(QStringLiteral("Nazad1"));
    Listbox1->setContextMenuPolicy(Qt::CustomContextMenu);
    platform::connectGuarded(
        Listbox1, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& pos) { PopupMenu1->popup(Listbox1->viewport()->mapToGlobal(pos)); });

    platform::connectGuarded(SpeedButton2, &QToolButton::clicked, this, [this] { reject(); });
    platform::connectGuarded(SpeedButton3, &QToolButton::clicked, this,
                             [this] { SpeedButton3Click(); });
    platform::connectGuarded(SpeedButton1, &QToolButton::clicked, this,
                             [this] { SpeedButton1Click(); });
    platform::connectGuarded(Edit1, &QLineEdit::returnPressed, this,
                             [this] { SpeedButton1Click(); });
    platform::connectGuarded(Listbox1, &widgets::ReportList::rowActivated, this,
                             [this] { ListBox1DblClick(); });
    platform::connectGuarded(Listbox1, &widgets::ReportList::rowSelectionChanged, this, [this] {
        if (!bulk_) {
            change();
        }
    });
    platform::connectGuarded(Oznaci1, &QAction::triggered, this, [this] { Oznaci1Click(); });
    platform::connectGuarded(Nazad1, &QAction::triggered, this, [this] { reject(); });
    setTitleWidth();
}

void Tselekt::setTitleWidth() {
    Listbox1->setColumnWidthOf(0, std::max(width() - kTitleReserve, 40));
}

void Tselekt::FormActivate() {
    if (!fresh) {
        return;
    }
    Edit1->clear();
    Listbox1->selectOnly(0);
    change();  // also when the first row was selected already
    fresh = false;
}

void Tselekt::change() {
    const lists::Row* row = Listbox1->selected();
    if (row == nullptr) {
        return;
    }
    const std::string gazette = row->sub.empty() ? std::string() : row->sub[0];
    const std::string bg = row->sub.size() < 2 ? std::string() : row->sub[1];
    Memo1->setPlainText(platform::qs(row->caption + "\n" + gazette + " (" + bg + ")"));
    Memo1->moveCursor(QTextCursor::Start);
    if (!row->caption.empty()) {
        SpeedButton3->setEnabled(links.archiveTest && links.archiveTest(row->caption));
    }
}

void Tselekt::SpeedButton1Click() {
    bulk_ = true;
    Listbox1->selectOnly(0);
    const std::string text = platform::ys(Edit1->text());
    if (!text.empty()) {
        const std::vector<size_t> picked = search::selektuj(Listbox1->rows(), text);
        Listbox1->selectOnly(-1);
        if (!picked.empty()) {
            // The first highlighted row becomes the selected row of the details.
            const int first = static_cast<int>(picked.front());
            Listbox1->selectionModel()->setCurrentIndex(Listbox1->model()->index(first, 0),
                                                        QItemSelectionModel::NoUpdate);
        }
        for (size_t i : picked) {
            Listbox1->setSelected(static_cast<int>(i), true);
        }
        if (!picked.empty()) {
            Listbox1->scrollToRow(static_cast<int>(picked.front()));
            Listbox1->setFocus();
        }
    }
    bulk_ = false;
    change();
    if (!text.empty() && Listbox1->selectedRowList().empty()) {
        platform::ui().message(kNothingFound);
    }
}

void Tselekt::ListBox1DblClick() {
    const lists::Row* row = Listbox1->selected();
    if (row == nullptr) {
        return;
    }
    // The close of this window may empty the list while the document shows.
    const std::string title = row->caption;
    const std::string bg = row->sub.size() < 2 ? std::string() : row->sub[1];
    Q_EMIT openRequested(title, bg);
}

void Tselekt::SpeedButton3Click() {
    const lists::Row* row = Listbox1->selected();
    if (row == nullptr) {
        return;
    }
    const std::string title = row->caption;
    Q_EMIT archiveJumpRequested(title);
    if (isVisible()) {
        reject();
    }
}

void Tselekt::Oznaci1Click() {
    if (Listbox1->count() == 0) {
        return;
    }
    const lists::Row* row = Listbox1->selected();
    const std::string title = row != nullptr ? row->caption : Listbox1->row(0).caption;
    Q_EMIT quickOpenMarked(title);
}

void Tselekt::FormClose() {
    Q_EMIT closing();
    Listbox1->clear();
    Listbox1->clearSortMarker();
    fresh = true;
}

void Tselekt::done(int result) {
    if (isVisible()) {
        FormClose();
    }
    QDialog::done(result);
}

void Tselekt::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    platform::fillScreenWhenMaximised(*this);
    FormActivate();
}

void Tselekt::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        platform::minimiseOtherWindows(*this);
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible()) {
        FormActivate();
    }
}

void Tselekt::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F4 && event->modifiers() == Qt::ControlModifier) {
        reject();
        return;
    }
    // Escape does not close this window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Tselekt::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    setTitleWidth();
}
