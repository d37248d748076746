#pragma once
// A two-button navigator over a data source: post stores the edited row,
// cancel drops its changes (the bound views then show the stored values
// again). Both buttons are enabled only while the table is in Edit or Insert
// state. An engine error on post (a row the table refuses) goes to the
// caller; the row stays in edit and the buttons stay enabled.
#include <QWidget>

#include "dbviews/sourcelink.h"

class QToolButton;

namespace dbviews {

class DBNavigator : public QWidget {
    Q_OBJECT
  public:
    explicit DBNavigator(QWidget* parent = nullptr);
    ~DBNavigator() override;

    engine::DataSource* dataSource() const { return link_.dataSource(); }
    void setDataSource(engine::DataSource* source);

    // What the buttons do; each does nothing unless the table is in edit.
    void post();
    void cancel();

    QToolButton* postButton() const { return post_; }
    QToolButton* cancelButton() const { return cancel_; }

  private:
    void updateButtons();

    SourceLink link_;
    QToolButton* post_;
    QToolButton* cancel_;
};

}  // namespace dbviews
