#include "common/ini_file.h"

#include "common/ansi.h"
#include "common/errors.h"
#include "common/text.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Line
{
    QByteArray bytes; // without its line end
    QString text;     // decoded
};

struct Parsed
{
    QList<Line> lines;
    QByteArray bom;
    QByteArray eol = "\r\n";
    bool endsWithEol = true;
};

// A file saved by a UTF-8 editor reads as UTF-8; anything else is windows-1252. Decided line by line, since a
// hand-edited file may mix both.
QString decodeLine(const QByteArray& bytes)
{
    bool ascii = true;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(bytes);
    if (!utf8.hasError())
        return decoded;
    return Ansi::toUnicode(bytes);
}

Parsed parse(const QByteArray& content)
{
    Parsed p;
    QByteArray data = content;
    if (data.startsWith("\xEF\xBB\xBF")) {
        p.bom = data.left(3);
        data.remove(0, 3);
    }
    if (data.isEmpty())
        return p;
    p.eol = data.contains("\r\n") ? QByteArray("\r\n") : QByteArray("\n");
    p.endsWithEol = data.endsWith('\n');
    QList<QByteArray> raw = data.split('\n');
    if (p.endsWithEol)
        raw.removeLast();
    for (QByteArray& b : raw) {
        if (b.endsWith('\r'))
            b.chop(1);
        p.lines.append({b, decodeLine(b)});
    }
    return p;
}

// The section name of a "[name]" line, or a null string for any other line.
QString sectionName(const QString& line)
{
    const QString t = Text::trimmed(line);
    if (t.startsWith(u'[')) {
        const qsizetype close = t.indexOf(u']');
        if (close > 0)
            return Text::trimmed(QStringView(t).sliced(1, close - 1));
    }
    return QString();
}

bool isComment(const QString& line)
{
    return Text::trimmed(line).startsWith(u';');
}

// Key name of a "key=value" line, or a null string.
QString keyName(const QString& line, QString* value = nullptr)
{
    if (isComment(line))
        return QString();
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return QString();
    if (value)
        *value = Text::trimmed(QStringView(line).sliced(eq + 1));
    return Text::trimmed(QStringView(line).first(eq));
}

bool sameName(const QString& a, const QString& b)
{
    return Text::upperAscii(Text::trimmed(a)) == Text::upperAscii(Text::trimmed(b));
}

// Index of the first line of the first section called `section`, or -1.
int findSection(const Parsed& p, const QString& section)
{
    for (int i = 0; i < p.lines.size(); ++i) {
        const QString name = sectionName(p.lines[i].text);
        if (!name.isNull() && sameName(name, section))
            return i;
    }
    return -1;
}

// The archives' advisory lock, held on the INI file for a whole read-edit-replace so that two instances writing
// different keys never lose one of the updates. The replace puts a new file in place, so a writer that waited on
// the old one locks again whatever the name now holds.
class WriteLock
{
public:
    explicit WriteLock(const QString& path)
    {
        const QByteArray native = QFile::encodeName(path);
        for (;;) {
            m_fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
            if (m_fd < 0 && errno == EINTR)
                continue;
            if (m_fd < 0)
                return;
            int rc;
            do {
                rc = ::flock(m_fd, LOCK_EX);
            } while (rc != 0 && errno == EINTR);
            struct stat held
            {
            };
            struct stat named
            {
            };
            if (rc != 0 || ::fstat(m_fd, &held) != 0) {
                release();
                return;
            }
            if (::stat(native.constData(), &named) == 0 && named.st_dev == held.st_dev && named.st_ino == held.st_ino)
                return;
            release(); // replaced while we waited
        }
    }
    ~WriteLock() { release(); }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

    bool held() const { return m_fd >= 0; }

private:
    void release()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

    int m_fd = -1;
};

QByteArray readAll(const QString& path, bool* exists)
{
    QFile file(path);
    *exists = file.exists();
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

} // namespace

IniFile::IniFile(const QString& path) : m_path(path) {}

QString IniFile::read(const QString& section, const QString& key, const QString& defaultValue) const
{
    bool exists = false;
    const Parsed p = parse(readAll(m_path, &exists));
    const int start = findSection(p, section);
    if (start < 0)
        return defaultValue;
    for (int i = start + 1; i < p.lines.size(); ++i) {
        const QString& line = p.lines[i].text;
        if (!sectionName(line).isNull())
            break;
        QString value;
        const QString name = keyName(line, &value);
        if (!name.isNull() && sameName(name, key)) {
            // Like the platform, a value in matching quotes reads without them.
            if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
                value = value.sliced(1, value.size() - 2);
            return value;
        }
    }
    return defaultValue;
}

void IniFile::write(const QString& section, const QString& key, const QString& value) const
{
    const QString failed = QStringLiteral("Impossibile scrivere il file delle impostazioni %1.").arg(m_path);
    const WriteLock lock(m_path);
    if (!lock.held())
        throw SettingsError(failed);
    bool exists = false;
    Parsed p = parse(readAll(m_path, &exists));
    const QByteArray newLine = Ansi::fromUnicode(Text::trimmed(key)) + '=' + Ansi::fromUnicode(Text::trimmed(value));

    const int start = findSection(p, section);
    if (start < 0) {
        // A blank line before a new section keeps the file readable.
        if (!p.lines.isEmpty() && !Text::trimmed(p.lines.last().text).isEmpty())
            p.lines.append({QByteArray(), QString()});
        p.lines.append({'[' + Ansi::fromUnicode(Text::trimmed(section)) + ']', QString()});
        p.lines.append({newLine, QString()});
    } else {
        int end = start + 1; // one past the section's last line
        int lastContent = start;
        bool replaced = false;
        for (; end < p.lines.size(); ++end) {
            const QString& line = p.lines[end].text;
            if (!sectionName(line).isNull())
                break;
            const QString name = keyName(line);
            if (!name.isNull() && sameName(name, key)) {
                p.lines[end].bytes = newLine;
                replaced = true;
                break;
            }
            if (!Text::trimmed(line).isEmpty())
                lastContent = end;
        }
        if (!replaced)
            p.lines.insert(lastContent + 1, {newLine, QString()});
    }

    QByteArray out = p.bom;
    for (int i = 0; i < p.lines.size(); ++i) {
        out += p.lines[i].bytes;
        if (i + 1 < p.lines.size() || p.endsWithEol || !exists)
            out += p.eol;
    }

    // Unbuffered: a buffered QSaveFile only meets a full disk when it closes, and then commits a truncated file.
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(out) != out.size() || !file.commit())
        throw SettingsError(failed);
}
