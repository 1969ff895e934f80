// Finds a control of a window by its object name, as a user's script would:
// the pages keep their controls to themselves.
#pragma once

#include <QObject>
#include <QString>

#include <gtest/gtest.h>

// The descendant of root named name, of type T; a failed check and null
// when there is none.
template <class T> T* ControlOf(const QObject& root, const char* name) {
    T* control = root.findChild<T*>(QString::fromLatin1(name));
    if (control == nullptr) ADD_FAILURE() << "no control named " << name;
    return control;
}
