#pragma once

#include <QString>
#include <Qt>

class QWidget;

// What every window of the program does alike: where it opens, the frame of a fixed dialog, the role and the
// names a screen reader reads.
namespace Windows {

// A modal window of fixed size with a title bar and no buttons in it: the window's own buttons close it. Openbox keeps
// minimise and close whatever a window asks: a close there cancels, as QDialog rejects on close, and ModalWindows
// undoes a minimise.
inline constexpr Qt::WindowFlags kFixedDialogFlags =
    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

enum class Over
{
    Owner,  // the window that opened it (the screen when it has none)
    Screen, // the free area of its screen
};

// Moves `window`, frame included, to the middle of its owner or of its screen. Call it from showEvent, once the
// window has its size.
void centre(QWidget* window, Over over);

// Maximises `window` on its screen. Its geometry is set to the free area first, so that it fills the screen also
// where nothing honours the maximised state (a display with no window manager).
void fillScreen(QWidget* window);

// A top-level QWidget (not a QDialog) that is one of the program's main windows: screen readers see it as a window
// (a frame), not as a "filler". Call it in the constructor, before anything asks the window for its accessibility.
void markMainWindow(QWidget* window);

// The accessible name (what the control is or does), the hint as accessible description, and the name as tooltip.
void describe(QWidget* control, const QString& name, const QString& hint);

} // namespace Windows
