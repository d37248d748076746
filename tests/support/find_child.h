#pragma once
// Finding a window's controls as a user's test sees them: by object name,
// and driving them as a user does. A control that is missing (or of another
// type) throws, which fails the test (or ends a manual program) at once.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QObject>
#include <QString>
#include <stdexcept>
#include <string>

namespace testsupport {

template <typename T>
T* child(const QObject* parent, const char* name) {
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) {
        throw std::runtime_error(std::string("no control ") + name + " of the expected type in " +
                                 parent->objectName().toStdString());
    }
    return found;
}

// What a user does to a control: Enter, a click (press and release in the
// middle), a mouse press, a double click on the current entry of a list.
inline void pressEnter(QWidget* control) {
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &enter);
}

inline void sendMouse(QWidget* control, QEvent::Type type, QPointF at) {
    QMouseEvent event(type, at, control->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(control, &event);
}

inline QPointF middle(const QWidget* control) {
    return {control->width() / 2.0, control->height() / 2.0};
}

inline void pressOn(QWidget* control) {
    sendMouse(control, QEvent::MouseButtonPress, middle(control));
}

inline void clickOn(QWidget* control, QPointF at) {
    sendMouse(control, QEvent::MouseButtonPress, at);
    sendMouse(control, QEvent::MouseButtonRelease, at);
}

inline void clickOn(QWidget* control) {
    clickOn(control, middle(control));
}

// Typing: each character a key press and release that carries it, as the
// window system delivers them (key filters see them).
inline void typeText(QWidget* control, const QString& text) {
    for (QChar c : text) {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(control, &down);
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(control, &up);
    }
}

// A key without text of its own: Backspace, Delete, the arrows.
inline void pressKey(QWidget* control, Qt::Key key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &up);
}

// The list's double click on its current entry (none: the signal carries
// nullptr, as a double click on empty space would reach nothing else).
inline void doubleClickCurrent(QListWidget* list) {
    Q_EMIT list->itemDoubleClicked(list->currentItem());
}

}  // namespace testsupport
