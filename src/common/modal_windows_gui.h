#pragma once

// What every modal window of the program does alike whatever the window manager, or none, does with it:
// - when it closes, the window that opened it takes the keyboard back (with no window manager nothing else would
//   give it back, and the keys would go nowhere until a click);
// - a fixed dialog that a window manager minimises anyway (some keep the button whatever the window asks) comes back
//   at once, since its owner waits on it and would otherwise take no keys at all.
namespace ModalWindows {

// Watches every window of the application from now on; calling it again does nothing.
void install();

} // namespace ModalWindows
