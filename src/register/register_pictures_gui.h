#pragma once

#include <QString>

class QLabel;
class QSize;

// A still picture of the register windows (assets/register), drawn at `size` and spoken by its name.
QLabel* registerPicture(const QString& objectName, const QString& name, const QSize& size,
                        const QString& accessibleName);
