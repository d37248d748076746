#pragma once
// The notes window: a regulation's additional information.
#include <QDialog>

class TForm5 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm5(QWidget* parent = nullptr);
    ~TForm5() override;
};

// The one instance, created at program start (nullptr before and after).
extern TForm5* Form5;
