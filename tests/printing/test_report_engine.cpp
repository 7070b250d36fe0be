#include "common/errors.h"
#include "printing/report/report_template.h"
#include "printing/templates/list_template.h"

#include <QtTest>

namespace {

const QDate kToday(2024, 3, 15);

// One text object on an A4 portrait page.
ReportTemplate singleText(const QString& text, bool expressions)
{
    ReportTemplate tpl(QStringLiteral("Prova"));
    auto& object = tpl.page().add<TextObject>(QStringLiteral("txtProva"),
                                              LengthRect{Length::mm(5), Length::mm(6), Length::mm(50), Length::mm(20)},
                                              ReportFont{QStringLiteral("Arial"), 10});
    object.setAllowExpressions(expressions);
    object.setText(text);
    return tpl;
}

QStringList numberedLines(int n)
{
    QStringList lines;
    for (int i = 1; i <= n; ++i)
        lines << QStringLiteral("Riga %1").arg(i);
    return lines;
}

} // namespace

class TestReportEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void orientationTurnsMargins_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QList<double>>("expected"); // left, right, top, bottom after the change
        QTest::addColumn<QSizeF>("paper");
        QTest::newRow("to landscape") << int(Orientation::Landscape) << QList<double>{3, 4, 2, 1} << QSizeF(297, 210);
        QTest::newRow("same orientation") << int(Orientation::Portrait) << QList<double>{1, 2, 3, 4} << QSizeF(210, 297);
    }
    void orientationTurnsMargins()
    {
        QFETCH(int, orientation);
        QFETCH(QList<double>, expected);
        QFETCH(QSizeF, paper);
        ReportPage page;
        page.setLeftMargin(Length::mm(1));
        page.setRightMargin(Length::mm(2));
        page.setTopMargin(Length::mm(3));
        page.setBottomMargin(Length::mm(-4.5) + Length::mm(8.5));
        page.setOrientation(Orientation(orientation));
        QCOMPARE(QList<double>({page.leftMargin().mm(), page.rightMargin().mm(), page.topMargin().mm(),
                                page.bottomMargin().mm()}),
                 expected);
        QCOMPARE(QSizeF(page.paperWidth().mm(), page.paperHeight().mm()), paper);
    }

    void landscapeAndBackRestoresMargins()
    {
        ReportPage page;
        page.setLeftMargin(Length::mm(-3));
        page.setRightMargin(Length::mm(7.25));
        page.setTopMargin(Length::mm(11));
        page.setBottomMargin(Length::mm(0));
        page.setOrientation(Orientation::Landscape);
        page.setOrientation(Orientation::Portrait);
        QCOMPARE(page.leftMargin().mm(), -3.0);
        QCOMPARE(page.rightMargin().mm(), 7.25);
        QCOMPARE(page.topMargin().mm(), 11.0);
        QCOMPARE(page.bottomMargin().mm(), 0.0);
        QCOMPARE(page.paperWidth().mm(), 210.0);

        // A landscape page turned to portrait rotates the other way.
        page.setOrientation(Orientation::Landscape);
        const double l = page.leftMargin().mm(), r = page.rightMargin().mm(), t = page.topMargin().mm(),
                     b = page.bottomMargin().mm();
        page.setOrientation(Orientation::Portrait);
        QCOMPARE(page.leftMargin().mm(), b);
        QCOMPARE(page.rightMargin().mm(), t);
        QCOMPARE(page.topMargin().mm(), l);
        QCOMPARE(page.bottomMargin().mm(), r);
    }

    void findObjectRaisesForUnknownNames()
    {
        ReportTemplate tpl = ListTemplate::make();
        QCOMPARE(tpl.findObject(QStringLiteral("MasterData")).kind(), ReportObject::Kind::Band);
        QCOMPARE(tpl.findObject(QStringLiteral("txtRiepilogo")).kind(), ReportObject::Kind::Text);
        QVERIFY_THROWS_EXCEPTION(ReportError, tpl.findObject(QStringLiteral("txtNessuno")));
        QVERIFY_THROWS_EXCEPTION(ReportError, tpl.text(QStringLiteral("MasterData")));
        QVERIFY_THROWS_EXCEPTION(ReportError, tpl.band(QStringLiteral("txtTitolo")));
    }

    void setTextSplitsLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("one") << QStringLiteral("Via Roma 1") << QStringList{QStringLiteral("Via Roma 1")};
        QTest::newRow("CR LF, LF, CR") << QStringLiteral("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("blank line kept") << QStringLiteral("a\n\nb\n") << QStringList{"a", "", "b"};
    }
    void setTextSplitsLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        ReportTemplate tpl = singleText(text, true);
        QCOMPARE(tpl.text(QStringLiteral("txtProva")).memo(), lines);
    }

    void expressions_data()
    {
        QTest::addColumn<bool>("expressions");
        QTest::addColumn<QString>("printed");
        QTest::newRow("on") << true << QStringLiteral("Stampa del 15/03/2024 [ALTRO]");
        QTest::newRow("off") << false << QStringLiteral("Stampa del [DATE] [ALTRO]");
    }
    void expressions()
    {
        QFETCH(bool, expressions);
        QFETCH(QString, printed);
        const PreparedReport report = singleText(QStringLiteral("Stampa del [DATE] [ALTRO]"), expressions).prepare(kToday);
        QCOMPARE(report.pages.size(), size_t(1));
        QCOMPARE(report.pages[0].find(QStringLiteral("txtProva"))->lines, QStringList{printed});
    }

    void marginsMoveEveryObject_data()
    {
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::newRow("zero") << 0.0 << 0.0;
        QTest::newRow("negative") << -7.0 << -3.5;
        QTest::newRow("positive") << 12.0 << 4.0;
    }
    void marginsMoveEveryObject()
    {
        QFETCH(double, left);
        QFETCH(double, top);
        ReportTemplate tpl = singleText(QStringLiteral("x"), false);
        tpl.page().setLeftMargin(Length::mm(left));
        tpl.page().setTopMargin(Length::mm(top));
        const PreparedItem* item = tpl.prepare(kToday).pages[0].find(QStringLiteral("txtProva"));
        QCOMPARE(item->rect.left.mm(), 5 + left);
        QCOMPARE(item->rect.top.mm(), 6 + top);
        QCOMPARE(item->rect.width.mm(), 50.0);
    }

    // The list: title once on the first page, every line once and in order, the footer once after the last line.
    void listPagination_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("pages");
        QTest::newRow("no lines") << 0 << 1;
        QTest::newRow("one page") << 20 << 1;
        QTest::newRow("page exactly full") << 53 << 2; // the lines fill page 1, the footer goes over
        QTest::newRow("three pages") << 150 << 3;
    }
    void listPagination()
    {
        QFETCH(int, lines);
        QFETCH(int, pages);
        ReportTemplate tpl = ListTemplate::make();
        ListTemplate::fill(tpl, QStringLiteral("Riepilogo schede"), numberedLines(lines));
        const PreparedReport report = tpl.prepare(kToday);
        QCOMPARE(int(report.pages.size()), pages);

        const double lineHeight = 12.822 / Length::kUnitsPerMm;
        QStringList printed;
        for (size_t p = 0; p < report.pages.size(); ++p) {
            const PreparedPage& page = report.pages[p];
            QCOMPARE(page.paperWidth.mm(), 297.0);
            QCOMPARE(page.paperHeight.mm(), 210.0);
            const PreparedItem* title = page.find(QStringLiteral("txtTitolo"));
            const PreparedItem* footer = page.find(QStringLiteral("txtPagina"));
            QCOMPARE(title != nullptr, p == 0);
            QCOMPARE(footer != nullptr, p + 1 == report.pages.size());
            if (title) {
                QCOMPARE(title->lines, QStringList{QStringLiteral("Riepilogo schede")});
                QCOMPARE(title->rect.top.mm(), 11.0);
                QCOMPARE(title->rect.left.mm(), 12.0);
            }
            if (const PreparedItem* text = page.find(QStringLiteral("txtRiepilogo"))) {
                // A continued part starts at the top margin, the first after the 8 mm title band.
                QCOMPARE(text->rect.top.mm(), p == 0 ? 18.0 : 10.0);
                QCOMPARE(text->rect.left.mm(), 13.0);
                QVERIFY(text->rect.bottom().mm() <= 200.0 + 1e-9);
                QVERIFY(text->rect.top.mm() + text->lines.size() * lineHeight <= 200.0 + 1e-9);
                printed += text->lines;
                if (footer) // right below the master data band: its lines plus 10 units
                    QVERIFY(qAbs(footer->rect.top.mm()
                                 - (text->rect.top.mm() + text->lines.size() * lineHeight + 10 / Length::kUnitsPerMm + 2))
                            < 1e-6);
            }
            if (footer) {
                QCOMPARE(footer->lines, QStringList{QStringLiteral("Stampa eseguita in data 15/03/2024")});
                QVERIFY(footer->rect.bottom().mm() <= 200.0 + 1e-9);
            }
        }
        QCOMPARE(printed, numberedLines(lines));
    }

    void emptyListBandIsTenUnitsHigh()
    {
        ReportTemplate tpl = ListTemplate::make();
        ListTemplate::fill(tpl, QStringLiteral("T"), {});
        QVERIFY(qAbs(tpl.band(QStringLiteral("MasterData")).height().mm() - 2.6458) < 1e-4);
        const PreparedPage& page = tpl.prepare(kToday).pages[0];
        // Footer band starts right after title (8 mm) and the empty master data band; its text 2 mm lower.
        QVERIFY(qAbs(page.find(QStringLiteral("txtPagina"))->rect.top.mm() - (10 + 8 + 2.6458 + 2)) < 1e-4);
    }

    // The user's title and lines print as typed; only the footer's [DATE] is a field.
    void listDateOnlyInTheFooter()
    {
        ReportTemplate tpl = ListTemplate::make();
        ListTemplate::fill(tpl, QStringLiteral("Elenco del [DATE]"), {QStringLiteral("Consegna [DATE] ore 9")});
        const PreparedReport report = tpl.prepare(kToday);
        const PreparedPage& page = report.pages[0];
        QCOMPARE(page.find(QStringLiteral("txtTitolo"))->lines, QStringList{QStringLiteral("Elenco del [DATE]")});
        QCOMPARE(page.find(QStringLiteral("txtRiepilogo"))->lines,
                 QStringList{QStringLiteral("Consegna [DATE] ore 9")});
        QCOMPARE(page.find(QStringLiteral("txtPagina"))->lines,
                 QStringList{QStringLiteral("Stampa eseguita in data 15/03/2024")});
    }

    void refillingReplacesEarlierLines()
    {
        ReportTemplate tpl = ListTemplate::make();
        ListTemplate::fill(tpl, QStringLiteral("Primo"), numberedLines(200));
        ListTemplate::fill(tpl, QStringLiteral("Secondo"), numberedLines(2));
        const PreparedReport report = tpl.prepare(kToday);
        QCOMPARE(report.pages.size(), size_t(1));
        QCOMPARE(report.pages[0].find(QStringLiteral("txtRiepilogo"))->lines, numberedLines(2));
    }

    void bandTallerThanPageWithoutSplitPrintsOnce()
    {
        ReportTemplate tpl(QStringLiteral("Prova"));
        Band& band = tpl.page().addBand(QStringLiteral("MasterData"), Band::Type::MasterData, Length::mm(100),
                                        Length::mm(400));
        band.add<ShapeObject>(QStringLiteral("Shape1"), LengthRect{Length(), Length(), Length::mm(10), Length::mm(400)},
                              QColor(Qt::red), QColor());
        const PreparedReport report = tpl.prepare(kToday);
        QCOMPARE(report.pages.size(), size_t(1));
        QCOMPARE(report.pages[0].find(QStringLiteral("Shape1"))->rect.height.mm(), 400.0);
    }
};

QTEST_GUILESS_MAIN(TestReportEngine)
#include "test_report_engine.moc"
