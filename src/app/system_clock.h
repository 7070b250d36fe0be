#pragma once

#include "common/app_context.h"

#include <QDateTime>

class SystemClock : public Clock
{
public:
    QDate today() const override { return QDate::currentDate(); }
    QTime now() const override { return QTime::currentTime(); }
};
