#include "register/register_moves.h"

#include <QTest>

Q_DECLARE_METATYPE(RegisterMove)

class TestRegisterMoves : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void moves_data()
    {
        QTest::addColumn<RegisterMove>("move");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("show");
        QTest::addColumn<bool>("emptyYear");
        QTest::addColumn<bool>("clearPosition");
        using M = RegisterMove;
        QTest::newRow("first, empty year") << M::First << 0 << 0 << 0 << true << false;
        QTest::newRow("first") << M::First << 10 << 7 << 1 << false << false;
        QTest::newRow("last, empty year") << M::Last << 0 << 0 << 0 << true << false;
        QTest::newRow("last") << M::Last << 10 << 0 << 10 << false << false;
        QTest::newRow("next, empty year empties the position") << M::Next << 0 << 3 << 0 << true << true;
        QTest::newRow("next from a new card shows card 1") << M::Next << 10 << 0 << 1 << false << false;
        QTest::newRow("next") << M::Next << 10 << 7 << 8 << false << false;
        QTest::newRow("next at the last card does nothing") << M::Next << 10 << 10 << 0 << false << false;
        QTest::newRow("previous at card 1 does nothing, even in an empty year")
            << M::Previous << 0 << 1 << 0 << false << false;
        QTest::newRow("previous, empty year keeps the position") << M::Previous << 0 << 0 << 0 << true << false;
        QTest::newRow("previous from a new card shows card 1") << M::Previous << 10 << 0 << 1 << false << false;
        QTest::newRow("previous from card 2") << M::Previous << 10 << 2 << 1 << false << false;
        QTest::newRow("previous") << M::Previous << 10 << 7 << 6 << false << false;
    }
    void moves()
    {
        QFETCH(RegisterMove, move);
        QFETCH(int, count);
        QFETCH(int, position);
        const RegisterMoveResult r = registerMove(move, count, position);
        QTEST(r.show, "show");
        QTEST(r.emptyYear, "emptyYear");
        QTEST(r.clearPosition, "clearPosition");
    }
};

QTEST_GUILESS_MAIN(TestRegisterMoves)
#include "test_register_moves.moc"
