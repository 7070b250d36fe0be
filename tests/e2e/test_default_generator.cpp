// The README's build line uses CMake's default generator, Make, while our scripts use Ninja: configured afresh in a
// temporary folder and built as far as the Italian translations, whose folder Make once never made.
#include "support/test_support.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestDefaultGenerator : public QObject
{
    Q_OBJECT

    QTemporaryDir m_build;

    // Runs cmake as a fresh shell would, without a generator chosen in the environment; its exit code.
    int cmake(const QStringList& args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("CMAKE_GENERATOR"));
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral("cmake"), args);
        if (!p.waitForFinished(240000)) {
            p.kill();
            p.waitForFinished(5000);
            return -1;
        }
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            qWarning().noquote() << p.readAll();
            return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        }
        return 0;
    }

private Q_SLOTS:
    void translationsBuildWithMake()
    {
        QVERIFY(m_build.isValid());
        QCOMPARE(cmake({QStringLiteral("-S"), QStringLiteral(PLICARIO_SOURCE_DIR), QStringLiteral("-B"), m_build.path(),
                        QStringLiteral("-DBUILD_TESTING=OFF")}),
                 0);
        // The check means nothing if the default is Ninja after all.
        const QByteArray cache = readFileBytes(m_build.filePath(QStringLiteral("CMakeCache.txt")));
        QVERIFY2(cache.contains("\nCMAKE_GENERATOR:INTERNAL=Unix Makefiles\n"), "CMake's default is not Make here");

        QCOMPARE(cmake({QStringLiteral("--build"), m_build.path(), QStringLiteral("--target"),
                        QStringLiteral("translations")}),
                 0);
        QVERIFY(QFileInfo(m_build.filePath(QStringLiteral("translations/plicario_it.qm"))).size() > 0);
    }
};

QTEST_GUILESS_MAIN(TestDefaultGenerator)
#include "test_default_generator.moc"
