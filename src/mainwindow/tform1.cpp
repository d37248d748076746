// The main window's frame: creation, first activation, busy state, tab
// change, complexity levels, counts, resize, minimise and close.
#include "mainwindow/tform1.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cmath>
#include <filesystem>

#include "database/schema.h"
#include "engine/types.h"
#include "fonts/faces.h"
#include "platform/files.h"
#include "platform/guard.h"
#include "platform/log.h"
#include "platform/programdir.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "platform/windowframe.h"
#include "printing/tpreviewprinter.h"
#include "search/textrebuild.h"
#include "widgets/apphint.h"
#include "widgets/bandart.h"
#include "widgets/reportlist.h"
#include "yuscii/appclear.h"

namespace {

struct PageInfo {
    const char* caption;
    const char* hint;
};
constexpr PageInfo kPages[settings::kPageCount] = {
    {"Izbor &glasila", "Izbor i pretraga glasila"},
    {"&Oblasti", "Zakonske oblasti"},
    {"&Pretraga", "Napredna pretraga"},
    {"^&esto kori{}eni propisi", "Naj~e{}e kori{}eni propisi i pretrage"},
    {"M&i{ljenja", "Mi{ljenja"},
    {"&Arhiva", "Arhiva propisa"},
    {"Tipski &ugovori", "Tipski i ugovori menjani od strane korisnika"},
    {"Pode{a&vanja", "Pode{avanja parametara rada programa"},
    {"Po&mo}", "Kratak pregled opcija"},
};

constexpr const char* kTablesFailed =
    "Baza podataka se ne moze otvoriti. Proverite da li su tabele u folderu Podatci pored "
    "programa, pa ponovo pokrenite program.";

constexpr const char* kSaveFailed =
    "Snimanje nije uspelo!\r\n"
    "Ako Trevion pokrecete sa CD-a ne garantujemo vam ispravan rad programa.\r\n"
    "Pokrenite instalaciju ponovo.";

void setTitleWidth(widgets::ReportList* list, int width) {
    if (list != nullptr) {
        list->setColumnWidthOf(0, std::max(width, 40));
    }
}

}  // namespace

TForm1::TForm1(engine::Session& session, QWidget* parent)
    : QDialog(parent), database::MainData(session) {
    setObjectName(QStringLiteral("Form1"));
    buildFrame();
    buildPageGlasila();
    buildPageOblasti();
    buildPagePretraga();
    buildPageListe();
    buildPageMisljenja();
    buildPageArhiva();
    buildPageUgovori();
    buildPagePodesavanja();
    buildPagePomoc();
    FormCreate();
}

TForm1::~TForm1() {
    ugovoriFormDestroy();
    if (cursorBusy_) {
        QApplication::restoreOverrideCursor();
    }
}

void TForm1::buildFrame() {
    setWindowTitle(platform::qs("Elektronski Trevion"));
    platform::frameMaximised(*this);
    // The size it will have once shown, so that the column widths set at
    // creation fit the maximised window.
    if (screen() != nullptr) {
        resize(screen()->availableGeometry().size());
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    PanelBand = widgets::createBand(this);
    PanelBand->setObjectName(QStringLiteral("PanelBand"));
    PanelBand->setFixedHeight(71);
    auto* bandLayout = new QHBoxLayout(PanelBand);
    bandLayout->setContentsMargins(0, 0, 12, 8);
    bandLayout->addStretch(1);
    ProgressBar1 = new QProgressBar(PanelBand);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedSize(260, 16);
    bandLayout->addWidget(ProgressBar1, 0, Qt::AlignBottom);
    layout->addWidget(PanelBand);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    QWidget** sheets[settings::kPageCount] = {
        &TabSheetGlasila, &TabSheetOblasti,     &TabSheetPretraga,
        &TabSheetListe,   &TabSheetMisljenja,   &TabSheet13,
        &TabSheetUgovori, &TabSheetPodesavanja, &TabSheetPomoc};
    const char* sheetNames[settings::kPageCount] = {
        "TabSheetGlasila", "TabSheetOblasti",     "TabSheetPretraga",
        "TabSheetListe",   "TabSheetMisljenja",   "TabSheet13",
        "TabSheetUgovori", "TabSheetPodesavanja", "TabSheetPomoc"};
    for (int i = 0; i < settings::kPageCount; ++i) {
        QWidget* sheet = new QWidget(PageControl1);
        sheet->setObjectName(QString::fromLatin1(sheetNames[i]));
        *sheets[i] = sheet;
        PageControl1->addTab(sheet, platform::qs(kPages[i].caption));
        PageControl1->setTabToolTip(i, platform::qs(kPages[i].hint));
        widgets::setHint(sheet, kPages[i].hint);
    }
    platform::connectGuarded(PageControl1, &QTabWidget::currentChanged, this,
                             [this] { PageControl1Change(); });
    layout->addWidget(PageControl1, 1);

    StatusBar1 = platform::createStatusBar(this, "StatusBar1", {220, 160, 200}, panels_);
    setPanel(0, "Propisa/Mi{ljenja/Ugovora");
    setPanel(2, "Priprema baze u toku, sa~ekajte...");
    layout->addWidget(StatusBar1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    platform::popupOnRightClick(this, PopupMenu1);
}

void TForm1::FormCreate() {
    // 1. The contact line gets the mail address (buildPagePomoc) in Tahoma.
    // 2.
    searching(true);
    setPanel(2, "Baza se startuje...");
    // 3.
    stored_.line0 = 1;
    const QFont windowFont = fonts::interfaceFont();
    setFont(windowFont);
    PopupMenu1->setFont(windowFont);
    QToolTip::setFont(windowFont);
    // 4.
    readSettings();
    // 5.
    if (ComboBox1 != nullptr) {
        ComboBox1->addItem(platform::qs("Sve"));
    }
    // 6. and 7.
    liste.load(platform::programDir());
    prikaziliste();
    sredibrze();
    // 8.
    yuscii::appclearOnMinimise(this);
    // 9.
    selectPage(kGlasila);
    ugovoriFormCreate();
    // 10.
    loadHelpText();
    // 11.
    setColumnWidths(true);
    // 12.
    settings::initTextStyles(stored_);
    // 13. is the contract page's (ugovoriFormCreate).
}

void TForm1::readSettings() {
    std::optional<std::vector<std::string>> lines;
    std::error_code ec;
    if (std::filesystem::exists(settings::kCfgFile, ec)) {
        // A file that cannot be read counts as one without lines.
        lines = platform::readTextLines(settings::kCfgFile).value_or(std::vector<std::string>{});
        cfg = *lines;
    }
    settings::Controls controls = settingsControls();
    const settings::CfgOutcome outcome = settings::loadCfg(lines, stored_, controls);
    applySettingsControls(controls, outcome.complexityRead);
    if (outcome.error) {
        platform::ui().message(settings::kCfgError);
    }
}

void TForm1::FormActivate() {
    centrePanel11(32, 32, 32, 32);
    // The fill lets pending messages run, which may activate the window
    // again before the fill is done.
    if (!firstActivation || firstFillRunning_) {
        return;
    }
    firstFillRunning_ = true;
    // 1.
    setWindowTitle(platform::qs("Elektronski Trevion (ver." + settings::programVersion() + ")"));
    // 2. The page control and the status bar pass the face to their controls.
    const QFont windowFont = fonts::interfaceFont();
    PageControl1->setFont(windowFont);
    StatusBar1->setFont(windowFont);
    // 3. to 6.
    bool opened = true;
    bool damaged = false;
    try {
        openAll();
    } catch (const engine::Error& e) {
        // Without its tables the window stays usable only to be closed.
        opened = false;
        platform::log(std::string("opening the tables: ") + e.what());
        damaged = engine::isDamage(e);
        if (!damaged) {
            platform::ui().message(kTablesFailed, platform::Icon::Error);
        }
    }
    if (opened) {
        // A file that opens may still be damaged inside: the fill then stops
        // and the user learns why the pages are empty; the window stays up
        // for the settings page's repair.
        try {
            QCoreApplication::processEvents();
            ubacipoglasnicima();
            poubacuj();
            attachTreeView2Change();
            startIndexRebuild();
        } catch (const std::exception& e) {
            damaged = true;
            platform::log(std::string("filling the main window: ") + e.what());
        }
    }
    if (damaged) {
        showDamage();
    }
    // 7.
    Q_EMIT firstFillDone();
    // 8.
    if (ComboBox4 != nullptr && ComboBox4->count() > 0) {
        ComboBox4->setCurrentIndex(0);
    }
    // 9.
    searching(false);
    setPanel(2, damaged ? "Baza je o{te}ena" : "Inicijalizacija zavr{ena");
    // 10.
    if (TreeView1 != nullptr && TreeView1->topLevelItemCount() > 0) {
        TreeView1->expandRecursively(TreeView1->model()->index(0, 0));
    }
    // 2. (the contract text's face) and 11.
    ugovoriFormActivate();
    // 12.
    Q_EMIT firstActivationDone();
    firstActivation = false;
    firstFillRunning_ = false;
}

void TForm1::showDamage() {
    if (!damageShown_) {
        damageShown_ = true;
        platform::ui().message(kDatabaseDamaged, platform::Icon::Error);
    }
}

void TForm1::setColumnWidths(bool withListView1) {
    const int w = width();
    setTitleWidth(ListBox3, w - 487);
    setTitleWidth(ListBox7, w - 200);
    setTitleWidth(Listbox9, w - 180);
    setTitleWidth(ListBox2, w - 390);
    setTitleWidth(Listbox6, w - 170);
    if (withListView1 && ListView1 != nullptr) {
        // The gazette list shares its page with the tree: its title column
        // follows the list's own width and keeps "Broj/godina" in view.
        ListView1->setTitleReserve(150);
    }
    if (Panel24 != nullptr) {
        Panel24->setFixedHeight(
            std::max(static_cast<int>(std::lround(TabSheet13->height() / 2.0)) - 45, 0));
    }
}

void TForm1::FormResize() {
    centrePanel11(22, 32, 32, 27);
    setColumnWidths(false);
    if (QWidget* page = PageControl1->currentWidget()) {
        page->update();  // the visible page's rich text
    }
}

void TForm1::searching(bool busy) {
    PageControl1->setEnabled(!busy);
    if (busy) {
        setContextMenuPolicy(Qt::NoContextMenu);
        if (cursorBusy_) {
            QApplication::changeOverrideCursor(Qt::WaitCursor);
        } else {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            cursorBusy_ = true;
        }
        setPanel(2, "Pretraga u toku (ESCAPE taster prekida standardne pretrage)");
    } else {
        setContextMenuPolicy(Qt::CustomContextMenu);
        if (cursorBusy_) {
            QApplication::restoreOverrideCursor();
            cursorBusy_ = false;
        }
        setPanel(2, "Pretraga zavr{ena");
    }
    StatusBar1->repaint();
    if (!busy && CheckBox5 != nullptr && CheckBox5->isChecked()) {
        platform::ui().beep();
    }
}

widgets::WindowMonitor TForm1::pageMonitor() {
    return widgets::WindowMonitor(ProgressBar1, [this] { return takeStopRequest(); });
}

bool TForm1::takeStopRequest() {
    const bool set = stopRequest;
    stopRequest = false;
    return set;
}

void TForm1::FormKeyDown(int key) {
    if (key == 27) {
        stopRequest = true;
    }
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    // Escape is the stop request here, never a way to close the window.
    if (event->key() == Qt::Key_Escape) {
        FormKeyDown(27);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm1::WMSysCommandMinimize() {
    // The application's minimise handler (appclear) runs through the
    // watch that FormCreate installed on this window.
    platform::minimiseOtherWindows(*this);
}

void TForm1::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        WMSysCommandMinimize();
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        FormActivate();
    }
}

void TForm1::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    platform::fillScreenWhenMaximised(*this);
    // A platform that never activates the window still gets the first fill.
    QTimer::singleShot(0, this, [this] {
        if (firstActivation && isVisible()) {
            platform::guarded([this] { FormActivate(); });
        }
    });
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FormResize();
}

void TForm1::selectPage(int page) {
    QSignalBlocker quiet(PageControl1);
    PageControl1->setCurrentIndex(page);
}

void TForm1::PageControl1Change() {
    ProgressBar1->setValue(0);
    osvezi();
}

void TForm1::osvezi() {
    switch (PageControl1->currentIndex()) {
        case kGlasila:
            if (ComboBox3 != nullptr) {
                ComboBox3->setEnabled(false);
            }
            Zakoni.setMasterSource(&Glavna);
            Zakoni.setMasterFields("ID_BROJA");
            Zakoni.setFilter("");
            Zakoni.setFiltered(true);
            Zakoni.setIndexFieldNames("ID_ZAKONA");
            break;
        case kPretraga:
            if (RadioButton6 != nullptr) {
                RadioButton6->setChecked(true);
            }
            if (ComboBox3 != nullptr) {
                ComboBox3->setEnabled(false);
            }
            Zakoni.setMasterSource(nullptr);
            break;
        case kUgovori:
            enableThirdParty();
            break;
        default:
            break;
    }
}

void TForm1::ComboBox2Change() {
    auto shown = settings::pagesShown(ComboBox2->currentIndex());
    if (!shown) {
        return;
    }
    QSignalBlocker quiet(PageControl1);
    for (int i = 0; i < settings::kPageCount; ++i) {
        PageControl1->setTabVisible(i, (*shown)[static_cast<size_t>(i)]);
    }
}

void TForm1::proveripropise() {
    const bool glavnaFiltered = Glavna.filtered();
    Glavna.setFiltered(false);
    const int regulations = Glavna.recordCount();
    Glavna.setFiltered(glavnaFiltered);

    const std::string ministryLink = misljenja.masterFields();
    misljenja.setMasterFields("");
    const int opinions = misljenja.recordCount();
    misljenja.setMasterFields(ministryLink);

    ugovori.setFiltered(false);
    const int contracts = ugovori.recordCount();
    ugovori.setFiltered(true);

    const std::string counts = std::to_string(regulations) + "/" + std::to_string(opinions) + "/" +
                               std::to_string(contracts);
    setPanel(0, "Propisa/Mi{ljenja/Ugovora: " + counts);
    if (Label27 != nullptr) {
        Label27->setText(platform::qs(counts));
    }
}

void TForm1::dohints() {
    setPanel(2, widgets::currentHint());
    Q_EMIT hintShown(widgets::currentHint());
}

void TForm1::clearProgress() {
    ProgressBar1->setValue(0);
}

void TForm1::setProgress(int position) {
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(position);
    ProgressBar1->repaint();
}

void TForm1::GreskaUSnimanju() {
    platform::ui().message(kSaveFailed, platform::Icon::Error);
}

void TForm1::setPanel(int panel, const std::string& text) {
    panels_.at(static_cast<size_t>(panel))->setText(platform::qs(text));
}

std::string TForm1::panelText(int panel) const {
    return platform::ys(panels_.at(static_cast<size_t>(panel))->text());
}

void TForm1::saveFile(const std::string& name, const std::vector<std::string>& lines,
                      std::vector<std::string>& failed) {
    if (std::find(failed.begin(), failed.end(), name) != failed.end()) {
        return;
    }
    if (!platform::writeLinesAtomic(platform::inProgramDir(name), lines)) {
        failed.push_back(name);
        GreskaUSnimanju();
    }
}

void TForm1::FormClose() {
    // The user contract's edits are kept, as its editor promises.
    snimikorisnicki();
    std::vector<std::string> failed;
    // 1. Files copied from a CD come read-only.
    for (const char* name : {lists::kHistoryFile, lists::kRecentFile, lists::kQuickFile,
                             settings::kCfgFile, lists::kNewestFile}) {
        if (!platform::makeWritable(platform::inProgramDir(name))) {
            failed.push_back(name);
            GreskaUSnimanju();
        }
    }
    // 2.
    for (const auto& [name, lines] : liste.files()) {
        saveFile(name, *lines, failed);
    }
    // 3.
    cfg = settings::cfgLines(stored_, settingsControls(), settings::programVersion());
    saveFile(settings::kCfgFile, cfg, failed);
    // 4.
    PopupMenu1->clear();
    // 5.
    Q_EMIT closed();
}

void TForm1::done(int result) {
    // Every way of closing the window (close box, Alt+F4, code) saves.
    if (!closing_) {
        closing_ = true;
        FormClose();
    }
    QDialog::done(result);
}

void TForm1::dodajuceste(const std::string& title) {
    if (liste.addRecent(title, SpinEdit2->value())) {
        prikaziliste();
    }
}

void TForm1::dodajpretragu(const std::string& entry) {
    liste.addHistory(entry, SpinEdit4->value());
    prikaziliste();
}

void TForm1::oznacizabrzo(const std::string& title) {
    if (liste.markQuickOpen(title) == lists::MarkResult::Full) {
        platform::ui().message(lists::kQuickOpenFull);
    }
    prikaziliste();
    sredibrze();
}

void TForm1::sredibrze() {
    PopupMenu1->clear();
    QAction* heading = PopupMenu1->addAction(platform::qs(lists::kMenuHeading));
    heading->setEnabled(false);
    QAction* separator = PopupMenu1->addSeparator();
    separator->setEnabled(false);
    for (size_t i = 0; i < liste.quick.size(); ++i) {
        QAction* item = PopupMenu1->addAction(platform::qs(liste.quick[i]));
        const int position = static_cast<int>(i);
        item->setData(position);
        platform::connectGuarded(item, &QAction::triggered, this,
                                 [this, position] { PopupMenuItemsClick(position); });
    }
}

void TForm1::prikaziliste() {
    const std::pair<QListWidget*, const std::vector<std::string>*> shown[] = {
        {ListBox4, &liste.history}, {ListBox5, &liste.recent}, {ListBox8, &liste.quick}};
    for (const auto& [box, lines] : shown) {
        const int row = box->currentRow();
        box->clear();
        for (const auto& line : *lines) {
            box->addItem(platform::qs(line));
        }
        if (row >= 0 && row < box->count()) {
            box->setCurrentRow(row);
        }
    }
}
