#include "common/progress_box_gui.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

constexpr int kSteps = 1000; // the bar's range: a total of millions does not fit an int everywhere
constexpr qint64 kDrawEveryMs = 50;

} // namespace

ProgressBox::ProgressBox(QWidget* owner, const QString& text, qsizetype total, int patienceMs)
    : m_owner(owner), m_text(text), m_total(std::max<qsizetype>(total, 1)), m_patienceMs(patienceMs)
{
    m_clock.start();
}

ProgressBox::~ProgressBox()
{
    close();
}

void ProgressBox::close()
{
    delete m_box.data();
}

void ProgressBox::step(qsizetype done)
{
    const qint64 now = m_clock.elapsed();
    // Before the box is up no event is handled: a click meanwhile must not start a second action on the window.
    if (now < m_patienceMs || (m_box && now - m_drawnAt < kDrawEveryMs))
        return;
    m_drawnAt = now;
    if (!m_box) {
        m_box = new QProgressDialog(m_text, QStringLiteral("Annulla"), 0, kSteps, m_owner);
        m_box->setObjectName(QStringLiteral("frmAvanzamento"));
        m_box->setWindowTitle(QStringLiteral("Plicario 3.0"));
        m_box->setAccessibleName(m_text);
        // Application modal: the windows are drawn but take no input until the action is over.
        m_box->setWindowModality(Qt::ApplicationModal);
        m_box->setMinimumDuration(0);
        m_box->setAutoReset(false);
        m_box->setAutoClose(false);
        m_box->show();
    }
    m_box->setValue(int(std::min<qsizetype>(done, m_total) * kSteps / m_total));
    QCoreApplication::processEvents(); // also when the value has not moved: Annulla must be heard
    if (!m_box || m_box->wasCanceled())
        throw Canceled{};
}
