#pragma once
// The attachments window: pictures attached to a regulation.
#include <QDialog>

class Tdokumenti : public QDialog {
    Q_OBJECT
  public:
    explicit Tdokumenti(QWidget* parent = nullptr);
};
