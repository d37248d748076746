#pragma once
// The relations window: the opinions linked to the shown regulation, or the
// regulations linked to the shown opinion. Choosing a listed document runs
// the main window's search for its title and closes this window and the
// document window (src/app connects the signals).
#include <QDialog>
#include <memory>
#include <string>

class QLabel;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace database {
struct MainData;
}
namespace viewer {
class RelationLookup;
}

class Trelacije : public QDialog {
    Q_OBJECT
  public:
    // Reads the links through data's datasets; must not outlive data.
    explicit Trelacije(database::MainData& data, QWidget* parent = nullptr);
    ~Trelacije() override;

    // The document window's "Relacije": fills the list for the shown
    // document (an opinion when opinion is true, else a regulation) and shows
    // the window modally, or says that there are no relations.
    void Prikazirelacije1Click(bool opinion);

    void FormActivate();

  Q_SIGNALS:
    // A listed opinion was chosen: the main window's opinions page searches
    // its title.
    void opinionSearchRequested(const std::string& title);
    // A listed regulation was chosen: the main window's keyword search runs
    // for its title.
    void regulationSearchRequested(const std::string& title);
    // The search has run and this window has closed: the document window
    // closes too.
    void documentFound();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildWindow();
    QTreeWidgetItem* selectedRow() const;
    // Finds the row's document: the search, then both windows close.
    void nadjidokument(const QTreeWidgetItem& row);

    std::unique_ptr<viewer::RelationLookup> lookup_;
    bool listsOpinions_ = false;  // the list shows opinions (a regulation is shown)

  private:
    // Handlers reached through the controls.
    void ListView1DblClick();
    void SpeedButton1Click();  // "&Na|i dokument"

    // Controls (names as in the window's design); tests find them by
    // object name.
    QTreeWidget* ListView1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QLabel* Label1 = nullptr;  // the note, in blue
};
