#pragma once
// The document window.
#include <QDialog>

class TForm3 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;
};

// The one instance, created at program start (nullptr before and after).
extern TForm3* Form3;
