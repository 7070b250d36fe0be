#include "app/desktop_shell.h"

#include <QDir>
#include <QTest>
#include <QUrlQuery>

class TestDesktopShell : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void urls_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QString>("path"); // local file or mailto address, decoded
        QTest::newRow("quoted path with blanks") << QStringLiteral("\"/tmp/Plicario 3/Guida.pdf\"")
                                                 << QStringLiteral("file") << QStringLiteral("/tmp/Plicario 3/Guida.pdf");
        QTest::newRow("folder") << QStringLiteral("/tmp/Plicario/Documenti_Allegati") << QStringLiteral("file")
                                << QStringLiteral("/tmp/Plicario/Documenti_Allegati");
        QTest::newRow("characters a shell would run") << QStringLiteral("\"/tmp/a;$(touch x)`id`&b.pdf\"")
                                                      << QStringLiteral("file")
                                                      << QStringLiteral("/tmp/a;$(touch x)`id`&b.pdf");
        QTest::newRow("relative path") << QStringLiteral("Guida.pdf") << QStringLiteral("file")
                                       << QDir::current().absoluteFilePath(QStringLiteral("Guida.pdf"));
        QTest::newRow("web address") << QStringLiteral("https://www.example.org/plicario") << QStringLiteral("https")
                                     << QStringLiteral("/plicario");
        QTest::newRow("quoted mailto") << QStringLiteral("\"mailto:assistenza@example.org?subject=Software Plicario "
                                                         "3.0&body=Salve, desidererei avere le seguenti informazioni "
                                                         "sul software in oggetto:\"")
                                       << QStringLiteral("mailto") << QStringLiteral("assistenza@example.org");
    }
    void urls()
    {
        QFETCH(QString, command);
        QFETCH(QString, scheme);
        QFETCH(QString, path);
        const QUrl url = DesktopShell::urlFor(command);
        QVERIFY(url.isValid());
        QCOMPARE(url.scheme(), scheme);
        QCOMPARE(scheme == QStringLiteral("file") ? url.toLocalFile() : url.path(), path);
    }

    void mailtoKeepsSubjectAndBody()
    {
        const QUrl url = DesktopShell::urlFor(QStringLiteral(
            "\"mailto:assistenza@example.org?subject=Software Plicario 3.0&body=Salve, desidererei avere le seguenti "
            "informazioni sul software in oggetto:\""));
        const QUrlQuery query(url);
        QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                 QStringLiteral("Software Plicario 3.0"));
        QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
                 QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:"));
    }

    void nothingToOpen()
    {
        QVERIFY(!DesktopShell::urlFor(QString()).isValid());
        QVERIFY(!DesktopShell::urlFor(QStringLiteral("\"\"")).isValid());
        DesktopShell shell;
        QVERIFY(!shell.open(QStringLiteral("\"\"")));
    }
};

QTEST_MAIN(TestDesktopShell)
#include "test_desktop_shell.moc"
