#include "common/lock_wait_gui.h"

#include <QApplication>

const QString LockWaitBox::kWaiting = QStringLiteral("Archivio in uso da un'altra postazione: attendere...");

LockWaitBox::~LockWaitBox()
{
    delete m_box.data();
}

bool LockWaitBox::keepWaiting(const QString&, qint64 waitedMs)
{
    // Before the box is up no event is handled: a click meanwhile must not start a second action on the window.
    if (waitedMs < m_patienceMs)
        return true;
    if (!m_box) {
        m_box = new QProgressDialog(kWaiting, QStringLiteral("Annulla"), 0, 0, QApplication::activeWindow());
        m_box->setObjectName(QStringLiteral("frmAttesaArchivio"));
        m_box->setWindowTitle(QStringLiteral("Plicario 3.0"));
        m_box->setAccessibleName(kWaiting);
        // Application modal: the windows are drawn but take no input until the wait is over.
        m_box->setWindowModality(Qt::ApplicationModal);
        m_box->setMinimumDuration(0);
        m_box->setAutoReset(false);
        m_box->show();
    }
    QApplication::processEvents();
    return m_box && !m_box->wasCanceled();
}

void LockWaitBox::waitEnded()
{
    delete m_box.data();
}
