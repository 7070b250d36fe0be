#pragma once

#include <QString>

// Who makes the program: the addresses that the launcher, the about and the copyright windows offer.
namespace Maker {

inline const QString kWebAddress = QStringLiteral("https://www.example.org/plicario");
inline const QString kSupportEmail = QStringLiteral("assistenza@example.org");
inline const QString kCopyrightNotice = QStringLiteral("Copyright © 2026 Progetto Plicario");

} // namespace Maker
