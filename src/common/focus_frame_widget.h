#pragma once

#include <QWidget>

// The yellow frame drawn around an edit field while it has the focus. It sits behind the field, follows its
// geometry, and shows only while the field, or a control inside it (a group of buttons), has the focus.
class FocusFrame : public QWidget
{
    Q_OBJECT

public:
    // Made a sibling of `field`; `objectName` is the frame's own name (effPassword...).
    FocusFrame(QWidget* field, const QString& objectName);

    static constexpr int kWidth = 3;

    // The same mark on a picture button, which has no room around it: the yellow frame along the inside of `area`,
    // with a dark line inside it so that it stands out from a light picture or toolbar too.
    static void paintOnButton(class QPainter& painter, const QRect& area);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();

    QWidget* m_field;
};
