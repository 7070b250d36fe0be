#pragma once

#include <QLabel>
#include <QObject>

class QAbstractButton;

// The label of the hint line. Screen readers read its current text as its name and through a text interface, and
// hear when it changes.
class HintLabel : public QLabel
{
    Q_OBJECT

public:
    explicit HintLabel(QWidget* parent);

    void setHint(const QString& text);
};

// The hint line at the foot of a window (panInfo): a button's hint (its accessible description) while the pointer
// is on it or once Tab has brought the focus to it, emptied when the pointer moves over the window's background, panels or pictures.
class HintLine : public QObject
{
public:
    // Makes the line itself: the label panInfo, white text on a blue strip, owned by `window`.
    explicit HintLine(QWidget* window);

    QLabel* label() const { return m_line; }

    void addButton(QAbstractButton* button);
    // A control that is not a button (a field) whose hint shows the same way.
    void addControl(QWidget* control);
    void addBackground(QWidget* widget);
    void setText(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HintLabel* m_line;
};
