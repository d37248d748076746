#include "dbviews/dbnavigator.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace dbviews {

DBNavigator::DBNavigator(QWidget* parent)
    : QWidget(parent),
      link_([this](engine::Event) { updateButtons(); }),
      post_(new QToolButton(this)),
      cancel_(new QToolButton(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    const struct {
        QToolButton* button;
        const char* name;
        QStyle::StandardPixmap icon;
    } buttons[] = {{post_, "post", QStyle::SP_DialogApplyButton},
                   {cancel_, "cancel", QStyle::SP_DialogCancelButton}};
    for (const auto& b : buttons) {
        b.button->setObjectName(QString::fromLatin1(b.name));
        b.button->setIcon(style()->standardIcon(b.icon));
        b.button->setFocusPolicy(Qt::NoFocus);
        b.button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        row->addWidget(b.button);
    }
    connect(post_, &QToolButton::clicked, this, &DBNavigator::post);
    connect(cancel_, &QToolButton::clicked, this, &DBNavigator::cancel);
    updateButtons();
}

DBNavigator::~DBNavigator() = default;

void DBNavigator::setDataSource(engine::DataSource* source) {
    if (link_.setDataSource(source)) {
        updateButtons();
    }
}

void DBNavigator::post() {
    if (link_.editing()) {
        link_.table()->post();
    }
}

void DBNavigator::cancel() {
    if (link_.editing()) {
        link_.table()->cancel();
    }
}

void DBNavigator::updateButtons() {
    const bool editing = link_.editing();
    post_->setEnabled(editing);
    cancel_->setEnabled(editing);
}

}  // namespace dbviews
