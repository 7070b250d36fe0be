#pragma once

#include "register/register_card.h"

#include <QTemporaryDir>

// The 2024 register of a temporary folder, holding these cards in this order; returns its path.
inline QString yearWith(const QTemporaryDir& dir, const QList<RegisterCard>& cards)
{
    const QString path = RegisterYear::filePath(dir.path(), QStringLiteral("2024"));
    RegisterFile file(path);
    for (const RegisterCard& c : cards)
        file.append(c);
    return path;
}
