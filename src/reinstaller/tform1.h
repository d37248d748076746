#pragma once
// Pelmat's one window: a white top panel with its picture and the button
// that runs the engine installer library from the program's own folder.
// The window is the program's main window; closing it ends the program.
#include <QWidget>
#include <filesystem>
#include <functional>

class QLabel;
class QPushButton;

namespace reinstaller {

class TForm1 : public QWidget {
    Q_OBJECT
  public:
    static constexpr const char* kCaption = "BDE Re/Instalator";
    static constexpr const char* kButton = "Re/Instaliraj BDE";
    static constexpr const char* kDone = "BDE Re/Instalacija zavrsena";

    // folder holds "BDEinst.dll" (the program's own folder).
    explicit TForm1(std::filesystem::path folder, QWidget* parent = nullptr);

    // Ends the program; QCoreApplication::quit() unless a test replaces it.
    std::function<void()> endProgram;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void Button1Click();
    void instalirajBDE();

    std::filesystem::path folder_;
    bool installed_ = false;  // the entry was called

    // Controls; tests find them by object name.
    QWidget* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* Button1 = nullptr;
};

}  // namespace reinstaller
