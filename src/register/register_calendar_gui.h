#pragma once

#include <QString>

class QCalendarWidget;

// The month calendar of the register's windows: Italian month and day names and the week from Monday, whatever the
// desktop's language, with a grid and no week numbers.
QCalendarWidget* makeRegisterCalendar(const QString& objectName, const QString& accessibleName,
                                      const QString& accessibleDescription);
