// A model file that reaches for a widget: the layering check must name it.
#include <QLineEdit>
#include <QString>
