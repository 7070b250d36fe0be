#pragma once

#include "register/register_card.h"

#include <QStringList>
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

// A card from "Name=value" pairs ("Numero=12/2024"); the other fields empty.
inline RegisterCard cardWith(const QStringList& fields)
{
    RegisterCard c;
    for (const QString& f : fields) {
        const qsizetype eq = f.indexOf(u'=');
        c.setValue(RegisterCard::fieldIndex(f.left(eq)), f.mid(eq + 1));
    }
    return c;
}
