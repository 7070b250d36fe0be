// Model files (every file not named *_window, *_dialog, *_widget or *_gui) never include a QtWidgets or
// QtPrintSupport header nor a window's header, so the model builds and is tested without widgets. And the folders
// stand in one order: a file includes its own folder and the folders below it, never one above or beside it.
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

struct Include
{
    bool angled;
    QString name;
};

struct Source
{
    QString relative; // to the root
    QList<Include> includes;
};

// Every source file under `root` with its includes; an unreadable file becomes a fault.
QList<Source> sourcesOf(const QString& root, QStringList& faults)
{
    QList<Source> sources;
    QDirIterator it(root, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(root).relativeFilePath(path);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            faults << relative + QStringLiteral(": unreadable");
            continue;
        }
        QList<Include> includes;
        while (!file.atEnd()) {
            const auto match = kInclude.match(QString::fromUtf8(file.readLine()));
            if (match.hasMatch())
                includes.append({match.captured(1) == u"<", match.captured(2)});
        }
        sources.append({relative, includes});
    }
    return sources;
}

// "relative/path: include" for every forbidden include of the model files under `root`.
QStringList layeringFaults(const QString& root, const QSet<QString>& uiHeaders)
{
    QStringList faults;
    for (const auto& [relative, includes] : sourcesOf(root, faults)) {
        if (kUiName.match(QFileInfo(relative).completeBaseName()).hasMatch() || relative == u"app/main.cpp")
            continue;
        for (const Include& include : includes)
            if (isUiInclude(include.name, include.angled, uiHeaders))
                faults << relative + QStringLiteral(": ") + include.name;
    }
    faults.sort();
    return faults;
}

// The folders of src/ from the bottom up. The report engine, the page templates and the print windows of one page
// sit in printing/, below the applications that open them; the batch tool shares the top floor with the program and
// includes neither it nor, being model code, any window (the rule above sees to that).
const QList<QStringList> kFloors = {{QStringLiteral("common")},    {QStringLiteral("access")},
                                    {QStringLiteral("help")},      {QStringLiteral("printing")},
                                    {QStringLiteral("addresses")}, {QStringLiteral("labels")},
                                    {QStringLiteral("register")},  {QStringLiteral("app"), QStringLiteral("cli")}};

int floorOf(const QString& folder)
{
    for (int floor = 0; floor < kFloors.size(); ++floor)
        if (kFloors[floor].contains(folder))
            return floor;
    return -1;
}

// "relative/path: include" for every quoted include that names a folder above or beside the file's own (or no folder
// at all), and "name: not in the folder order" for anything under `root` outside the ordered folders.
QStringList folderOrderFaults(const QString& root)
{
    QStringList faults;
    for (const QString& entry : QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        if (floorOf(entry) < 0)
            faults << entry + QStringLiteral(": not in the folder order");
    for (const auto& [relative, includes] : sourcesOf(root, faults)) {
        const QString folder = relative.section(u'/', 0, 0);
        const int floor = floorOf(folder);
        if (floor < 0)
            continue; // its folder is a fault already
        for (const Include& include : includes) {
            const QString target = include.name.section(u'/', 0, 0);
            const int targetFloor = floorOf(target);
            if (!include.angled && target != folder && (targetFloor < 0 || targetFloor >= floor))
                faults << relative + QStringLiteral(": ") + include.name;
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

    void fixtureFolderOrderFaultsAreFound()
    {
        const QStringList expected = {
            QStringLiteral("cli/dump_command.cpp: app/desktop_shell.h"),
            QStringLiteral("common/text_rules.cpp: labels/label_sheet.h"),
            QStringLiteral("labels/sheet_rules.cpp: register/register_card.h"),
            QStringLiteral("labels/sheet_rules.cpp: sheet_rules.h"),
            QStringLiteral("model: not in the folder order"),
            QStringLiteral("printing/page_layout.cpp: addresses/address_card.h"),
        };
        QCOMPARE(folderOrderFaults(QStringLiteral(PLICARIO_SOURCE_DIR "/tests/common/layering_fixture/src")), expected);
    }

    void foldersIncludeOnlyTheirOwnAndLower()
    {
        const QString src = QStringLiteral(PLICARIO_SOURCE_DIR "/src");
        QVERIFY(QFileInfo::exists(src + QStringLiteral("/common/record_file.cpp")));
        const QStringList faults = folderOrderFaults(src);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestLayering)
#include "test_layering.moc"
