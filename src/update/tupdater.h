#pragma once
// The update window.
#include <QDialog>

class Tupdater : public QDialog {
    Q_OBJECT
  public:
    explicit Tupdater(QWidget* parent = nullptr);
    ~Tupdater() override;
};

// The one instance, created at program start (nullptr before and after).
extern Tupdater* updater;
