// The main window frame: creation with and without a settings file, the
// first activation, the busy state and the stop request, the tab change,
// the counts, the lists and their menu, hints, minimise and the close that
// saves the files.
#include "mainwindow/tform1.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <cmath>
#include <filesystem>

#include "database/schema.h"
#include "engine/session.h"
#include "engine/table.h"
#include "platform/files.h"
#include "platform/textconv.h"
#include "printing/tpreviewprinter.h"
#include "startup/session.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"
#include "support/temp_program_dir.h"
#include "widgets/apphint.h"
#include "yuscii/transliterate.h"

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

const char* kSaveFailed =
    "Snimanje nije uspelo!\r\n"
    "Ako Trevion pokrecete sa CD-a ne garantujemo vam ispravan rad programa.\r\n"
    "Pokrenite instalaciju ponovo.";

// Records what the main window tells the start-up window.
struct FakeStartup {
    int hidden = 0;
    int timerStops = 0;
    int closes = 0;
    void listenTo(TForm1& form) {
        QObject::connect(&form, &TForm1::firstFillDone, [this] { ++hidden; });
        QObject::connect(&form, &TForm1::firstActivationDone, [this] { ++timerStops; });
        QObject::connect(&form, &TForm1::closed, [this] { ++closes; });
    }
};

class MainWindow : public ::testing::Test {
  protected:
    explicit MainWindow(bool withData = true) : dir_(withData) {
        settings::resetProcessValues();
        startup::openDatabase(session_, dir_.path());
    }

    // Writes the settings file (CR LF) before the window is created.
    void writeCfg(const Lines& lines) {
        ASSERT_TRUE(platform::writeLinesAtomic(dir_ / "trevion.cfg", lines));
    }

    TForm1& create() {
        form_ = std::make_unique<TForm1>(session_);
        startup_.listenTo(*form_);
        return *form_;
    }

    std::vector<bool> visiblePages() const {
        std::vector<bool> shown;
        for (int i = 0; i < testsupport::child<QTabWidget>(form_.get(), "PageControl1")->count();
             ++i) {
            shown.push_back(
                testsupport::child<QTabWidget>(form_.get(), "PageControl1")->isTabVisible(i));
        }
        return shown;
    }

    Lines fileLines(const char* name) const {
        auto bytes = platform::readFile(dir_ / name);
        EXPECT_TRUE(bytes) << name;
        auto lines = platform::readLines(dir_ / name);
        // Every line, the last included, ends with CR LF.
        EXPECT_EQ(*bytes, platform::joinCrLf(*lines)) << name;
        return *lines;
    }

    int rowCount(const char* table) {
        engine::Table t(session_);
        t.setDatabaseName(database::kAlias);
        t.setTableName(table);
        t.open();
        return t.recordCount();
    }

    testsupport::TempProgramDir dir_;
    engine::Session session_;
    FakeStartup startup_;
    std::unique_ptr<TForm1> form_;
};

TEST_F(MainWindow, CreationWithoutFilesGivesTheDesignState) {
    TForm1& f = create();
    EXPECT_EQ(platform::ys(f.windowTitle()), "Elektronski Trevion");
    const Lines captions = {"Izbor &glasila",           "&Oblasti",     "&Pretraga",
                            "^&esto kori{}eni propisi", "M&i{ljenja",   "&Arhiva",
                            "Tipski &ugovori",          "Pode{a&vanja", "Po&mo}"};
    ASSERT_EQ(testsupport::child<QTabWidget>(&f, "PageControl1")->count(), 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(platform::ys(testsupport::child<QTabWidget>(&f, "PageControl1")->tabText(i)),
                  captions[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(
        platform::ys(testsupport::child<QTabWidget>(&f, "PageControl1")->widget(7)->statusTip()),
        "Pode{avanja parametara rada programa");
    EXPECT_EQ(visiblePages(), std::vector<bool>(9, true));
    EXPECT_EQ(testsupport::child<QTabWidget>(&f, "PageControl1")->currentIndex(), 0);
    EXPECT_EQ(testsupport::child<QComboBox>(&f, "ComboBox2")->currentIndex(), 2);
    EXPECT_FALSE(testsupport::child<QCheckBox>(&f, "CheckBox4")->isChecked());
    EXPECT_FALSE(testsupport::child<QLineEdit>(&f, "Edit14")
                     ->isEnabledTo(testsupport::child<QTabWidget>(&f, "PageControl1")));
    EXPECT_FALSE(testsupport::child<QLabel>(&f, "Label20")
                     ->isEnabledTo(testsupport::child<QTabWidget>(&f, "PageControl1")));
    EXPECT_TRUE(testsupport::child<QCheckBox>(&f, "CheckBox5")->isChecked());
    EXPECT_EQ(testsupport::child<QSpinBox>(&f, "SpinEdit2")->value(), 12);
    EXPECT_EQ(testsupport::child<QSpinBox>(&f, "SpinEdit4")->value(), 12);
    // Still busy until the first activation.
    EXPECT_FALSE(testsupport::child<QTabWidget>(&f, "PageControl1")->isEnabled());
    EXPECT_EQ(f.panelText(0), "Propisa/Mi{ljenja/Ugovora");
    EXPECT_EQ(f.panelText(2), "Baza se startuje...");
    const auto& g = f.storedSettings();
    EXPECT_EQ(g.line0, 1);
    EXPECT_EQ(g.styles[0].size, 10);
    EXPECT_EQ(g.styles[1].size, 16);
    EXPECT_EQ(g.styles[2].size, 14);
    EXPECT_EQ(g.styles[1].face, "YHelvetica");
    EXPECT_TRUE(g.styles[1].bold);
    EXPECT_FALSE(g.styles[0].bold);
    EXPECT_EQ(g.lastUpdate, "15/12/2020");
    // The help text is loaded from dostava.rtf.
    EXPECT_FALSE(testsupport::child<QTextEdit>(&f, "RichEdit3")->toPlainText().isEmpty());
    EXPECT_TRUE(platform::ys(testsupport::child<QLabel>(&f, "Label34")->text()).find('@') !=
                std::string::npos);
}

TEST_F(MainWindow, StatusBarHasThreePanelsOfFixedWidths) {
    TForm1& f = create();
    const auto panels = testsupport::child<QStatusBar>(&f, "StatusBar1")
                            ->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(panels.size(), 3);
    EXPECT_EQ(panels[0]->width(), 220);
    EXPECT_EQ(panels[1]->width(), 160);
    EXPECT_EQ(panels[2]->width(), 200);
}

TEST_F(MainWindow, ContractsPrintWithTheMainWindowsSettings) {
    const printing::TTextOptions& t =
        testsupport::child<printing::TPreviewPrinter>(&create(), "PreviewPrinter1")->TextOptions;
    EXPECT_EQ(t.HeaderFont, (printing::TFont{"Times New Roman", 18, Qt::black, true}));
    EXPECT_EQ(t.PageNumFont, (printing::TFont{"Times New Roman", 10, Qt::black, false, true}));
    EXPECT_EQ(t.PageNumAlign, printing::TAlignment::taRightJustify);
    EXPECT_TRUE(t.Header.empty());
}

TEST_F(MainWindow, LevelZeroShowsOnlyFivePages) {
    writeCfg({"1", "0", "Bez proxy-ja", "", "", "10", "16", "14", "1/1/2020", "2.2.0"});
    TForm1& f = create();
    EXPECT_EQ(visiblePages(),
              (std::vector<bool>{true, true, false, false, false, false, true, true, true}));
    // Choosing "Napredno" shows the search and the opinions.
    testsupport::child<QComboBox>(&f, "ComboBox2")->setCurrentIndex(1);
    Q_EMIT testsupport::child<QComboBox>(&f, "ComboBox2")
        ->activated(testsupport::child<QComboBox>(&f, "ComboBox2")->currentIndex());
    EXPECT_EQ(visiblePages(),
              (std::vector<bool>{true, true, true, false, true, false, true, true, true}));
}

TEST_F(MainWindow, ProxyLinesFillTheFields) {
    writeCfg({"1", "2", "Koristi proxy", "proxy.lan", "3128", "10", "16", "14", "1/1/2020", ""});
    TForm1& f = create();
    EXPECT_TRUE(testsupport::child<QCheckBox>(&f, "CheckBox4")->isChecked());
    EXPECT_TRUE(testsupport::child<QLineEdit>(&f, "Edit14")
                    ->isEnabledTo(testsupport::child<QTabWidget>(&f, "PageControl1")));
    EXPECT_TRUE(testsupport::child<QLabel>(&f, "Label13")
                    ->isEnabledTo(testsupport::child<QTabWidget>(&f, "PageControl1")));
    EXPECT_EQ(testsupport::child<QLineEdit>(&f, "Edit14")->text(), QStringLiteral("proxy.lan"));
    EXPECT_EQ(testsupport::child<QLineEdit>(&f, "Edit15")->text(), QStringLiteral("3128"));
    testsupport::child<QCheckBox>(&f, "CheckBox4")->setChecked(false);
    Q_EMIT testsupport::child<QCheckBox>(&f, "CheckBox4")
        ->clicked(testsupport::child<QCheckBox>(&f, "CheckBox4")->isChecked());
    EXPECT_FALSE(testsupport::child<QLineEdit>(&f, "Edit15")
                     ->isEnabledTo(testsupport::child<QTabWidget>(&f, "PageControl1")));
    EXPECT_EQ(testsupport::child<QLineEdit>(&f, "Edit15")->text(), QStringLiteral("3128"));
}

TEST_F(MainWindow, ProxyOffKeepsItsValuesDisabledAndWritesThemBack) {
    const Lines lines = {"1",  "2",  "Bez proxy-ja", "proxy.lan", "3128",
                         "10", "16", "14",           "1/1/2020",  "2.2.0"};
    writeCfg(lines);
    settings::programVersion() = "2.2.0";
    TForm1& f = create();
    EXPECT_FALSE(testsupport::child<QLineEdit>(&f, "Edit14")
                     ->isEnabledTo(testsupport::child<QTabWidget>(&f, "PageControl1")));
    EXPECT_FALSE(testsupport::child<QLineEdit>(&f, "Edit15")
                     ->isEnabledTo(testsupport::child<QTabWidget>(&f, "PageControl1")));
    f.FormClose();
    Lines expected = lines;
    expected[8] = "11/4/2024";
    EXPECT_EQ(fileLines("trevion.cfg"), expected);
}

TEST_F(MainWindow, BadLineZeroShowsTheMessageOnceAndStillSavesTenLines) {
    writeCfg({"abc", "0", "Koristi proxy", "p", "1", "11", "12", "13", "1/1/2020", "2.2.0"});
    settings::programVersion() = "2.2.0";
    testsupport::scriptedUi().expectMessage("Greska u .cfg datoteci!");
    TForm1& f = create();
    EXPECT_EQ(testsupport::scriptedUi().messages().size(), 1u);
    EXPECT_EQ(testsupport::child<QComboBox>(&f, "ComboBox2")->currentIndex(), 2);
    EXPECT_EQ(visiblePages(), std::vector<bool>(9, true));
    EXPECT_FALSE(testsupport::child<QCheckBox>(&f, "CheckBox4")->isChecked());
    f.FormClose();
    EXPECT_EQ(fileLines("trevion.cfg"),
              (Lines{"1", "2", "Bez proxy-ja", "", "", "0", "0", "0", "15/12/2020", "2.2.0"}));
}

TEST_F(MainWindow, CloseWritesTheListsAndTheSettingsAndClosesTheStartupWindow) {
    ASSERT_TRUE(platform::writeFileAtomic(dir_ / "cesti.ini", "Zakon A\r\nZakon B\r\n"));
    ASSERT_TRUE(platform::writeFileAtomic(dir_ / "brzi.ini", "Brzi\r\n"));
    TForm1& f = create();
    EXPECT_EQ(testsupport::child<QListWidget>(&f, "ListBox5")->count(), 2);
    EXPECT_EQ(testsupport::child<QListWidget>(&f, "ListBox8")->count(), 1);
    f.liste.newest = {"Novi propis"};
    f.show();
    f.close();
    EXPECT_EQ(startup_.closes, 1);
    EXPECT_TRUE(testsupport::child<QMenu>(&f, "PopupMenu1")->actions().isEmpty());
    EXPECT_EQ(fileLines("cesti.ini"), (Lines{"Zakon A", "Zakon B"}));
    EXPECT_EQ(fileLines("brzi.ini"), (Lines{"Brzi"}));
    EXPECT_EQ(fileLines("pretrage.ini"), Lines{});
    EXPECT_EQ(fileLines("novo.lst"), (Lines{"Novi propis"}));
    const Lines cfg = fileLines("trevion.cfg");
    EXPECT_EQ(cfg, (Lines{"1", "2", "Bez proxy-ja", "", "", "10", "16", "14", "15/12/2020", ""}));
    EXPECT_EQ(f.cfg, cfg);
}

TEST_F(MainWindow, AFileThatCannotBeWrittenIsReportedOnceAndTheCloseGoesOn) {
    fs::create_directory(dir_ / "cesti.ini");  // no file can replace a folder
    TForm1& f = create();
    testsupport::scriptedUi().expectMessage(kSaveFailed);
    f.FormClose();
    EXPECT_EQ(startup_.closes, 1);
    EXPECT_EQ(fileLines("trevion.cfg").size(), 10u);
    EXPECT_TRUE(fs::exists(dir_ / "novo.lst"));
}

TEST_F(MainWindow, FirstActivationOpensTheDataAndShowsTheCounts) {
    settings::programVersion() = "2.2.3";
    TForm1& f = create();
    f.FormActivate();
    EXPECT_EQ(platform::ys(f.windowTitle()), "Elektronski Trevion (ver.2.2.3)");
    EXPECT_TRUE(f.Zakoni.active());
    EXPECT_TRUE(f.misljenja.active());
    EXPECT_TRUE(testsupport::child<QTabWidget>(&f, "PageControl1")->isEnabled());
    EXPECT_EQ(f.panelText(2), "Inicijalizacija zavr{ena");
    const std::string counts = std::to_string(rowCount(database::kBrojevi)) + "/" +
                               std::to_string(rowCount(database::kMisljenja)) + "/" +
                               std::to_string(rowCount(database::kUgovori));
    EXPECT_EQ(f.panelText(0), "Propisa/Mi{ljenja/Ugovora: " + counts);
    EXPECT_EQ(platform::ys(testsupport::child<QLabel>(&f, "Label27")->text()), counts);
    EXPECT_EQ(startup_.hidden, 1);
    EXPECT_EQ(startup_.timerStops, 1);
    EXPECT_FALSE(f.firstActivation);
    // Later activations fill nothing again.
    f.FormActivate();
    EXPECT_EQ(startup_.hidden, 1);
}

class MainWindowWithoutData : public MainWindow {
  protected:
    MainWindowWithoutData() : MainWindow(false) {}
};

TEST_F(MainWindowWithoutData, FirstActivationReportsMissingTablesAndStaysUsable) {
    TForm1& f = create();
    testsupport::scriptedUi().expectMessage();
    f.FormActivate();
    EXPECT_NE(testsupport::scriptedUi().messages().at(0).find("Baza podataka"), std::string::npos);
    EXPECT_TRUE(testsupport::child<QTabWidget>(&f, "PageControl1")->isEnabled());
    EXPECT_FALSE(f.firstActivation);
    EXPECT_EQ(startup_.timerStops, 1);
}

TEST_F(MainWindow, BusyStateDisablesThePagesAndBeepsAtTheEnd) {
    TForm1& f = create();
    f.FormActivate();
    auto& ui = testsupport::scriptedUi();
    const int beeps = ui.beeps;
    f.searching(true);
    EXPECT_FALSE(testsupport::child<QTabWidget>(&f, "PageControl1")->isEnabled());
    EXPECT_EQ(f.contextMenuPolicy(), Qt::NoContextMenu);
    EXPECT_EQ(f.panelText(2), "Pretraga u toku (ESCAPE taster prekida standardne pretrage)");
    f.searching(false);
    EXPECT_TRUE(testsupport::child<QTabWidget>(&f, "PageControl1")->isEnabled());
    EXPECT_EQ(f.contextMenuPolicy(), Qt::CustomContextMenu);
    EXPECT_EQ(f.panelText(2), "Pretraga zavr{ena");
    EXPECT_EQ(ui.beeps, beeps + 1);
    testsupport::child<QCheckBox>(&f, "CheckBox5")->setChecked(false);
    f.searching(true);
    f.searching(false);
    EXPECT_EQ(ui.beeps, beeps + 1);
}

TEST_F(MainWindow, EscapeSetsTheStopRequestAndNeverClosesTheWindow) {
    TForm1& f = create();
    f.show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&f, &escape);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(startup_.closes, 0);
    EXPECT_TRUE(f.takeStopRequest());
    EXPECT_FALSE(f.takeStopRequest());
    f.hide();
}

TEST_F(MainWindow, TabChangeRelinksOrCutsTheRegulations) {
    TForm1& f = create();
    f.FormActivate();
    testsupport::child<QProgressBar>(&f, "ProgressBar1")->setValue(40);
    testsupport::child<QTabWidget>(&f, "PageControl1")->setCurrentIndex(TForm1::kPretraga);
    EXPECT_EQ(testsupport::child<QProgressBar>(&f, "ProgressBar1")->value(), 0);
    EXPECT_EQ(f.Zakoni.masterSource(), nullptr);
    f.Zakoni.setFilter("ID_ZAKONA = 1");
    testsupport::child<QTabWidget>(&f, "PageControl1")->setCurrentIndex(TForm1::kGlasila);
    EXPECT_EQ(f.Zakoni.masterSource(), &f.Glavna);
    EXPECT_EQ(f.Zakoni.masterFields(), "ID_BROJA");
    EXPECT_EQ(f.Zakoni.filter(), "");
    EXPECT_TRUE(f.Zakoni.filtered());
    EXPECT_EQ(f.Zakoni.indexFieldNames(), "ID_ZAKONA");
}

TEST_F(MainWindow, RecentListFollowsItsLimit) {
    TForm1& f = create();
    testsupport::child<QSpinBox>(&f, "SpinEdit2")->setValue(3);
    for (const char* t : {"A", "B", "C", "D", "b"}) {
        f.dodajuceste(t);
    }
    ASSERT_EQ(testsupport::child<QListWidget>(&f, "ListBox5")->count(), 3);
    EXPECT_EQ(testsupport::child<QListWidget>(&f, "ListBox5")->item(0)->text(),
              QStringLiteral("B"));
    EXPECT_EQ(testsupport::child<QListWidget>(&f, "ListBox5")->item(2)->text(),
              QStringLiteral("D"));
    testsupport::child<QSpinBox>(&f, "SpinEdit4")->setValue(2);
    for (const char* e : {"'A' - x", "'B' - x", "'C' - x"}) {
        f.dodajpretragu(e);
    }
    EXPECT_EQ(f.liste.history, (Lines{"'B' - x", "'C' - x"}));
    EXPECT_EQ(testsupport::child<QListWidget>(&f, "ListBox4")->count(), 2);
}

TEST_F(MainWindow, QuickOpenMenuMirrorsTheListAndANinthTitleIsRefused) {
    TForm1& f = create();
    f.oznacizabrzo("Propis 1");
    f.oznacizabrzo("Propis 1");
    EXPECT_EQ(testsupport::child<QListWidget>(&f, "ListBox8")->count(), 1);
    for (int i = 2; i <= 8; ++i) {
        f.oznacizabrzo("Propis " + std::to_string(i));
    }
    testsupport::scriptedUi().expectMessage("Lista propisa oznacenih za brzo otvaranje je puna");
    f.oznacizabrzo("Propis 9");
    EXPECT_EQ(testsupport::child<QListWidget>(&f, "ListBox8")->count(), 8);
    const auto actions = testsupport::child<QMenu>(&f, "PopupMenu1")->actions();
    ASSERT_EQ(actions.size(), 10);
    EXPECT_EQ(platform::ys(actions[0]->text()), "Oznaceni propisi");
    EXPECT_FALSE(actions[0]->isEnabled());
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(platform::ys(actions[9]->text()), "Propis 8");
    EXPECT_EQ(actions[9]->data().toInt(), 7);
}

TEST_F(MainWindow, HintsReachPanelTwoAndTheDocumentWindow) {
    TForm1& f = create();
    std::string shownInDocument;
    QObject::connect(&f, &TForm1::hintShown,
                     [&](const std::string& hint) { shownInDocument = hint; });
    widgets::setHintHandler([&f] { f.dohints(); });
    widgets::setCurrentHint("Port proxy servera");
    widgets::setHintHandler({});
    EXPECT_EQ(f.panelText(2), "Port proxy servera");
    EXPECT_EQ(shownInDocument, "Port proxy servera");
    widgets::setCurrentHint("");
}

TEST_F(MainWindow, MinimisingTransliteratesTheClipboard) {
    TForm1& f = create();
    auto& ui = testsupport::scriptedUi();
    ui.setClipboardText("Zakon o ra~unovodstvu");
    f.setWindowState(Qt::WindowMinimized);
    EXPECT_EQ(ui.clipboard, yuscii::transliterate("Zakon o ra~unovodstvu"));
}

TEST_F(MainWindow, ResizeCentresTheAboutLabels) {
    TForm1& f = create();
    f.resize(1000, 700);
    testsupport::child<QFrame>(&f, "Panel11")
        ->resize(900, testsupport::child<QFrame>(&f, "Panel11")->height());
    f.FormResize();
    const int expected = static_cast<int>(std::lround(
                             (900 - testsupport::child<QLabel>(&f, "Label34")->width()) / 2.0)) +
                         22;
    EXPECT_EQ(testsupport::child<QLabel>(&f, "Label34")->x(), expected);
    f.FormActivate();
    EXPECT_EQ(testsupport::child<QLabel>(&f, "Label34")->x(), expected + 10);
}

TEST_F(MainWindow, SaveFailureMessage) {
    TForm1& f = create();
    testsupport::scriptedUi().expectMessage(kSaveFailed);
    f.GreskaUSnimanju();
}

}  // namespace
