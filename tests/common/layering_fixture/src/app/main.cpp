// The program itself starts the windows.
#include "app/startup_gui.h"
#include <QApplication>
