#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

// Runs `check` on the modal window of type Window once it is up: queue it before the call that blocks in exec().
template <typename Window> void whenShown(std::function<void(Window*)> check)
{
    QTimer::singleShot(0, [check] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        QVERIFY(window);
        check(window);
    });
}

// Runs `drive` inside the modal window of class T that `open` shows from `owner`, then closes it if `drive` left it
// open. Fails the test when no such window showed, or when one is left behind.
template <class T> void inModal(QWidget* owner, const std::function<void()>& open, const std::function<void(T*)>& drive)
{
    bool ran = false;
    QTimer::singleShot(0, owner, [&] {
        auto* window = owner->findChild<T*>();
        QVERIFY(window && window->isVisible());
        ran = true;
        drive(window);
        if (window->isVisible())
            window->close();
    });
    open();
    QVERIFY(ran);
    QVERIFY(!owner->findChild<T*>());
}
