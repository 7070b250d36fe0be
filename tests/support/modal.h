#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
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
