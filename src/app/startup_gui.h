#pragma once

#include <functional>

// The start of the program: software rendering, the application object, the Italian conventions, the window set
// and the run loop. `started` runs once the login window is shown, before the loop runs (the start-up benchmark
// uses it to stop the loop as soon as it is idle).
class QApplication;

namespace Startup {

// Italian standard buttons ("Sì", "Annulla") in every message box and in the print dialog; dates and numbers in the
// Italian form (day first, decimal comma). Part of run(), for any application object.
void applyItalianConventions(QApplication& app);

int run(int& argc, char** argv, const std::function<void()>& started = {});

} // namespace Startup
