#pragma once
// The comparison window: two versions of a regulation's chain, the newer
// text with what was added (green, underlined) and what was removed (red,
// struck through), worked out article by article; the list on the left
// names the changed, added and removed articles and jumps to them. Both
// scripts; printing and PDF through the print-preview component.
//
// The caller gives a regulation of the chain (prepare) and shows the window
// modally; the newer version proposed is that regulation, the older the one
// before it (for the first version, it and the one after it).
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "compare/versions.h"

class QComboBox;
class QLabel;
class QListWidget;
class QTextEdit;
class QToolButton;

namespace engine {
class Session;
}
namespace printing {
class TPreviewPrinter;
}

class Tporedjenje : public QDialog {
    Q_OBJECT
  public:
    explicit Tporedjenje(engine::Session& session, QWidget* parent = nullptr);
    ~Tporedjenje() override;

    // Loads the chain of the regulation and compares the proposed pair.
    // False (with a message) when the regulation has no other version.
    bool prepare(long long id);

    // The shown comparison (as last worked out).
    const compare::Comparison& comparison() const { return comparison_; }
    // The document position where each listed article starts.
    const std::vector<int>& listedPositions() const { return positions_; }

  private:
    void buildWindow();
    void compareChosen();
    void render();
    void jumpTo(int row);
    void switchScript();
    void print();

    engine::Session& session_;
    std::vector<compare::Version> chain_;
    compare::Comparison comparison_;
    std::vector<int> positions_;
    bool cyrillic_ = false;
    printing::TPreviewPrinter* previewPrinter_ = nullptr;

    QComboBox* ComboStarija = nullptr;
    QComboBox* ComboNovija = nullptr;
    QToolButton* SpeedButtonPismo = nullptr;
    QToolButton* SpeedButtonStampa = nullptr;
    QToolButton* SpeedButtonZatvori = nullptr;
    QListWidget* ListaIzmena = nullptr;
    QTextEdit* TekstPoredjenja = nullptr;
    QLabel* LabelUkupno = nullptr;
};
