#pragma once

#include <QToolButton>

// A flat tool button showing a picture (the toolbars' commands, the attachments' cross). While it has the focus it
// carries the fields' focus mark: the style's dotted line is too faint to find by keyboard.
class PictureToolButton : public QToolButton
{
    Q_OBJECT

public:
    explicit PictureToolButton(QWidget* parent = nullptr) : QToolButton(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};
