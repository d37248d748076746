#pragma once
// The notes window: the current regulation's additional information in full,
// printed through the document window's print-preview component with its
// settings as they stand (src/app hands it over).
#include <QDialog>
#include <functional>

class QToolButton;

namespace dbviews {
class DBRichEdit;
}
namespace engine {
class DataSource;
}
namespace printing {
class TPreviewPrinter;
}

class TForm5 : public QDialog {
    Q_OBJECT
  public:
    // Shows the field "Napomena" of regulations (the main window's
    // regulations source), which must outlive the window.
    explicit TForm5(engine::DataSource& regulations, QWidget* parent = nullptr);
    ~TForm5() override;

    // What the window asks; src/app sets it.
    struct Links {
        // The document window's print-preview component; nullptr: none.
        std::function<printing::TPreviewPrinter*()> previewPrinter;
    };
    Links links;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildWindow();
    void FormCreate();

  private:
    // Handlers reached through the controls.
    void SpeedButton1Click();  // "[tam&pa"

    // Controls (names as in the window's design); tests find them by
    // object name.
    QToolButton* SpeedButton1 = nullptr;  // "[tam&pa"
    QToolButton* SpeedButton3 = nullptr;  // "Pret&hodna strana"
    dbviews::DBRichEdit* DBRichEdit1 = nullptr;
};
