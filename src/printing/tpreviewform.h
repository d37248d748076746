#pragma once
// The preview window: the recorded pages one at a time on white, zoomed to
// the page, to the width, to a percentage or by the zoom tool (left click in,
// right click out, the clicked point centred); page navigation; printing;
// saving the pages as a PDF file. Escape closes it.
#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace printing {

class TPreviewPrinter;
class PagePanel;

class TPreviewForm : public QDialog {
    Q_OBJECT
  public:
    explicit TPreviewForm(TPreviewPrinter& printer, QWidget* parent = nullptr);
    ~TPreviewForm() override;

    QPushButton* PrintBut;
    QPushButton* PdfBut;
    QPushButton* PrevPageBut;
    QPushButton* NextPageBut;
    QComboBox* ZoomBox;
    QToolButton* FitPageBut;
    QToolButton* FitWidthBut;
    QToolButton* ZoomCursorBut;
    QPushButton* CloseBut;
    QToolButton* FirstPageSpeed;
    QToolButton* PrevPageSpeed;
    QToolButton* NextPageSpeed;
    QToolButton* LastPageSpeed;
    QLabel* CurPageLabel;
    QLabel* ZoomLabel;

    int currentPage() const { return current_; }
    double zoomFactor() const { return factor_; }

    // Moves to page index (from 0) and sets the navigation buttons.
    void gotoPage(int index);
    // The zoom tool at a point of the page panel.
    void zoomAt(QPoint point, bool zoomIn);

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void layoutView();
    double chosenFactor() const;
    void saveAsPdf();
    void setHintsShown(bool shown);

    TPreviewPrinter& printer_;
    QScrollArea* scroll_;
    QWidget* box_;
    PagePanel* panel_;
    int current_ = 0;
    double factor_ = 1.0;
    bool hintsOff_ = false;
};

}  // namespace printing
