#include "common/action_guard.h"

#include "common/errors.h"
#include "common/messages.h"

#include <exception>

bool runGuarded(QWidget* owner, Messages* messages, const std::function<void()>& action)
{
    QString text;
    try {
        action();
        return true;
    } catch (const PlicarioError& e) {
        text = e.message();
    } catch (const std::exception& e) {
        text = QString::fromLocal8Bit(e.what());
    } catch (...) {
        text = QStringLiteral("Errore imprevisto.");
    }
    if (messages)
        messages->plain(owner, text);
    return false;
}
