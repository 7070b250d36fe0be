// Model files (every file not named *_window, *_dialog, *_widget or *_gui) never include a QtWidgets or
// QtPrintSupport header nor a window's header, so the model builds and is tested without widgets.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTest>

namespace {

const QRegularExpression kUiName(QStringLiteral("_(window|dialog|widget|gui)$"));
// An include line: the bracket and the name. "\x23" is "#": moc takes a bare one in a raw string for a directive.
const QRegularExpression kInclude(QStringLiteral("^\\s*\\x23\\s*include\\s*([<\"])([^>\"]+)[>\"]"));

QSet<QString> headersOf(const QString& module)
{
    const QDir dir(QLibraryInfo::path(QLibraryInfo::HeadersPath) + QLatin1Char('/') + module);
    const QStringList names = dir.entryList(QDir::Files);
    return QSet<QString>(names.begin(), names.end());
}

bool isUiInclude(const QString& include, bool angled, const QSet<QString>& uiHeaders)
{
    if (angled)
        return include.startsWith(QLatin1String("QtWidgets")) || include.startsWith(QLatin1String("QtPrintSupport")) ||
               uiHeaders.contains(include);
    return kUiName.match(QFileInfo(include).completeBaseName()).hasMatch();
}

// "relative/path: include" for every forbidden include of the model files under `root`.
QStringList layeringFaults(const QString& root, const QSet<QString>& uiHeaders)
{
    QStringList faults;
    QDirIterator it(root, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(root).relativeFilePath(path);
        if (kUiName.match(QFileInfo(path).completeBaseName()).hasMatch() || relative == QLatin1String("app/main.cpp"))
            continue;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            faults << relative + QStringLiteral(": unreadable");
            continue;
        }
        while (!file.atEnd()) {
            const auto match = kInclude.match(QString::fromUtf8(file.readLine()));
            if (match.hasMatch() && isUiInclude(match.captured(2), match.captured(1) == u"<", uiHeaders))
                faults << relative + QStringLiteral(": ") + match.captured(2);
        }
    }
    faults.sort();
    return faults;
}

} // namespace

class TestLayering : public QObject
{
    Q_OBJECT

    QSet<QString> m_uiHeaders;

private Q_SLOTS:
    void initTestCase()
    {
        m_uiHeaders = headersOf(QStringLiteral("QtWidgets")) + headersOf(QStringLiteral("QtPrintSupport"));
        // Without Qt's header lists the check could not see a widget include at all.
        QVERIFY(m_uiHeaders.contains(QStringLiteral("QLineEdit")));
        QVERIFY(m_uiHeaders.contains(QStringLiteral("QPrinter")));
        QVERIFY(!m_uiHeaders.contains(QStringLiteral("QColor")));
    }

    void fixtureFaultsAreFound()
    {
        const QStringList expected = {QStringLiteral("model/card_reader.cpp: QLineEdit"),
                                      QStringLiteral("model/card_rules.cpp: addresses/address_archive_window.h"),
                                      QStringLiteral("model/page_model.h: QtPrintSupport/QPrinter")};
        QCOMPARE(layeringFaults(QStringLiteral(PLICARIO_SOURCE_DIR "/tests/common/layering_fixture/src"), m_uiHeaders),
                 expected);
    }

    void modelFilesIncludeNoWidgets()
    {
        const QString src = QStringLiteral(PLICARIO_SOURCE_DIR "/src");
        QVERIFY(QFileInfo::exists(src + QStringLiteral("/common/record_file.cpp")));
        const QStringList faults = layeringFaults(src, m_uiHeaders);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestLayering)
#include "test_layering.moc"
