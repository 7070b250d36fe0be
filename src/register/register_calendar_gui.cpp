#include "register/register_calendar_gui.h"

#include <QCalendarWidget>
#include <QLocale>

QCalendarWidget* makeRegisterCalendar(const QString& objectName, const QString& accessibleName,
                                      const QString& accessibleDescription)
{
    auto* calendar = new QCalendarWidget;
    calendar->setObjectName(objectName);
    calendar->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    calendar->setFirstDayOfWeek(Qt::Monday);
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar->setGridVisible(true);
    calendar->setAccessibleName(accessibleName);
    calendar->setAccessibleDescription(accessibleDescription);
    return calendar;
}
