#pragma once
// Finding a window's controls as a user's test sees them: by object name.
// A control that is missing (or of another type) fails the test at once.
#include <gtest/gtest.h>

#include <QObject>
#include <QString>
#include <stdexcept>
#include <string>

namespace testsupport {

template <typename T>
T* child(const QObject* parent, const char* name) {
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) {
        ADD_FAILURE() << "no control " << name << " of the expected type in "
                      << parent->objectName().toStdString();
        throw std::runtime_error(std::string("missing control ") + name);
    }
    return found;
}

}  // namespace testsupport
