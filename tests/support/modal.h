#pragma once

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace ModalDetail {

// Looks for the window every few milliseconds while `open` runs: it may block in the window's exec(), or return first
// (a shortcut presses its button a moment later), and then this waits for the window. True when `drive` ran.
template <class T>
bool run(const std::function<T*()>& find, const std::function<void()>& open, const std::function<void(T*)>& drive)
{
    bool ran = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        T* window = find();
        if (!window)
            return;
        poll.stop();
        ran = true;
        drive(window);
        if (window->isVisible())
            window->close();
    });
    poll.start();
    open();
    return ran || QTest::qWaitFor([&] { return ran; }, 5000);
}

} // namespace ModalDetail

// Runs `drive` inside the modal window of class T that `open` shows, then closes it if `drive` left it open. Fails the
// test when no such window showed, or when it is still shown afterwards. For windows with no owner (message boxes,
// the print dialog, a window's own run()).
template <class T> void inModal(const std::function<void()>& open, const std::function<void(T*)>& drive)
{
    QWidget* const before = QApplication::activeModalWidget(); // the window `open` is called from, if modal
    QPointer<T> shown;
    const bool ran = ModalDetail::run<T>(
        [before] {
            QWidget* active = QApplication::activeModalWidget();
            return active == before ? nullptr : qobject_cast<T*>(active);
        },
        open,
        [&](T* window) {
            shown = window;
            drive(window);
        });
    QVERIFY2(ran, "no modal window of that class was shown");
    QVERIFY(!shown || !shown->isVisible());
}

// The same for a window made by `owner`: it must be gone, not only hidden, once `open` returns.
template <class T> void inModal(QWidget* owner, const std::function<void()>& open, const std::function<void(T*)>& drive)
{
    const bool ran = ModalDetail::run<T>(
        [owner] {
            auto* window = owner->findChild<T*>();
            return window && window->isVisible() ? window : nullptr;
        },
        open, drive);
    QVERIFY2(ran, "no modal window of that class was shown");
    QVERIFY(!owner->findChild<T*>());
}
