#pragma once

#include "common/record_file.h"

#include <QPointer>
#include <QProgressDialog>

// The program's wait for an archive another workstation (or the batch tool) holds. For the first moment the window
// just waits, as any save does; after `patienceMs` a small modal box says why and offers "Annulla", and the windows
// are kept drawn until the lock is free or the user gives up. Installed once for the program with ScopedLockWait.
class LockWaitBox : public LockWait
{
public:
    static const QString kWaiting;

    explicit LockWaitBox(int patienceMs = 1000) : m_patienceMs(patienceMs) {}
    ~LockWaitBox() override;

    bool keepWaiting(const QString& path, qint64 waitedMs) override;
    void waitEnded() override;

private:
    int m_patienceMs;
    QPointer<QProgressDialog> m_box;
};
