#include "platform/windowframe.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>

#include "platform/textconv.h"

namespace platform {

void frameMaximised(QDialog& window) {
    window.setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    window.setWindowState(Qt::WindowMaximized);
    window.setSizeGripEnabled(false);
}

void fillScreenWhenMaximised(QWidget& window) {
    if (window.isMaximized() && window.screen() != nullptr) {
        const QRect available = window.screen()->availableGeometry();
        if (window.frameGeometry().size() != available.size()) {
            window.setGeometry(available);
        }
    }
}

void minimiseOtherWindows(const QWidget& window) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != &window && w->isVisible() && !w->isMinimized() &&
            qobject_cast<QMenu*>(w) == nullptr) {
            w->showMinimized();
        }
    }
}

QStatusBar* createStatusBar(QWidget* parent, const char* name, std::initializer_list<int> widths,
                            std::vector<QLabel*>& panels) {
    auto* bar = new QStatusBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setSizeGripEnabled(false);
    panels.clear();
    for (const int width : widths) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(bar->objectName() + QStringLiteral("Panel%1").arg(panels.size()));
        panel->setFixedWidth(width);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        bar->addWidget(panel);
        panels.push_back(panel);
    }
    return bar;
}

QToolButton* textButton(QWidget* parent, const char* name, const char* caption, const char* hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(qs(caption));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    if (hint != nullptr) {
        button->setToolTip(qs(hint));
        button->setStatusTip(qs(hint));
    }
    return button;
}

void popupOnRightClick(QWidget* widget, QMenu* menu) {
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(widget, &QWidget::customContextMenuRequested, widget,
                     [widget, menu](const QPoint& pos) { menu->popup(widget->mapToGlobal(pos)); });
}

}  // namespace platform
