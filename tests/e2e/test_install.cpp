// `cmake --install` of this build into a temporary home: the portable folder, the desktop entry, and a second
// install that leaves the user's password and archives alone.
#include "access/password_store.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    QString m_folder; // with a blank, as users' folders often have

    int install()
    {
        const QString build = QFileInfo(QString::fromUtf8(PLICARIO_PROGRAM)).dir().absoluteFilePath(
            QStringLiteral(".."));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_home.path());
        env.remove(QStringLiteral("XDG_DATA_HOME"));
        env.remove(QStringLiteral("DESTDIR"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral("cmake"), {QStringLiteral("--install"), build, QStringLiteral("--prefix"), m_folder});
        p.waitForFinished(120000);
        if (p.exitCode() != 0)
            qWarning().noquote() << p.readAllStandardError();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

private Q_SLOTS:
    void initTestCase() { m_folder = m_home.filePath(QStringLiteral("Programmi utente/Plicario")); }

    void portableFolderAndMenuEntry()
    {
        QCOMPARE(install(), 0);
        for (const char* name : {"plicario", "plicario-cli"})
            QVERIFY2(QFileInfo(m_folder + u'/' + QLatin1String(name)).isExecutable(), name);
        QVERIFY(QFileInfo::exists(m_folder + QStringLiteral("/Guida.pdf")));
        QVERIFY(PasswordStore(m_folder).checkPassword(QStringLiteral("plicario")));

        const QString entry = m_home.filePath(QStringLiteral(".local/share/applications/plicario.desktop"));
        const QString text = QString::fromUtf8(readAll(entry));
        QVERIFY2(text.contains(QStringLiteral("\nExec=\"%1/plicario\"\n").arg(m_folder)), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("\nIcon=plicario\n")));
        QVERIFY(QFileInfo::exists(m_home.filePath(QStringLiteral(".local/share/icons/hicolor/scalable/apps/plicario.svg"))));
        QProcess validate;
        validate.start(QStringLiteral("desktop-file-validate"), {entry});
        QVERIFY2(validate.waitForFinished(30000), "desktop-file-validate is missing: scripts/deps.sh installs it");
        QVERIFY2(validate.exitCode() == 0, validate.readAllStandardOutput().constData());
    }

    void againKeepsThePasswordAndTheArchives()
    {
        PasswordStore(m_folder).storePassword(QStringLiteral("la mia parola"));
        const QString archive = m_folder + QStringLiteral("/Archivio_Indirizzi.pro");
        QFile f(archive);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(3765, '\x07'));
        f.close();

        QCOMPARE(install(), 0);
        QVERIFY(PasswordStore(m_folder).checkPassword(QStringLiteral("la mia parola")));
        QVERIFY(!PasswordStore(m_folder).checkPassword(QStringLiteral("plicario")));
        QCOMPARE(readAll(archive), QByteArray(3765, '\x07'));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "test_install.moc"
