#include "common/record_moves.h"

#include <QTest>

Q_DECLARE_METATYPE(RecordMoves::Move)
Q_DECLARE_METATYPE(RecordMoves::Step::Kind)

// The one rule behind the arrows of the address archive, the label sheets and the register.
class TestRecordMoves : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void moves_data()
    {
        QTest::addColumn<RecordMoves::Move>("move");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("position");
        QTest::addColumn<RecordMoves::Step::Kind>("kind");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("forgetPosition");
        using M = RecordMoves::Move;
        using K = RecordMoves::Step::Kind;
        QTest::newRow("first, empty file") << M::First << 0 << 0 << K::Empty << 0 << false;
        QTest::newRow("first") << M::First << 10 << 7 << K::Show << 1 << false;
        QTest::newRow("last, empty file") << M::Last << 0 << 0 << K::Empty << 0 << false;
        QTest::newRow("last") << M::Last << 10 << 0 << K::Show << 10 << false;
        QTest::newRow("next, empty file forgets the position") << M::Next << 0 << 3 << K::Empty << 0 << true;
        QTest::newRow("next from a new record shows record 1") << M::Next << 10 << 0 << K::Show << 1 << false;
        QTest::newRow("next") << M::Next << 10 << 7 << K::Show << 8 << false;
        QTest::newRow("next at the last record does nothing") << M::Next << 10 << 10 << K::Stay << 0 << false;
        QTest::newRow("previous at record 1 does nothing, even in an empty file")
            << M::Previous << 0 << 1 << K::Stay << 0 << false;
        QTest::newRow("previous, empty file keeps the position") << M::Previous << 0 << 0 << K::Empty << 0 << false;
        QTest::newRow("previous from a new record shows record 1") << M::Previous << 10 << 0 << K::Show << 1 << false;
        QTest::newRow("previous from record 2") << M::Previous << 10 << 2 << K::Show << 1 << false;
        QTest::newRow("previous") << M::Previous << 10 << 7 << K::Show << 6 << false;
    }
    void moves()
    {
        QFETCH(RecordMoves::Move, move);
        QFETCH(int, count);
        QFETCH(int, position);
        QFETCH(RecordMoves::Step::Kind, kind);
        const RecordMoves::Step step = RecordMoves::step(move, position, count);
        QCOMPARE(step.kind, kind);
        if (kind == RecordMoves::Step::Kind::Show)
            QTEST(step.number, "number");
        QTEST(step.forgetPosition, "forgetPosition");
    }
};

QTEST_GUILESS_MAIN(TestRecordMoves)
#include "test_record_moves.moc"
