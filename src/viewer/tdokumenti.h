#pragma once
// The attachments window: the pictures attached to the current regulation
// (slots S1 to S33 of its TB_grafika record), listed as "Prilog br. N", one
// shown at a time, scaled to fit with its proportions kept, and printed on
// one page stretched into the page less an inset.
#include <QDialog>
#include <memory>
#include <string>

class QListWidget;
class QToolButton;

namespace database {
struct AttachmentData;
struct MainData;
}  // namespace database
namespace dbviews {
class DBImage;
}
namespace engine {
class Session;
}

class Tdokumenti : public QDialog {
    Q_OBJECT
  public:
    // The pictures are read through a dataset of its own on the session,
    // following data.Zakoni. The window must not outlive data.
    Tdokumenti(engine::Session& session, database::MainData& data, QWidget* parent = nullptr);
    ~Tdokumenti() override;

    // Printer pixels left blank on each side of a printed picture.
    static constexpr int kPrintInset = 300;

    // Lists the filled slots and shows S1 (empty when S1 holds no picture).
    void FormActivate();

    // Every way of closing lets the pictures go.
    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildWindow();
    // Binds the holder to a slot's field and shows its picture.
    void showSlot(const std::string& field);

    std::unique_ptr<database::AttachmentData> attachments_;

  private:
    // Handlers reached through the controls.
    void ListBox1Click();
    void SpeedButton6Click();  // "[tam&paj"

    // Controls (names as in the window's design); tests find them by
    // object name.
    QToolButton* SpeedButton6 = nullptr;  // "[tam&paj"
    QToolButton* SpeedButton3 = nullptr;  // "Pret&hodna strana"
    QListWidget* ListBox1 = nullptr;
    dbviews::DBImage* Image1 = nullptr;    // the display
    dbviews::DBImage* DBImage1 = nullptr;  // the hidden picture holder
};
