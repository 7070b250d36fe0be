#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QString>

// How far a long action on the window's thread has come (an import of hundreds of thousands of cards). For the first
// moment nothing shows, as for any action; after `patienceMs` a modal box shows the part done, with "Annulla", and
// the windows are kept drawn. The action calls step() as it goes; once Annulla is pressed, step() throws
// ProgressBox::Canceled, for the action to undo what it did.
class ProgressBox
{
public:
    struct Canceled
    {
    };

    ProgressBox(QWidget* owner, const QString& text, qsizetype total, int patienceMs = 500);
    ~ProgressBox();
    ProgressBox(const ProgressBox&) = delete;
    ProgressBox& operator=(const ProgressBox&) = delete;

    // `done` of the total are done. Cheap when called for every item: the box is drawn at most every 50 ms.
    void step(qsizetype done);
    // The action is over: the box goes before its outcome is told.
    void close();

private:
    QWidget* m_owner;
    QString m_text;
    qsizetype m_total;
    int m_patienceMs;
    QElapsedTimer m_clock;
    qint64 m_drawnAt = 0;
    QPointer<QProgressDialog> m_box;
};
