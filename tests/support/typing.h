#pragma once

#include <QTest>
#include <QWidget>

// Types `text` into `widget` key by key: QTest::keyClicks takes ASCII only, so other characters go as bare text.
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}
