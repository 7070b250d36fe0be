// A model header that pulls in print support by module path.
#pragma once
#include <QColor>
#include <QtPrintSupport/QPrinter>
