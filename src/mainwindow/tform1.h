#pragma once
// The main window: the top band with the progress bar, the page control with
// nine pages and the three-panel status bar. The frame (tform1.cpp) creates
// the window, opens the datasets at the first activation, runs the busy
// state, the complexity levels and the counts, and loads and saves the
// settings and list files. Each page has its section below and its own
// source file, tform1_<page>.cpp, whose buildPage...() creates the page's
// controls.
//
// Controls of a page that the frame touches are declared in that page's
// section; until the page creates them they are nullptr and the frame leaves
// them alone.
#include <QColor>
#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "database/datasets.h"
#include "lists/listrules.h"
#include "lists/rememberedlists.h"
#include "mainwindow/contracttext.h"
#include "search/hits.h"
#include "settings/settings.h"
#include "widgets/windowmonitor.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QRadioButton;
class QSpinBox;
class QStatusBar;
class QTabWidget;
class QTimer;
class QTextEdit;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class HitStrip;

namespace engine {
class Session;
}
namespace search {
class BackgroundRebuild;
}
namespace printing {
class TPreviewPrinter;
}
namespace widgets {
class ReportList;
}
namespace dbviews {
class DBEdit;
class DBGrid;
class DBNavigator;
class DBRichEditor;
}  // namespace dbviews
namespace printing {
class TPreviewPrinter;
}
namespace mainwindow {
struct ShellErrors;
}

class TForm1 : public QDialog, public database::MainData {
    Q_OBJECT
  public:
    // A database that opens but cannot be read inside (shown once a run).
    static constexpr const char* kDatabaseDamaged =
        "Baza podataka je o{te}ena: deo podataka se ne mo`e pro~itati, pa propisi mogu "
        "nedostajati. Na kartici Pode{avanja pritisnite Popravka; ako gre{ka ostane, "
        "ponovo instalirajte program. Opis gre{ke je upisan u datoteku korvet.log pored "
        "programa.";
    enum Page {
        kGlasila = 0,
        kOblasti = 1,
        kPretraga = 2,
        kListe = 3,
        kMisljenja = 4,
        kArhiva = 5,
        kUgovori = 6,
        kPodesavanja = 7,
        kPomoc = 8,
    };

    // Runs FormCreate. The datasets stand on the given session.
    explicit TForm1(engine::Session& session, QWidget* parent = nullptr);
    ~TForm1() override;

    // ===================================================================
    // Frame
    // ===================================================================

    // What the main window asks of the windows it shows; src/app sets these
    // when it wires the windows (an empty function shows nothing).
    struct Links {
        // The document window, shown modally on Zakoni's current regulation
        // or on misljenja's current opinion, with this caption.
        std::function<void(const std::string& title)> showRegulation;
        std::function<void(const std::string& title)> showOpinion;
        // The selection window, shown modally with these rows.
        std::function<void(std::vector<lists::Row> rows)> showSelection;
    };
    Links links;

    std::vector<std::string> cfg;  // line buffer of the settings file

    // The remembered lists shown by ListBox4, ListBox5, ListBox8 and the
    // invisible najnoviji.
    lists::RememberedLists liste;

    // The stop request: set by Escape, tested and cleared by long loops.
    bool stopRequest = false;
    // True once: the stop request was set; it is cleared.
    bool takeStopRequest();

    bool firstActivation = true;

    // The values of the settings file that no control shows: the line-0
    // value, the text styles and the last-update date.
    const settings::Values& storedSettings() const { return stored_; }

    void FormActivate();
    void FormResize();
    // Saves the lists and the settings, then closes the start-up window.
    void FormClose();
    void FormKeyDown(int key);
    // The minimise command: the whole application goes to the taskbar.
    void WMSysCommandMinimize();

    void searching(bool busy);
    void osvezi();
    void proveripropise();
    // The application's hint in panel 2 and in the document window (hintShown).
    void dohints();
    // The progress bar back to 0 (when another window closes).
    void clearProgress();
    // The progress bar at position in the range 0 to 100, drawn at once.
    void setProgress(int position);
    void GreskaUSnimanju();

    // Status bar panels 0 to 2 (YUSCII).
    void setPanel(int panel, const std::string& text);
    std::string panelText(int panel) const;

    // Selects a page without the tab-change handling, as code does.
    void selectPage(int page);

    // The remembered lists' operations (the list controls follow).
    void dodajuceste(const std::string& title);
    void dodajpretragu(const std::string& entry);
    // Marking for quick opening, from the document window's caption.
    void oznacizabrzo(const std::string& title);
    void sredibrze();
    // Shows the lists in their controls after a change.
    void prikaziliste();

    // ===================================================================
    // Page 0 "Izbor &glasila" (tform1_glasila.cpp)
    // ===================================================================
    // False while the change handler is detached (the first fill, the
    // filling of a node).
    bool treeView2ChangeAttached = false;

    // ===================================================================
    // Page 1 "&Oblasti" (tform1_oblasti.cpp)
    // ===================================================================
    // The rows of the last area fill; the phrase search filters these.
    std::vector<lists::Row> oblastcuvaj;

    // ===================================================================
    // Page 2 "&Pretraga" (tform1_pretraga.cpp)
    // ===================================================================
    // Set by a re-run from the history: the search then adds no history
    // entry. Every search clears it when it ends.
    bool ponovljenaPretraga = false;

    // ===================================================================
    // Page 3 "^&esto kori{}eni propisi" (tform1_liste.cpp)
    // ===================================================================

    // ===================================================================
    // Page 4 "M&i{ljenja" (tform1_misljenja.cpp)
    // ===================================================================
    // The ComboBox1 entry whose restriction stands (0: "Sve").
    int ministryIndex = 0;

    // ===================================================================
    // Page 5 "&Arhiva" (tform1_arhiva.cpp)
    // ===================================================================
    // The saved copy of ListBox7, filled by the start-up fill (poubacuj).
    std::vector<lists::Row> arhivacuvaj;
    // From the document and selection windows: this page searches the title
    // (the page shown, pending messages run first), then archiveJumped (the
    // selection window, when shown, closes).
    void skoknaarhivu(const std::string& title);

    // ===================================================================
    // Page 6 "Tipski &ugovori" (tform1_ugovori.cpp)
    // ===================================================================
    // The party data as typed, for the program run.
    mainwindow::tugovornipodaci ugovornipodaci;
    // The model list anew: all models, the first chosen and generated.
    void sredicombo5();
    // Stores the edits of the current user contract (the page is left, the
    // program ends); a store that fails is reported.
    void snimikorisnicki();

    // ===================================================================
    // Page 7 "Pode{a&vanja" (tform1_podesavanja.cpp)
    // ===================================================================
    // The settings controls as the settings file sees them (the proxy for
    // the update window).
    settings::Controls settingsControls() const;
    // The date of the last update ("dd/mm/yyyy"), written at close.
    void setLastUpdate(const std::string& date);

    // ===================================================================
    // The search index rebuilt in the background (tform1_indeks.cpp)
    // ===================================================================
    // Starts the rebuild when the text data of the database needs it (after
    // the first activation, an update, a repair); while one runs, status
    // panel 1 shows its progress. A rebuild already running is followed by
    // another once it ends. Never waits.
    void startIndexRebuild();
    // The colour of generated contract values (ColorBox1).
    QColor generatedColour() const;

    // ===================================================================
    // Page 8 "Po&mo}" (tform1_pomoc.cpp)
    // ===================================================================

    // ===================================================================
    // Searches for a document chosen in the relations window
    // (tform1_relacije.cpp)
    // ===================================================================
    // The title goes into the page's search field, the page is shown and
    // its search runs: the opinions page's (trazimisljenje) or the keyword
    // search's (trazipropis).
    void trazimisljenje(const std::string& title);
    void trazipropis(const std::string& title);

    // ===================================================================
    // Opening a regulation (tform1_otvaranje.cpp)
    // ===================================================================
    using QDialog::open;
    // The common flow of the regulation lists. bg given (variant A): the
    // regulation with this title and issue label; none (variant B): the first
    // with this title. Zakoni leaves Glavna and stands on it, the document
    // window shows it modally with the title as its caption, and when it has
    // closed Zakoni follows Glavna again (ID_BROJA, in ID_ZAKONA order) and
    // Glavna has its filter back. A title no regulation has opens the window
    // on an empty row.
    void open(const std::string& title, const std::optional<std::string>& bg = std::nullopt);
    // The quick-open list and menu (variant B): false, with nothing shown,
    // when no regulation has the title; the caller says so or stays silent.
    // Zakoni's filter is cleared afterwards in both cases.
    bool openQuick(const std::string& title);
    // The lookups on the main window's datasets.
    std::string nadjibroj(const std::string& title);
    std::string nadjiglasnik(const std::string& title);

  Q_SIGNALS:
    // The first activation has filled the pages (the start-up window hides)
    // and is done (the start-up timer stops for good).
    void firstFillDone();
    void firstActivationDone();
    // The close has saved the files (the start-up window closes, which ends
    // the program).
    void closed();
    // The application's hint changed (dohints).
    void hintShown(const std::string& hint);
    // The archive page searched a title for another window.
    void archiveJumped();
    // "Uporedi verzije" on the archive page: compare this version with the
    // one before it.
    void compareRequested(const std::string& title, const std::string& bg);
    // The settings page's "A`uriranje" and "Popravka".
    void updateRequested();
    void repairRequested();
    // The next document opened shows the hits of these words in its text
    // (none: no hits); sent around an opening from a keyword search's list.
    void searchHitsForOpening(const search::HitWords& words);

  protected:
    void done(int result) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The words of the keyword searches that filled ListBox2 and Listbox6
    // (none after a date search or before the first search).
    search::HitWords keywordHits_;
    search::HitWords opinionHits_;
    // Whether those searches read the texts (titles only: no hit context).
    bool keywordTexts_ = false;
    bool opinionTexts_ = false;
    // The hit context of the selected row of ListBox2 or Listbox6, in the
    // strip under the list.
    void pokazikontekst(bool opinions);
    HitStrip* KontekstPretrage = nullptr;
    HitStrip* KontekstMisljenja = nullptr;

    // The page builders and the fills of the first activation.
    void buildPageGlasila();
    // The first activation's fill of the gazette tree, then the attaching
    // of the tree's change handler.
    void ubacipoglasnicima();
    void attachTreeView2Change();
    // The years of a gazette node, the issues of a year node: the children
    // (the placeholder) go, the nodes read now come, each year with a
    // placeholder of its own.
    void ubacipogodinama(QTreeWidgetItem* gazette);
    void ubacipobrojevima(QTreeWidgetItem* year);
    void buildPageOblasti();
    // The start-up fill of the first activation: the type and area choices,
    // the ministries of ComboBox1, the gazettes of ComboBox4, the full
    // ListBox2 and the archive list (ListBox7 and arhivacuvaj).
    void poubacuj();
    void ubacipooblastima();
    void buildPagePretraga();
    void buildPageListe();
    void buildPageMisljenja();
    void buildPageArhiva();
    void buildPageUgovori();
    void buildModelsPage(QWidget* sheet);
    void buildUserContractsPage(QWidget* sheet);
    // The page's part of the creation (page 0 of its two page controls,
    // SpeedButton29 disabled) and of the first activation (fonts, the user
    // contract grid's columns).
    void ugovoriFormCreate();
    void ugovoriFormActivate();
    // The data-aware views let go of the datasets, which go first.
    void ugovoriFormDestroy();
    // Party 3's fields follow the current model (three parties or not).
    void enableThirdParty();
    // The current model's text, unfilled, into the model view.
    void loadModelText();
    // Article headings and the title block of a contract text.
    void ubaciclanove1(QTextEdit* edit);
    void sredikorisnicki();
    void nadjitekstugovora(const std::string& word);
    // The contract print: printer check, setup dialog, preview.
    void printContract(QTextEdit* edit);
    void buildPagePodesavanja();
    // The update and repair buttons of the version group.
    void buildUpdateButtons();
    // The settings controls as the settings file has them.
    void applySettingsControls(const settings::Controls& controls, bool applyLevel);
    void buildPagePomoc();
    // Centres the four labels of Panel11; offsets for Label34, Label52,
    // Label60, Label61.
    void centrePanel11(int o34, int o52, int o60, int o61);
    // Loads the help text; a missing file leaves the page empty.
    void loadHelpText();
    // Opens a help-page link through the shell; the table gives the
    // messages of the shell's error values (nullptr: none is shown).
    void openLink(const char* verb, const std::string& target, const std::string& directory,
                  const mainwindow::ShellErrors* errors);
    void buildFrame();
    void FormCreate();
    void readSettings();
    void setColumnWidths(bool withListView1);
    // The progress bar and the Escape stop request for a page's long loop.
    widgets::WindowMonitor pageMonitor();
    // Writes a file; reports GreskaUSnimanju once for a file that failed.
    void saveFile(const std::string& name, const std::vector<std::string>& lines,
                  std::vector<std::string>& failed);

    settings::Values stored_;
    std::vector<QLabel*> panels_;
    bool cursorBusy_ = false;
    bool closing_ = false;
    bool firstFillRunning_ = false;

  private:
    // Handlers reached through the controls.
    void PageControl1Change();
    void ComboBox2Change();
    // The tree's handlers: a gazette or year node expanded or collapsed, the
    // selected node changed, a click anywhere on the tree.
    void TreeView2Expanded(QTreeWidgetItem* node);
    void TreeView2Collapsed(QTreeWidgetItem* node);
    void TreeView2Change();
    void TreeView2Click();
    // Opens the selected row of ListView1.
    void ListView1DblClick();
    // The area fill for the selected node (also after a type change).
    void TreeView1Change();
    void ComboBox3Change();
    void SpeedButton17Click();
    void ListBox3DblClick();
    // The keyword search over Edit2, the scope and the gazette of ComboBox4.
    void SpeedButton1Click();
    void ListBox2DblClick();
    // A title item of the context menu (its position in the quick-open list).
    void PopupMenuItemsClick(int position);
    // Double click or Enter: opens a recently opened regulation (first of
    // its title), runs a stored search again, opens a quick-open title.
    void ListBox5DblClick();
    void ListBox4DblClick();
    void ListBox8DblClick();
    void SpeedButton21Click();
    void SpeedButton24Click();
    void SpeedButton25Click();
    // The newest regulations in the selection window.
    void SpeedButton10Click();
    // Another ministry entry: Edit8 emptied, the restriction set; the list stays.
    void izbormistara();
    void SpeedButton14Click();  // keyword search
    void SpeedButton13Click();  // date search
    void SviDatumiClick();
    // A date number changed: the from-number is kept not above its to-number.
    void SpinEditChange(QSpinBox* changed);
    // Shows the selected opinion in the document window.
    void ListBox6DblClick();
    // The title search over the saved copy; selects the first row found.
    void SpeedButton22Click();
    // A row of ListBox7 selected: its versions into Listbox9.
    void arhivskiklik();
    void ListBox7DblClick();
    void ListBox9DblClick();
    void CheckBox4Click();
    void SpeedButton2Click();   // the update window
    void SpeedButton27Click();  // the repair
    // Polls the index rebuild: its progress in panel 1, a failure to the
    // log, the next rebuild when one is wanted.
    void IndexTimerTimer();

    std::unique_ptr<search::BackgroundRebuild> indexRebuild_;
    QTimer* IndexTimer = nullptr;
    bool indexWanted_ = false;  // another rebuild once the running one ends
    bool indexLogged_ = false;  // the running rebuild's failure is in the log
    bool damageShown_ = false;  // kDatabaseDamaged was shown
    void showDamage();
    void PageControl3Change();
    void ComboBox5Change();
    void SpeedButton9Click();   // "Pop&uni"
    void SpeedButton19Click();  // "&Tra`i"
    void SpeedButton28Click();  // "[tam&pa"
    void SpeedButton18Click();  // "Preba&ci u korisni~ke ugovore"
    void SpeedButton4Click();   // "Obri{i"
    void SpeedButton16Click();  // "[tampa"
    void SpeedButton29Click();  // "O&bri{i"
    void SpeedButton26Click();  // printer setup
    void SpeedButton3Click();
    void SpeedButton11Click();
    void SpeedButton12Click();
    void SpeedButton15Click();
    void SpeedButton8Click();

    // Controls (names as in the window's design); tests find them by
    // object name.
    QWidget* PanelBand = nullptr;  // the top band, 71 pixels high
    QProgressBar* ProgressBar1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QWidget* TabSheetGlasila = nullptr;
    widgets::ReportList* ListView1 = nullptr;  // title column: width less 220
    QTreeWidget* TreeView2 = nullptr;
    QWidget* TabSheetOblasti = nullptr;
    widgets::ReportList* ListBox3 = nullptr;  // title column: width less 487
    QComboBox* ComboBox3 = nullptr;
    QTreeWidget* TreeView1 = nullptr;
    QLineEdit* Edit11 = nullptr;  // the phrase
    QAbstractButton* SpeedButton17 = nullptr;
    QWidget* TabSheetPretraga = nullptr;
    widgets::ReportList* ListBox2 = nullptr;  // title column: width less 390
    QComboBox* ComboBox4 = nullptr;
    QRadioButton* RadioButton6 = nullptr;  // titles only
    QRadioButton* RadioButton5 = nullptr;  // titles and texts
    QLineEdit* Edit2 = nullptr;            // the search text
    QAbstractButton* SpeedButton1 = nullptr;
    QWidget* TabSheetListe = nullptr;
    QListWidget* ListBox5 = nullptr;           // recently opened
    QListWidget* ListBox4 = nullptr;           // search history
    QListWidget* ListBox8 = nullptr;           // quick-open
    QSpinBox* SpinEdit2 = nullptr;             // limit of the recently opened list
    QSpinBox* SpinEdit4 = nullptr;             // limit of the history
    QAbstractButton* SpeedButton24 = nullptr;  // empties the recently opened list
    QAbstractButton* SpeedButton25 = nullptr;  // empties the history
    QAbstractButton* SpeedButton21 = nullptr;  // removes the selected quick-open title
    QAbstractButton* SpeedButton10 = nullptr;  // "Lista najnovijih propisa"
    QWidget* TabSheetMisljenja = nullptr;
    widgets::ReportList* Listbox6 = nullptr;  // title column: width less 170
    QComboBox* ComboBox1 = nullptr;           // "Sve" and the ministries
    QRadioButton* RadioButton4 = nullptr;     // titles only
    QRadioButton* RadioButton3 = nullptr;     // titles and texts
    QLineEdit* Edit8 = nullptr;               // the search words
    QAbstractButton* SpeedButton14 = nullptr;
    // The date range: from-day, from-month, from-year, to-day, to-month,
    // to-year. They change only by their arrows.
    QSpinBox* SpinEdit5 = nullptr;
    QSpinBox* SpinEdit6 = nullptr;
    QSpinBox* SpinEdit13 = nullptr;
    QSpinBox* SpinEdit14 = nullptr;
    QSpinBox* SpinEdit15 = nullptr;
    QSpinBox* SpinEdit16 = nullptr;
    QCheckBox* SviDatumi = nullptr;  // every date: the date controls are off
    QAbstractButton* SpeedButton13 = nullptr;
    QLabel* Label59 = nullptr;
    QWidget* TabSheet13 = nullptr;
    widgets::ReportList* ListBox7 = nullptr;  // title column: width less 200
    widgets::ReportList* Listbox9 = nullptr;  // title column: width less 180
    QWidget* Panel24 = nullptr;               // height: half the page's height less 45
    QLineEdit* Edit7 = nullptr;               // a title or part of one
    QAbstractButton* SpeedButton22 = nullptr;
    QWidget* TabSheetUgovori = nullptr;
    QTabWidget* PageControl3 = nullptr;  // models, user contracts
    QComboBox* ComboBox5 = nullptr;      // the models
    // The party fields: place, date, then name and address of parties 1 to 3.
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit9 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QLineEdit* Edit17 = nullptr;  // enabled for contracts of three parties
    QLineEdit* Edit18 = nullptr;
    QTabWidget* PageControl4 = nullptr;  // the model's text, its notes
    QTextEdit* RichEdit2 = nullptr;      // the generated model text, read-only
    QLineEdit* Edit16 = nullptr;         // the search word
    QAbstractButton* SpeedButton9 = nullptr;
    QAbstractButton* SpeedButton18 = nullptr;
    QAbstractButton* SpeedButton28 = nullptr;
    QAbstractButton* SpeedButton19 = nullptr;
    dbviews::DBRichEditor* DBRichEdit4 = nullptr;  // the model's notes, read-only
    dbviews::DBGrid* DBGrid13 = nullptr;           // the user contracts
    dbviews::DBEdit* DBEdit1 = nullptr;            // the contract's name
    dbviews::DBRichEditor* DBRichEdit3 = nullptr;  // the contract's text
    dbviews::DBNavigator* DBNavigator1 = nullptr;  // post, cancel
    QAbstractButton* SpeedButton4 = nullptr;
    QAbstractButton* SpeedButton16 = nullptr;
    QAbstractButton* SpeedButton29 = nullptr;  // under the list: Alt+B only
    // The contract prints' preview component.
    printing::TPreviewPrinter* PreviewPrinter1 = nullptr;
    QWidget* TabSheetPodesavanja = nullptr;
    QAbstractButton* SpeedButton26 = nullptr;  // printer setup
    QLabel* Label16 = nullptr;
    QComboBox* ColorBox1 = nullptr;  // colour of generated contract values
    QGroupBox* GroupBoxVerzija = nullptr;
    QLabel* Label25 = nullptr;
    QLabel* Label27 = nullptr;                 // the counts joined by "/"
    QAbstractButton* SpeedButton2 = nullptr;   // "A`uriranje"
    QAbstractButton* SpeedButton27 = nullptr;  // "Popravka"
    QGroupBox* GroupBoxOpcije = nullptr;
    QLabel* Label18 = nullptr;
    QComboBox* ComboBox2 = nullptr;  // complexity level
    QGroupBox* GroupBoxProxy = nullptr;
    QCheckBox* CheckBox4 = nullptr;  // proxy on
    QLabel* Label13 = nullptr;
    QLineEdit* Edit14 = nullptr;  // proxy address
    QLabel* Label20 = nullptr;
    QLineEdit* Edit15 = nullptr;     // proxy port
    QCheckBox* CheckBox5 = nullptr;  // beep at the end of a search
    QWidget* TabSheetPomoc = nullptr;
    QTextEdit* RichEdit3 = nullptr;  // the help text from "dostava.rtf"
    QFrame* Panel11 = nullptr;       // "O nama"
    QLabel* Label52 = nullptr;
    QLabel* Label60 = nullptr;
    QLabel* Label61 = nullptr;
    QLabel* Label34 = nullptr;                 // web and mail address
    QAbstractButton* SpeedButton8 = nullptr;   // the manual
    QAbstractButton* SpeedButton3 = nullptr;   // mail: a regulation wanted
    QAbstractButton* SpeedButton11 = nullptr;  // mail: suggestions
    QAbstractButton* SpeedButton12 = nullptr;  // the web site
    QAbstractButton* SpeedButton15 = nullptr;  // mail: a consulting question
};
