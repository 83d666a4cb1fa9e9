// Named controls of a window under test: found or the test stops, and clicked with the mouse.
#pragma once

#include <QPushButton>
#include <QString>
#include <QTest>
#include <QWidget>

namespace testing_support {

template <class T>
T* child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    if (!c) qFatal("no control %s", name);
    return c;
}

inline void click(QWidget* w, const char* name) {
    QTest::mouseClick(child<QPushButton>(w, name), Qt::LeftButton);
}

}  // namespace testing_support
