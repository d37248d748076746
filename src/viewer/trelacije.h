#pragma once
// The relations window: opinions of a regulation, regulations of an opinion.
#include <QDialog>

class Trelacije : public QDialog {
    Q_OBJECT
  public:
    explicit Trelacije(QWidget* parent = nullptr);
};
