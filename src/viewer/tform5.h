#pragma once
// The notes window: a regulation's additional information.
#include <QDialog>

class TForm5 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm5(QWidget* parent = nullptr);
};
