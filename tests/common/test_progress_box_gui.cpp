// The box of a long action on the window's thread: hidden at first, then shown with its progress; Annulla (or Esc)
// stops the action at its next step.
#include "common/progress_box_gui.h"

#include <QTest>
#include <QWidget>

class TestProgressBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void quickActionsShowNothing()
    {
        QWidget owner;
        ProgressBox progress(&owner, QStringLiteral("Importazione in corso..."), 100, 60000);
        for (int i = 1; i <= 100; ++i)
            progress.step(i);
        QVERIFY(!owner.findChild<QProgressDialog*>());
    }

    void aLongActionShowsItsProgressAndEscStopsIt()
    {
        QWidget owner;
        owner.show();
        ProgressBox progress(&owner, QStringLiteral("Importazione in corso..."), 4, 0);
        progress.step(1);
        auto* box = owner.findChild<QProgressDialog*>(QStringLiteral("frmAvanzamento"));
        QVERIFY(box);
        QTRY_VERIFY(box->isVisible());
        QCOMPARE(box->accessibleName(), QStringLiteral("Importazione in corso..."));
        QCOMPARE(box->windowModality(), Qt::ApplicationModal);
        QCOMPARE(box->value(), box->maximum() / 4);

        QTest::keyClick(box, Qt::Key_Escape);
        QTest::qWait(60); // past the time between two drawings
        QVERIFY_THROWS_EXCEPTION(ProgressBox::Canceled, progress.step(2));
    }

    // Once the action is over the box goes, before its outcome is told in a box of its own.
    void closingTakesTheBoxAway()
    {
        QWidget owner;
        owner.show();
        ProgressBox progress(&owner, QStringLiteral("Importazione in corso..."), 4, 0);
        progress.step(1);
        QVERIFY(owner.findChild<QProgressDialog*>());
        progress.close();
        QVERIFY(!owner.findChild<QProgressDialog*>());
    }
};

QTEST_MAIN(TestProgressBox)
#include "test_progress_box_gui.moc"
