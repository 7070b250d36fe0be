#include "common/errors.h"
#include "common/ini_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/wait.h>
#include <unistd.h>

namespace {
QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath(QStringLiteral("test.ini"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}
QByteArray readFile(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void reading_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QByteArray crlf = "[Margini Busta]\r\nSinistro=2,5\r\nAlto=10\r\n";
        QTest::newRow("crlf") << crlf << "Margini Busta" << "Sinistro" << "2,5";
        QTest::newRow("lf") << QByteArray("[Margini Busta]\nAlto=10\n") << "Margini Busta" << "Alto" << "10";
        QTest::newRow("case of names") << crlf << "MARGINI busta" << "sinistro" << "2,5";
        QTest::newRow("blanks around") << QByteArray("  [ Accesso ]  \n  Valore  =  AB12  \n") << "Accesso" << "Valore"
                                       << "AB12";
        QTest::newRow("bom") << QByteArray("\xEF\xBB\xBF[Accesso]\r\nValore=1F\r\n") << "Accesso" << "Valore" << "1F";
        QTest::newRow("blank lines and comments")
            << QByteArray("; a comment\n\n[S]\n\n;Chiave=no\nChiave=si\n") << "S" << "Chiave" << "si";
        QTest::newRow("duplicated key: first wins") << QByteArray("[S]\nK=1\nK=2\n") << "S" << "K" << "1";
        QTest::newRow("key of another section") << QByteArray("[A]\nK=1\n[B]\nX=2\n") << "B" << "K" << "";
        QTest::newRow("missing section") << crlf << "Stampa Busta" << "Orientamento" << "";
        QTest::newRow("windows-1252 value") << QByteArray("[N]\nAnno=S\xEC\n") << "N" << "Anno" << "Sì";
        QTest::newRow("utf-8 value") << QByteArray("[N]\nAnno=S\xC3\xAC\n") << "N" << "Anno" << "Sì";
        QTest::newRow("no equals sign") << QByteArray("[N]\nAnno\n") << "N" << "Anno" << "";
    }
    void reading()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QCOMPARE(IniFile(writeFile(dir, content)).read(section, key), expected);
    }

    void missingFileReadsDefault()
    {
        QTemporaryDir dir;
        IniFile ini(dir.filePath(QStringLiteral("none.ini")));
        QCOMPARE(ini.read(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("def")), QStringLiteral("def"));
        QVERIFY(!QFile::exists(ini.path()));
    }

    void writeCreatesFileAndSection()
    {
        QTemporaryDir dir;
        IniFile ini(dir.filePath(QStringLiteral("new.ini")));
        ini.write(QStringLiteral("Numerazione Protocollo"), QStringLiteral("Indicazione Anno Solare"), QStringLiteral("Sì"));
        QCOMPARE(readFile(ini.path()), QByteArray("[Numerazione Protocollo]\r\nIndicazione Anno Solare=S\xEC\r\n"));
        ini.write(QStringLiteral("Numerazione Protocollo"), QStringLiteral("Inizio"), QStringLiteral("100"));
        ini.write(QStringLiteral("Altro"), QStringLiteral("K"), QStringLiteral("v"));
        QCOMPARE(ini.read(QStringLiteral("numerazione protocollo"), QStringLiteral("inizio")), QStringLiteral("100"));
        QCOMPARE(readFile(ini.path()), QByteArray("[Numerazione Protocollo]\r\nIndicazione Anno Solare=S\xEC\r\n"
                                                  "Inizio=100\r\n\r\n[Altro]\r\nK=v\r\n"));
    }

    void writeKeepsEveryOtherLine()
    {
        QTemporaryDir dir;
        const QByteArray before = "\xEF\xBB\xBF; mine\n[A]\nx = 1\n\n[B]\nK=old\nK=dup\n  y=2\n";
        const QString path = writeFile(dir, before);
        IniFile(path).write(QStringLiteral("b"), QStringLiteral("k"), QStringLiteral("new"));
        QCOMPARE(readFile(path), QByteArray("\xEF\xBB\xBF; mine\n[A]\nx = 1\n\n[B]\nk=new\nK=dup\n  y=2\n"));
        IniFile(path).write(QStringLiteral("A"), QStringLiteral("z"), QStringLiteral("3"));
        QCOMPARE(readFile(path), QByteArray("\xEF\xBB\xBF; mine\n[A]\nx = 1\nz=3\n\n[B]\nk=new\nK=dup\n  y=2\n"));
    }

    void failedWriteLeavesOldFile()
    {
        QTemporaryDir dir;
        // The target's folder is a regular file: nothing can be written there.
        writeFile(dir, "x");
        IniFile ini(dir.filePath(QStringLiteral("test.ini/inner.ini")));
        QVERIFY_THROWS_EXCEPTION(SettingsError, ini.write(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v")));
        QCOMPARE(readFile(dir.filePath(QStringLiteral("test.ini"))), QByteArray("x"));
    }

    void writeIsAtomic()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, "[Accesso]\r\nValore=00\r\n");
        IniFile(path).write(QStringLiteral("Accesso"), QStringLiteral("Valore"), QStringLiteral("ABCD"));
        // The write goes through a temporary file and a rename: no leftover files, and a new inode.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("test.ini")});
        QCOMPARE(readFile(path), QByteArray("[Accesso]\r\nValore=ABCD\r\n"));
    }

    // Two processes replace the same file, each updating its own key: neither may undo the other's update.
    void concurrentWritersOfDifferentKeysKeepBoth()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, "[Altro]\r\nResta=1\r\n");
        constexpr int kWrites = 150;
        QList<pid_t> children;
        for (const char* key : {"Primo", "Secondo"}) {
            const pid_t pid = ::fork();
            QVERIFY(pid >= 0);
            if (pid == 0) {
                // The child checks after every write that its own key still holds its latest value.
                const IniFile ini(path);
                int status = 0;
                try {
                    for (int i = 1; i <= kWrites && status == 0; ++i) {
                        ini.write(QStringLiteral("Comune"), QString::fromLatin1(key), QString::number(i));
                        if (ini.read(QStringLiteral("Comune"), QString::fromLatin1(key)) != QString::number(i))
                            status = 3;
                    }
                } catch (...) {
                    status = 4;
                }
                ::_exit(status);
            }
            children.append(pid);
        }
        for (pid_t pid : children) {
            int status = -1;
            QCOMPARE(::waitpid(pid, &status, 0), pid);
            QVERIFY(WIFEXITED(status));
            QCOMPARE(WEXITSTATUS(status), 0);
        }
        const IniFile ini(path);
        QCOMPARE(ini.read(QStringLiteral("Comune"), QStringLiteral("Primo")), QString::number(kWrites));
        QCOMPARE(ini.read(QStringLiteral("Comune"), QStringLiteral("Secondo")), QString::number(kWrites));
        QCOMPARE(ini.read(QStringLiteral("Altro"), QStringLiteral("Resta")), QStringLiteral("1"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("test.ini")});
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_ini_file.moc"
