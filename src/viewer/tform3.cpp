// The document window's creation: layout, menus, fonts, status line and the
// window events. The algorithms are in tform3_akcije.cpp.
#include "viewer/tform3.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "database/datasets.h"
#include "dbviews/dbrichedit.h"
#include "fonts/faces.h"
#include "platform/guard.h"
#include "platform/textconv.h"
#include "platform/windowframe.h"
#include "printing/tpreviewprinter.h"
#include "viewer/hits.h"
#include "viewer/smallwindow.h"
#include "yuscii/appclear.h"
#include "yuscii/keyfilter.h"

namespace {

// The print header until the first document print: the product and its
// publisher.
constexpr const char* kInitialHeader = "TREVION, Izdava~ka ku}a Korvet";

void setHint(QWidget* control, const char* hint) {
    control->setToolTip(platform::qs(hint));
    control->setStatusTip(platform::qs(hint));
}

void setHint(QAction* action, const char* hint) {
    action->setStatusTip(platform::qs(hint));
}

QToolButton* commandButton(QWidget* parent, const char* name, const char* caption,
                           const char* hint) {
    QToolButton* button = platform::textButton(parent, name, caption, hint);
    button->setAutoRaise(true);
    return button;
}

QAction* menuAction(QWidget* window, QMenu* menu, const char* name, const char* caption,
                    const char* hint, const QKeySequence& key = {}) {
    QAction* action = menu->addAction(platform::qs(caption));
    action->setObjectName(QString::fromLatin1(name));
    if (hint != nullptr) {
        setHint(action, hint);
    }
    if (!key.isEmpty()) {
        action->setShortcut(key);
        window->addAction(action);  // the key works wherever the focus is
    }
    return action;
}

}  // namespace

TForm3::TForm3(engine::Session& session, database::MainData& data, QWidget* parent)
    : QDialog(parent),
      session_(session),
      data_(data),
      attachments_(std::make_unique<database::AttachmentData>(session, data.Zakoni)) {
    setObjectName(QStringLiteral("Form3"));
    buildWindow();
    FormCreate();
}

TForm3::~TForm3() = default;

void TForm3::buildWindow() {
    platform::frameMaximised(*this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildMenus();
    layout->setMenuBar(MainMenu1);

    buildCommands(viewer::addTitleAndCommandRow(*this, *layout));

    buildTextArea();
    layout->addWidget(Splitter1, 1);

    auto* bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("Panel3"));
    buildBottom(bottom);
    layout->addWidget(bottom);

    StatusBar1 = platform::createStatusBar(this, "StatusBar1", {200, 100, 50}, panels_);
    // The hint panel takes the rest of the bar, so that hints can be read.
    QLabel* hintPanel = panels_[2];
    StatusBar1->removeWidget(hintPanel);
    hintPanel->setMinimumWidth(50);
    hintPanel->setMaximumWidth(QWIDGETSIZE_MAX);
    StatusBar1->addWidget(hintPanel, 1);
    hintPanel->show();
    layout->addWidget(StatusBar1);

    // The search hits: two buttons beside "T&ra`i", the count in panel 1.
    auto* bottomBox = static_cast<QHBoxLayout*>(bottom->layout());
    hits_ = new viewer::DocumentHits(*this, *DBRichEdit1, *panels_[1], *bottomBox,
                                     bottomBox->indexOf(SpeedButton1) + 1);

    platform::popupOnRightClick(this, PopupMenu1);
}

void TForm3::buildCommands(QWidget* row) {
    QHBoxLayout* box = viewer::commandRowLayout(row);
    box->setSpacing(2);
    SpeedButton7 = commandButton(row, "SpeedButton7", "&Kopiraj text", "Kopira izabrani tekst");
    SpeedButton6 = commandButton(row, "SpeedButton6", "[tam&pa", "Prikaz {tampe");
    SpeedButton5 = commandButton(row, "SpeedButton5", "]irili&ca / Latinica",
                                 "Izbor izme|u }irili~nog ili latini~nog pisma");
    SpeedButton4 =
        commandButton(row, "SpeedButton4", "&Dodatne informacije", "Napomene za ovaj propis");
    SpeedButton8 = commandButton(row, "SpeedButton8", "&Prilozi",
                                 "Grafi~ki prilozi (skenirani obrasci i sl.)");
    SpeedButton9 = commandButton(row, "SpeedButton9", "&Arhiva",
                                 "Skok na Arhivu sa pretragom po nazivu za ovaj propis");
    SpeedButton10 = commandButton(row, "SpeedButton10", "Relacije", nullptr);
    SpeedButton3 =
        commandButton(row, "SpeedButton3", "Pret&hodna strana", "Povratak na izbor propisa");
    for (QToolButton* b : {SpeedButton7, SpeedButton6, SpeedButton5, SpeedButton4, SpeedButton8,
                           SpeedButton9, SpeedButton10, SpeedButton3}) {
        box->addWidget(b);
    }
    box->addStretch(1);

    platform::connectGuarded(SpeedButton7, &QToolButton::clicked, this,
                             [this] { copyWithCheck(); });
    platform::connectGuarded(SpeedButton5, &QToolButton::clicked, this, [this] { konverzija(); });
    platform::connectGuarded(SpeedButton3, &QToolButton::clicked, this, [this] { reject(); });
    platform::connectGuarded(SpeedButton9, &QToolButton::clicked, this,
                             [this] { SpeedButton9Click(); });
    platform::connectGuarded(SpeedButton6, &QToolButton::clicked, this,
                             [this] { Stampaj1Click(); });
    platform::connectGuarded(SpeedButton4, &QToolButton::clicked, this, [this] {
        if (links.showNotes) {
            links.showNotes();
        }
    });
    platform::connectGuarded(SpeedButton8, &QToolButton::clicked, this, [this] {
        if (links.showAttachments) {
            links.showAttachments();
        }
    });
    platform::connectGuarded(SpeedButton10, &QToolButton::clicked, this,
                             [this] { Prikazirelacije1Click(); });
}

void TForm3::buildTextArea() {
    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(true);

    auto* top = new QWidget(Splitter1);
    top->setObjectName(QStringLiteral("Panel4"));
    auto* box = new QHBoxLayout(top);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);

    DBRichEdit1 = new dbviews::DBRichEdit(top);
    DBRichEdit1->setObjectName(QStringLiteral("DBRichEdit1"));
    DBRichEdit1->setReadOnly(true);
    DBRichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    DBRichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    platform::connectGuarded(DBRichEdit1, &QWidget::customContextMenuRequested, this,
                             [this](const QPoint& pos) {
                                 PopupMenu1->popup(DBRichEdit1->viewport()->mapToGlobal(pos));
                             });
    box->addWidget(DBRichEdit1, 1);
    platform::connectGuarded(DBRichEdit1, &dbviews::DBRichEdit::memoLoaded, this,
                             [this] { markReferences(); });
    platform::connectGuarded(DBRichEdit1, &dbviews::DBRichEdit::internalLinkClicked, this,
                             [this](const QString& href) { followReference(href); });

    Panel6 = new QWidget(top);
    Panel6->setObjectName(QStringLiteral("Panel6"));
    auto* panelBox = new QVBoxLayout(Panel6);
    panelBox->setContentsMargins(0, 0, 0, 0);
    clanovi = new QListWidget(Panel6);
    clanovi->setObjectName(QStringLiteral("clanovi"));
    setHint(clanovi, "Automatski generisana lista ~lanova");
    panelBox->addWidget(clanovi);
    platform::connectGuarded(clanovi, &QListWidget::itemDoubleClicked, this,
                             [this] { clanoviDblClick(); });
    box->addWidget(Panel6);

    DBRichEdit2 = new dbviews::DBRichEdit(Splitter1);
    DBRichEdit2->setObjectName(QStringLiteral("DBRichEdit2"));
    DBRichEdit2->setReadOnly(true);
    DBRichEdit2->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    DBRichEdit2->setMinimumHeight(0);
    setHint(DBRichEdit2, "Umanjeni prikaz dodatnih informacija za ovaj propis");

    Splitter1->addWidget(top);
    Splitter1->addWidget(DBRichEdit2);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
}

void TForm3::buildBottom(QWidget* bottom) {
    auto* box = new QHBoxLayout(bottom);
    box->setContentsMargins(4, 3, 4, 3);
    box->setSpacing(4);
    Edit1 = new QLineEdit(bottom);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFixedWidth(260);
    Edit1->setContextMenuPolicy(Qt::NoContextMenu);  // the window's pop-up menu
    setHint(Edit1, "Unesite re~ za pretragu");
    yuscii::installKeyFilter(Edit1, yuscii::KeyFilter::KeyboardUpper);
    Edit1->installEventFilter(this);
    // The field shows capitals only.
    platform::connectGuarded(Edit1, &QLineEdit::textEdited, this, [this](const QString& text) {
        QString upper = text;
        for (QChar& c : upper) {
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
                c = QChar(c.unicode() - 'a' + 'A');
            }
        }
        if (upper != text) {
            const int cursor = Edit1->cursorPosition();
            Edit1->setText(upper);
            Edit1->setCursorPosition(cursor);
        }
    });
    platform::connectGuarded(Edit1, &QLineEdit::returnPressed, this,
                             [this] { SpeedButton1Click(); });
    box->addWidget(Edit1);

    SpeedButton1 =
        commandButton(bottom, "SpeedButton1", "T&ra`i", "Po~etak pretrage po zadatoj re~i");
    SpeedButton2 = commandButton(bottom, "SpeedButton2", "Lista ~lanova",
                                 "Prikaz liste automatski generisane liste ~lanova");
    platform::connectGuarded(SpeedButton1, &QToolButton::clicked, this,
                             [this] { SpeedButton1Click(); });
    platform::connectGuarded(SpeedButton2, &QToolButton::clicked, this,
                             [this] { SpeedButton2Click(); });
    box->addWidget(SpeedButton1);
    box->addWidget(SpeedButton2);
    box->addStretch(1);
}

void TForm3::buildMenus() {
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* tekst = MainMenu1->addMenu(platform::qs("&Tekst"));
    tekst->setObjectName(QStringLiteral("Tekst1"));
    Stampaj1 = menuAction(this, tekst, "Stampaj1", " &Stampaj", "Stampa teksta",
                          QKeySequence(Qt::CTRL | Qt::Key_P));
    Kopiraj1 = menuAction(this, tekst, "Kopiraj1", " &Kopiraj*", nullptr,
                          QKeySequence(Qt::CTRL | Qt::Key_C));
    tekst->addSeparator();
    Zatvori1 = menuAction(this, tekst, "Zatvori1", " &Zatvori", "Zatvaranje ovog prozora",
                          QKeySequence(Qt::CTRL | Qt::Key_Q));
    addCompareCommand(tekst);
    QMenu* relacije = MainMenu1->addMenu(platform::qs("&Relacije"));
    relacije->setObjectName(QStringLiteral("Relacije1"));
    Prikazirelacije1 = menuAction(this, relacije, "Prikazirelacije1", "&Prikazi relacije", nullptr);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Kopirajtekst1 = menuAction(this, PopupMenu1, "Kopirajtekst1", "Kopiraj selekciju",
                               "Kopira selektovani deo teksta");
    Kopirajsacitatom1 = menuAction(this, PopupMenu1, "Kopirajsacitatom1", "Kopiraj sa citatom",
                                   "Kopira selektovani deo teksta sa navodom izvora",
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    Oznacizabrzootvaranje1 = menuAction(this, PopupMenu1, "Oznacizabrzootvaranje1", "Oznaci",
                                        "Oznacava propis za brzo otvaranje");
    PopupMenu1->addSeparator();
    Zatvori2 = menuAction(this, PopupMenu1, "Zatvori2", "Nazad", "Povratak na prethodnu stranu");

    platform::connectGuarded(Stampaj1, &QAction::triggered, this, [this] { Stampaj1Click(); });
    platform::connectGuarded(Kopiraj1, &QAction::triggered, this, [this] { Kopiraj1Click(); });
    platform::connectGuarded(Zatvori1, &QAction::triggered, this, [this] { reject(); });
    platform::connectGuarded(Kopirajtekst1, &QAction::triggered, this, [this] { copyWithCheck(); });
    platform::connectGuarded(Kopirajsacitatom1, &QAction::triggered, this,
                             [this] { Kopirajsacitatom1Click(); });
    platform::connectGuarded(Oznacizabrzootvaranje1, &QAction::triggered, this,
                             [this] { Oznacizabrzootvaranje1Click(); });
    platform::connectGuarded(Zatvori2, &QAction::triggered, this, [this] { reject(); });
    platform::connectGuarded(Prikazirelacije1, &QAction::triggered, this,
                             [this] { Prikazirelacije1Click(); });
}

void TForm3::SpeedButton9Click() {
    // The search runs while this window still shows; the user lands on the
    // archive page when it has closed.
    Q_EMIT archiveJumpRequested(platform::ys(windowTitle()));
    reject();
}

void TForm3::FormCreate() {
    const QFont windowFont(fonts::interfaceFont());
    setFont(windowFont);
    MainMenu1->setFont(windowFont);
    PopupMenu1->setFont(windowFont);
    const QFont latin = fonts::textFont(false);
    Edit1->setFont(latin);
    clanovi->setFont(latin);
    DBRichEdit1->setFont(latin);
    DBRichEdit2->setFont(latin);
    panels_[2]->setText(QStringLiteral("Status"));
    previewPrinter_ = new printing::TPreviewPrinter(
        printing::documentWindowSettings(fonts::textFace(false), kInitialHeader), this);

    DBRichEdit1->setDataSource(&data_.DataSource2);
    DBRichEdit1->setDataField("Latinica");
    DBRichEdit2->setDataSource(&data_.DataSource2);
    DBRichEdit2->setDataField("Napomena");
    SpeedButton8->setEnabled(false);
    setArticlePanel(1);
    setNotesStrip(0);
    yuscii::appclearOnMinimise(this);
}

std::string TForm3::panelText(int panel) const {
    return platform::ys(panels_[panel]->text());
}

void TForm3::showHint(const std::string& hint) {
    panels_[2]->setText(platform::qs(hint));
}

void TForm3::setArticlePanel(int width) {
    Panel6->setFixedWidth(width);
}

void TForm3::setNotesStrip(int height) {
    notesHeight_ = height;
    const int total = std::max(Splitter1->height(), height + 1);
    Splitter1->setSizes({total - height, height});
}

void TForm3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    platform::fillScreenWhenMaximised(*this);
    FormActivate();
}

void TForm3::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        // The clipboard watch installed at creation runs appclear as well.
        platform::minimiseOtherWindows(*this);
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible()) {
        FormActivate();
    }
}

void TForm3::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    setNotesStrip(notesHeight_);
    DBRichEdit1->viewport()->update();
}

void TForm3::keyPressEvent(QKeyEvent* event) {
    // Escape does not close this window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TForm3::eventFilter(QObject* watched, QEvent* event) {
    // The search field leaves the copy key to the window's " &Kopiraj*".
    if (watched == Edit1 && event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        event->ignore();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm3::done(int result) {
    if (isVisible()) {
        FormClose();
    }
    QDialog::done(result);
}
