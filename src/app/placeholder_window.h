#pragma once

#include "app/application_window.h"

// Stand-ins for the applications not built yet: each has its caption and goes back to the launcher when closed.
// A real window replaces its stand-in in WindowSet's constructor.
namespace Placeholders {

ApplicationWindow* registerMenu();

} // namespace Placeholders
