#include "addresses/contact_file.h"

#include "addresses/contact_text.h"
#include "addresses/vcard_reader.h"
#include "common/text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <iterator>

ContactFile ContactFile::read(const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    // A device or a pipe has no size to check and may never end (/dev/zero): only plain files are read.
    if (info.exists() && !info.isDir() && !info.isFile())
        throw ContactFileError(QStringLiteral("%1 non è un file ma un dispositivo o una pipe: indicare un file CSV o "
                                              "vCard salvato su disco.")
                                   .arg(shown),
                               0);
    if (info.isDir())
        throw PlicarioError(QStringLiteral("%1 è una cartella: indicare il file CSV o vCard da importare.").arg(shown));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw PlicarioError(QStringLiteral("Impossibile leggere il file %1.").arg(shown));
    const auto tooLarge = [] {
        return ContactFileError(QStringLiteral("Il file è troppo grande per essere una rubrica (oltre 64 MB)."), 0);
    };
    if (file.size() > kMaxBytes)
        throw tooLarge();
    // Read no further than the limit, whatever the size said: the file may grow while it is read.
    QByteArray bytes = file.read(kMaxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw PlicarioError(QStringLiteral("Impossibile leggere il file %1.").arg(shown));
    if (bytes.size() > kMaxBytes)
        throw tooLarge();
    return fromBytes(std::move(bytes));
}

ContactFile ContactFile::parse(const QByteArray& bytes)
{
    return fromBytes(bytes);
}

ContactFile ContactFile::fromBytes(QByteArray bytes)
{
    ContactFile f;
    if (VCardReader::looksLikeVCard(bytes)) {
        f.m_format = Format::VCard;
        // A file that cannot be read is refused now, not half way through an import.
        f.m_vcardCount = VCardReader::check(bytes);
        f.m_vcardBytes = std::move(bytes);
        return f;
    }
    QString text = ContactText::decodeFile(bytes, &f.m_strayLines, &f.m_strayLineCount);
    bytes = QByteArray(); // the text is all the table needs
    // A text file never holds NUL: this is a picture, a spreadsheet in a binary format or the like.
    if (text.contains(QChar(0)))
        throw ContactFileError(QStringLiteral("Il file non è un file CSV né una rubrica vCard: salvarlo come testo "
                                              "CSV (separato da virgole o punti e virgola) e riprovare."),
                               0);
    // A sheet saved as a web page (our own .xls export among them) would make one card of its markup.
    const QString start = Text::trimmedView(QStringView(text).left(1024)).toString().toLower();
    if (start.startsWith(u"<html") || start.startsWith(u"<!doctype") || start.startsWith(u"<?xml"))
        throw ContactFileError(QStringLiteral("Il file è una pagina HTML o XML (come i fogli .xls che il programma "
                                              "esporta), non un file CSV: salvarlo come CSV e riprovare."),
                               0);
    f.m_format = Format::Csv;
    f.m_table = CsvTable::parse(text);
    // One known name among cells with figures is a data row whose type or note happens to be a column's name
    // ("Azienda", "Note"); header names hold no house numbers or postcodes.
    qsizetype known = 0;
    bool figures = false;
    for (const QString& cell : f.m_table.header) {
        if (CsvContacts::guess(cell).field != CsvContacts::Field::None)
            ++known;
        else
            figures = figures || std::any_of(cell.cbegin(), cell.cend(), [](QChar c) { return c.isDigit(); });
    }
    f.m_looksLikeHeader = known >= 2 || (known == 1 && !figures);
    f.setFirstRowIsData(!f.m_looksLikeHeader && !f.m_table.header.isEmpty());
    return f;
}

void ContactFile::setFirstRowIsData(bool data)
{
    m_firstRowIsData = data && !m_table.header.isEmpty();
    if (!m_firstRowIsData) {
        m_columns = CsvContacts::guessColumns(m_table.header);
        return;
    }
    using F = CsvContacts::Field;
    static constexpr F kExportOrder[] = {F::CardName, F::Type,  F::Line1, F::Line2, F::Line3,
                                         F::Line4,    F::Line5, F::Line6, F::Notes};
    m_columns.clear();
    for (qsizetype i = 0; i < m_table.header.size(); ++i)
        m_columns.append({i < qsizetype(std::size(kExportOrder)) ? kExportOrder[i] : F::None, 0});
}

QList<Contact> ContactFile::contacts() const
{
    return contacts(m_columns);
}

QList<Contact> ContactFile::contacts(const QList<CsvContacts::Column>& columns) const
{
    QList<Contact> out;
    out.reserve(contactCount());
    forEachContact(columns, [&](const Contact& c) { out.append(c); });
    return out;
}

qsizetype ContactFile::contactCount() const
{
    if (m_format == Format::VCard)
        return m_vcardCount;
    return m_table.rows.size() + (m_firstRowIsData ? 1 : 0);
}

void ContactFile::forEachContact(const std::function<void(const Contact&)>& visit) const
{
    forEachContact(m_columns, visit);
}

void ContactFile::forEachContact(const QList<CsvContacts::Column>& columns,
                                 const std::function<void(const Contact&)>& visit) const
{
    if (m_format == Format::VCard) {
        VCardReader::read(m_vcardBytes, [&](Contact&& c) { visit(c); });
        return;
    }
    if (m_firstRowIsData)
        visit(CsvContacts::contact({m_table.headerLine, m_table.header}, columns));
    for (const CsvTable::Row& row : m_table.rows)
        visit(CsvContacts::contact(row, columns));
}
