// A window may use widgets and other windows.
#include "model/card_dialog.h"
#include <QLineEdit>
#include <QPrinter>
