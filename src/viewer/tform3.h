#pragma once
// The document window: one regulation or official opinion of the main
// window's datasets as read-only formatted text, with the article list, the
// search in the text, the script switch, copying and quick-open marking.
// Shown modally and maximised by the opening flows, which position the data
// and set the caption first; it has no opening operation of its own.
//
// The window tells a regulation from an opinion by the data source its text
// view is bound to (DataSource2 or DataSource4 of the main window).
//
// The notes, attachments and relations windows are shown through the
// window's links (src/app sets them); it owns the print-preview component
// that prints documents and notes.
#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "compare/versions.h"
#include "search/hits.h"
#include "viewer/doctext.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QSplitter;
class QStatusBar;
class QToolButton;

namespace database {
struct AttachmentData;
struct MainData;
}  // namespace database
namespace dbviews {
class DBRichEdit;
}
namespace engine {
class Session;
}
namespace printing {
class TPreviewPrinter;
}
namespace viewer {
class DocumentHits;
}

class TForm3 : public QDialog {
    Q_OBJECT
  public:
    // The attachment test reads TB_grafika through its own dataset on the
    // session, following data.Zakoni. The window must not outlive data.
    TForm3(engine::Session& session, database::MainData& data, QWidget* parent = nullptr);
    ~TForm3() override;

    // What the window asks; src/app sets it (an empty function shows
    // nothing).
    struct Links {
        // "&Dodatne informacije": the notes window, modally.
        std::function<void()> showNotes;
        // "&Prilozi": the attachments window, modally.
        std::function<void()> showAttachments;
        // "Relacije": the relations of the shown document (an opinion when
        // opinion is true, else a regulation).
        std::function<void(bool opinion)> showRelations;
        // "Uporedi verzije": the comparison of the regulation (by its
        // ID_ZAKONA) with its other versions.
        std::function<void(long long id)> compareVersions;
    };
    Links links;

    // The print-preview component of documents and notes, with its settings
    // as the last document print left them.
    printing::TPreviewPrinter& PreviewPrinter1() { return *previewPrinter_; }

    // The main window's hint handler shows the application's hint here
    // (status panel 2).
    void showHint(const std::string& hint);

    // Step 1 of opening an opinion: the view on the opinions source, field
    // "Latinica"; the article panel closed; "&Prilozi" disabled.
    void prepareOpinion();

    // The words of the keyword search the next document is opened from;
    // its text shows their hits (none: no highlights). The close forgets them.
    void setSearchHits(search::HitWords words);

    // True while the view is bound to the opinions source.
    bool showsOpinion() const;

    // Algorithms of the window.
    void FormActivate();
    void FormClose();
    void ubaciclanove();  // builds the article list
    void nadjitekst(const std::string& word);
    // "[tam&pa", " &Stampaj": the printer check and setup, the header in the
    // shown script, the layout and the preview.
    void Stampaj1Click();
    // "Relacije", "&Prikazi relacije".
    void Prikazirelacije1Click();

    // Status panels 0 to 2 (YUSCII).
    std::string panelText(int panel) const;
    // Height of the notes strip as last set (60 or 0).
    int notesStripHeight() const { return notesHeight_; }

    // The caption shown at the last activation; emptied by every close.
    std::string lastShownTitle;
    viewer::SearchShadow pretrazivac;

    // Every way of closing runs FormClose first.
    void done(int result) override;

  Q_SIGNALS:
    // A reference to a regulation by its gazette issue was followed: that
    // regulation is to be opened (the window closes first).
    void regulationRequested(const std::string& title, const std::string& bg);
    // "Oznaci": the caption is marked for quick opening (oznacizabrzo).
    void quickOpenMarked(const std::string& title);
    // "&Arhiva": the archive page is to search this title.
    void archiveJumpRequested(const std::string& title);
    // The close has begun (the main window's progress bar goes to 0).
    void closing();

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildWindow();
    void buildCommands(QWidget* row);
    void buildTextArea();
    void buildBottom(QWidget* bottom);
    void buildMenus();
    // "Uporedi verzije" at the end of the "&Tekst" menu (tform3_veze.cpp).
    void addCompareCommand(QMenu* tekst);
    void Uporediverzije1Click();
    // The references of the loaded text as links (tform3_veze.cpp): to an
    // article of the text, and to the regulations of a gazette issue the
    // database has.
    void markReferences();
    void followReference(const QString& href);
    void FormCreate();

    bool showsRegulation() const;
    // Binds the view to a text field and gives it that script's font.
    void bindText(const std::string& field);
    void setScriptFonts(bool cyrillic);
    void setArticlePanel(int width);
    void setNotesStrip(int height);
    void showTextLength();
    void refreshNotes();
    bool hasAttachments();

    engine::Session& session_;
    database::MainData& data_;
    // The regulations behind each issue link of the shown text.
    std::vector<std::vector<compare::Version>> issueLinks_;
    std::unique_ptr<database::AttachmentData> attachments_;
    std::vector<QLabel*> panels_;  // the status bar's three panels
    printing::TPreviewPrinter* previewPrinter_ = nullptr;
    viewer::DocumentHits* hits_ = nullptr;  // the search hits in the text
    int notesHeight_ = 0;

  private:
    // Handlers reached through the controls.
    void SpeedButton2Click();  // "Lista ~lanova"
    void clanoviDblClick();    // jump to the selected article
    void SpeedButton1Click();  // "T&ra`i"
    void konverzija();         // the script switch
    void copyWithCheck();      // "&Kopiraj text", "Kopiraj selekciju"
    void Kopiraj1Click();      // " &Kopiraj*": no check
    // "Kopiraj sa citatom": the selection and the line citing its source.
    void Kopirajsacitatom1Click();
    std::string citation();
    void Oznacizabrzootvaranje1Click();
    // "&Arhiva": the archive page with this document's versions, then close.
    void SpeedButton9Click();

    // Controls (names as in the window's design); tests find them by
    // object name.
    QMenuBar* MainMenu1 = nullptr;
    QToolButton* SpeedButton7 = nullptr;   // "&Kopiraj text"
    QToolButton* SpeedButton6 = nullptr;   // "[tam&pa"
    QToolButton* SpeedButton5 = nullptr;   // "]irili&ca / Latinica"
    QToolButton* SpeedButton4 = nullptr;   // "&Dodatne informacije"
    QToolButton* SpeedButton8 = nullptr;   // "&Prilozi"
    QToolButton* SpeedButton9 = nullptr;   // "&Arhiva"
    QToolButton* SpeedButton10 = nullptr;  // "Relacije"
    QToolButton* SpeedButton3 = nullptr;   // "Pret&hodna strana"
    QSplitter* Splitter1 = nullptr;
    dbviews::DBRichEdit* DBRichEdit1 = nullptr;  // the text
    QWidget* Panel6 = nullptr;                   // the article panel, 110 or 1 pixels
    QListWidget* clanovi = nullptr;
    dbviews::DBRichEdit* DBRichEdit2 = nullptr;  // the notes strip
    QLineEdit* Edit1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;  // "T&ra`i"
    QToolButton* SpeedButton2 = nullptr;  // "Lista ~lanova"
    QStatusBar* StatusBar1 = nullptr;
    QAction* Stampaj1 = nullptr;
    QAction* Kopiraj1 = nullptr;
    QAction* Zatvori1 = nullptr;
    QAction* Prikazirelacije1 = nullptr;
    QAction* Uporediverzije1 = nullptr;  // enabled for a regulation with other versions
    QMenu* PopupMenu1 = nullptr;
    QAction* Kopirajtekst1 = nullptr;
    QAction* Kopirajsacitatom1 = nullptr;
    QAction* Oznacizabrzootvaranje1 = nullptr;
    QAction* Zatvori2 = nullptr;
};
