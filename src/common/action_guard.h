#pragma once

#include <QString>
#include <functional>

class Messages;
class QWidget;

// Runs one user action so that no exception ever crosses the event loop: what the action leaves uncaught is shown
// as a plain message box with the error's own text, and the rest of the action is skipped.
// Returns true when the action ran to its end.
bool runGuarded(QWidget* owner, Messages* messages, const std::function<void()>& action);
