#pragma once
// The attachments window: pictures attached to a regulation.
#include <QDialog>

class Tdokumenti : public QDialog {
    Q_OBJECT
  public:
    explicit Tdokumenti(QWidget* parent = nullptr);
    ~Tdokumenti() override;
};

// The one instance, created at program start (nullptr before and after).
extern Tdokumenti* dokumenti;
