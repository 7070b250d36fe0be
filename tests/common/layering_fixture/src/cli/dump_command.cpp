// The batch tool may use every model folder, not the program's own folder beside it.
#include "app/desktop_shell.h"
#include "cli/commands.h"
#include "register/register_card.h"
#include <QTextStream>
