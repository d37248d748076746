#pragma once
// The selection window: a list of regulations handed over by its caller.
#include <QDialog>

class Tselekt : public QDialog {
    Q_OBJECT
  public:
    explicit Tselekt(QWidget* parent = nullptr);
    ~Tselekt() override;
};

// The one instance, created at program start (nullptr before and after).
extern Tselekt* selekt;
