#pragma once
// The update window.
#include <QDialog>

class Tupdater : public QDialog {
    Q_OBJECT
  public:
    explicit Tupdater(QWidget* parent = nullptr);
};
