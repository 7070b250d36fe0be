#pragma once

#include <QList>
#include <functional>

class HintLine;
class QBoxLayout;
class QFrame;
class QToolButton;

// One row of a window's table of picture buttons.
//   {objectName, picture, name, hint, shortcut, action}      a picture button
//   {objectName, picture, name, hint, shortcut, action, text} the same with words beside the picture
//   {"sepComandi1"}                                           a vertical line between two groups
//   {}                                                        a stretch: what follows goes to the far end
struct Command
{
    const char* objectName = nullptr;
    const char* picture = nullptr;        // a Pictures name: "addresses/save"
    const char* accessibleName = nullptr; // what pressing it does: spoken, and the tooltip's words
    const char* hint = nullptr;           // the accessible description, shown on the hint line
    const char* shortcut = nullptr;       // one of Keyboard's set, named in the tooltip; nullptr for none
    std::function<void()> action;
    const char* text = nullptr; // bold words beside the picture
};

namespace CommandBar {

// A picture button for `command`: reached by Tab (a click leaves the focus where it was), pressed by Enter, Space,
// a click or its shortcut; its hint shows on `hints` (may be null) while the pointer or the focus is on it.
QToolButton* makeButton(const Command& command, HintLine* hints);

// Adds the rows of `commands` to `row` in order and returns the buttons made. Separators join `hints`' background.
QList<QToolButton*> add(QBoxLayout* row, const QList<Command>& commands, HintLine* hints);

// The strip a window's picture buttons stand on (panComandi): the rows of `commands` on a light panel across the
// window's top, part of `hints`' background.
QFrame* strip(const QList<Command>& commands, HintLine* hints);

} // namespace CommandBar
