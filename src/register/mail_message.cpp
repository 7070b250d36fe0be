#include "register/mail_message.h"

#include "addresses/attachments.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimeZone>
#include <QXmlStreamReader>
#include <fcntl.h>
#include <functional>
#include <gmime/gmime.h>
#include <memory>

namespace {

struct Unref
{
    void operator()(gpointer object) const
    {
        if (object)
            g_object_unref(object);
    }
};
template <typename T> using Owned = std::unique_ptr<T, Unref>;

QString text(const char* utf8)
{
    return utf8 ? QString::fromUtf8(utf8).trimmed() : QString();
}

// What the parser noticed while reading: a structure damaged enough that parts of the message may be missing.
struct Damage
{
    bool found = false;
};

void noticeWarning(gint64, GMimeParserWarning code, const gchar*, gpointer data)
{
    switch (code) {
    case GMIME_WARN_MALFORMED_MULTIPART:
    case GMIME_WARN_TRUNCATED_MESSAGE:
    case GMIME_WARN_MALFORMED_MESSAGE:
    case GMIME_CRIT_INVALID_HEADER_NAME:
    case GMIME_CRIT_CONFLICTING_HEADER:
    case GMIME_CRIT_CONFLICTING_PARAMETER:
    case GMIME_CRIT_MULTIPART_WITHOUT_BOUNDARY:
    case GMIME_CRIT_NESTING_OVERFLOW:
    case GMIME_CRIT_PART_WITHOUT_HEADERS_OR_CONTENT:
        static_cast<Damage*>(data)->found = true;
        break;
    default:
        break;
    }
}

const QString kDamaged = QStringLiteral("Il messaggio è danneggiato o incompleto: la sua struttura MIME non si può "
                                        "leggere per intero. Salvarlo di nuovo dal programma di posta.");

// The files written so far, removed again unless the reading ends well.
class Written
{
public:
    explicit Written(QString folder) : m_folder(std::move(folder)) {}
    ~Written()
    {
        if (!m_kept)
            for (const MailMessage::Attachment& a : m_files)
                QFile::remove(a.path);
    }
    // A free path in the folder for a file the sender named `name`.
    QString pathFor(const QString& name) const
    {
        QString safe = Attachments::documentName(name);
        if (safe.isEmpty())
            safe = QStringLiteral("allegato");
        // A card keeps a name of up to 250 characters: room is left for a number that tells two files apart.
        if (safe.size() > 200) {
            const QString suffix = QFileInfo(safe).suffix().left(20);
            safe = safe.left(200 - suffix.size() - 1) + (suffix.isEmpty() ? QString() : u'.' + suffix);
        }
        return QDir(m_folder).filePath(MailReader::freeName(m_folder, safe));
    }
    void add(const MailMessage::Attachment& a) { m_files.append(a); }
    QList<MailMessage::Attachment> keep()
    {
        m_kept = true;
        return m_files;
    }
    const QString& folder() const { return m_folder; }

private:
    QString m_folder;
    QList<MailMessage::Attachment> m_files;
    bool m_kept = false;
};

// Writes one attachment (a part's decoded content, or a whole attached message) to a new file named after it.
void writeOut(Written& written, const QString& name, const std::function<gssize(GMimeStream*)>& write)
{
    const QString path = written.pathFor(name);
    GError* error = nullptr;
    Owned<GMimeStream> out(g_mime_stream_fs_open(QFile::encodeName(path).constData(),
                                                 O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644, &error));
    if (!out) {
        g_clear_error(&error);
        throw MailRefusal{QStringLiteral("Impossibile scrivere l'allegato \"%1\" nella cartella %2.")
                              .arg(name, QDir::toNativeSeparators(written.folder()))};
    }
    written.add({name, path, 0});
    if (write(out.get()) == -1 || g_mime_stream_flush(out.get()) == -1 || g_mime_stream_close(out.get()) == -1)
        throw MailRefusal{
            QStringLiteral("Impossibile scrivere l'allegato \"%1\": il disco potrebbe essere pieno.").arg(name)};
}

struct Walk
{
    GMimeObject* body = nullptr;
    Written* written = nullptr;
    QString problem;
};

void visitPart(GMimeObject*, GMimeObject* part, gpointer data)
{
    auto* walk = static_cast<Walk*>(data);
    if (!walk->problem.isEmpty() || part == walk->body)
        return;
    try {
        if (GMIME_IS_MESSAGE_PART(part)) {
            GMimeMessage* inner = g_mime_message_part_get_message(GMIME_MESSAGE_PART(part));
            if (!inner)
                return;
            QString name = text(g_mime_object_get_content_disposition_parameter(part, "filename"));
            if (name.isEmpty())
                name = text(g_mime_message_get_subject(inner)) + QStringLiteral(".eml");
            writeOut(*walk->written, name, [inner](GMimeStream* out) {
                return g_mime_object_write_to_stream(GMIME_OBJECT(inner), nullptr, out);
            });
            return;
        }
        if (!GMIME_IS_PART(part))
            return;
        GMimePart* leaf = GMIME_PART(part);
        const QString name = text(g_mime_part_get_filename(leaf));
        // An image shown inside the text belongs to the text: only what the sender attached is an attachment.
        const bool attached =
            g_mime_part_is_attachment(leaf) || (!name.isEmpty() && !g_mime_object_get_content_disposition(part));
        if (!attached)
            return;
        GMimeDataWrapper* content = g_mime_part_get_content(leaf);
        writeOut(*walk->written, name, [content](GMimeStream* out) {
            return content ? g_mime_data_wrapper_write_to_stream(content, out) : gssize(0);
        });
    } catch (const MailRefusal& r) {
        walk->problem = r.message;
    }
}

// The text of the body, converted from its charset; HTML without its tags.
QString bodyText(GMimeObject* body)
{
    if (!body || !GMIME_IS_TEXT_PART(body))
        return {};
    const char* charset = g_mime_object_get_content_type_parameter(body, "charset");
    if (charset && *charset) {
        iconv_t cd = g_mime_iconv_open("UTF-8", charset);
        if (cd == (iconv_t)-1)
            throw MailRefusal{QStringLiteral("Il testo del messaggio è scritto con una codifica sconosciuta (%1): "
                                             "non si può leggere senza alterarlo.")
                                  .arg(QString::fromLatin1(charset).left(40))};
        g_mime_iconv_close(cd);
    }
    char* raw = g_mime_text_part_get_text(GMIME_TEXT_PART(body));
    QString result = QString::fromUtf8(raw);
    g_free(raw);
    GMimeContentType* type = g_mime_object_get_content_type(body);
    if (type && g_mime_content_type_is_type(type, "text", "html")) {
        static const QRegularExpression kBlocks(QStringLiteral("<(br|/p|/div|/li|/tr)[^>]*>"),
                                                QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression kTags(QStringLiteral("<[^>]*>"));
        result.replace(kBlocks, QStringLiteral("\n"));
        result.remove(kTags);
        result.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "))
            .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    }
    return result.trimmed();
}

// The provider's data of a PEC (daticert.xml): its id, the kind of message and the time of delivery.
struct ProviderData
{
    QString kind;
    QString id;
    QString provider;
    QDateTime delivered;
};

ProviderData readProviderData(const QByteArray& xml)
{
    ProviderData d;
    QXmlStreamReader reader(xml);
    QString day, time, zone;
    while (!reader.atEnd() && !reader.hasError()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = reader.name();
        if (name == u"postacert")
            d.kind = reader.attributes().value(QLatin1String("tipo")).toString();
        else if (name == u"data")
            zone = reader.attributes().value(QLatin1String("zona")).toString();
        else if (name == u"giorno")
            day = reader.readElementText().trimmed();
        else if (name == u"ora")
            time = reader.readElementText().trimmed();
        else if (name == u"identificativo")
            d.id = reader.readElementText().trimmed();
        else if (name == u"gestore-emittente")
            d.provider = reader.readElementText().trimmed();
    }
    QDateTime at = QDateTime::fromString(day + u' ' + time, QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    static const QRegularExpression kZone(QStringLiteral("^([+-])(\\d\\d)(\\d\\d)$"));
    if (const QRegularExpressionMatch m = kZone.match(zone); at.isValid() && m.hasMatch()) {
        const int seconds =
            (m.captured(2).toInt() * 3600 + m.captured(3).toInt() * 60) * (m.captured(1) == u"-" ? -1 : 1);
        at.setTimeZone(QTimeZone(seconds));
    }
    d.delivered = at;
    return d;
}

QByteArray partBytes(GMimePart* part)
{
    GMimeDataWrapper* content = g_mime_part_get_content(part);
    if (!content)
        return {};
    Owned<GMimeStream> memory(g_mime_stream_mem_new());
    if (g_mime_data_wrapper_write_to_stream(content, memory.get()) == -1)
        return {};
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(memory.get()));
    return QByteArray(reinterpret_cast<const char*>(bytes->data), qsizetype(bytes->len));
}

// The parts of a PEC envelope the register needs.
struct Envelope
{
    GMimePart* providerData = nullptr; // daticert.xml
    GMimeMessage* original = nullptr;  // postacert.eml
    bool signature = false;            // smime.p7s
};

void visitEnvelope(GMimeObject*, GMimeObject* part, gpointer data)
{
    auto* e = static_cast<Envelope*>(data);
    const char* name = GMIME_IS_PART(part) ? g_mime_part_get_filename(GMIME_PART(part))
                                           : g_mime_object_get_content_disposition_parameter(part, "filename");
    const QString file = text(name).toLower();
    if (GMIME_IS_MESSAGE_PART(part) && file == u"postacert.eml")
        e->original = g_mime_message_part_get_message(GMIME_MESSAGE_PART(part));
    else if (GMIME_IS_PART(part) && file == u"daticert.xml")
        e->providerData = GMIME_PART(part);
    else if (GMIME_IS_APPLICATION_PKCS7_MIME(part) || GMIME_IS_PART(part)) {
        GMimeContentType* type = g_mime_object_get_content_type(part);
        if (file == u"smime.p7s" || (type && g_mime_content_type_is_type(type, "application", "pkcs7-signature")))
            e->signature = true;
    }
}

void readMessage(GMimeMessage* message, Written& written, MailMessage& out)
{
    InternetAddressList* from = g_mime_message_get_from(message);
    if (from && internet_address_list_length(from) > 0) {
        InternetAddress* first = internet_address_list_get_address(from, 0);
        out.senderName = text(internet_address_get_name(first));
        if (INTERNET_ADDRESS_IS_MAILBOX(first))
            out.senderAddress = text(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(first)));
    }
    if (InternetAddressList* to = g_mime_message_get_to(message)) {
        for (int i = 0; i < internet_address_list_length(to); ++i) {
            InternetAddress* a = internet_address_list_get_address(to, i);
            char* shown = internet_address_to_string(a, nullptr, FALSE);
            out.recipients << text(shown);
            g_free(shown);
        }
    }
    out.subject = text(g_mime_message_get_subject(message));
    if (GDateTime* date = g_mime_message_get_date(message)) {
        out.date = QDateTime::fromSecsSinceEpoch(g_date_time_to_unix(date),
                                                 QTimeZone(int(g_date_time_get_utc_offset(date) / G_TIME_SPAN_SECOND)));
    }
    GMimeObject* body = g_mime_message_get_body(message);
    out.text = bodyText(body);
    Walk walk{body, &written, {}};
    g_mime_message_foreach(message, visitPart, &walk);
    if (!walk.problem.isEmpty())
        throw MailRefusal{walk.problem};
}

} // namespace

namespace MailReader {

QString freeName(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    const QFileInfo info(name);
    QString candidate = name;
    for (int n = 2; QFileInfo::exists(dir.filePath(candidate)); ++n)
        candidate = info.suffix().isEmpty()
                        ? QStringLiteral("%1 (%2)").arg(name).arg(n)
                        : QStringLiteral("%1 (%2).%3").arg(info.completeBaseName()).arg(n).arg(info.suffix());
    return candidate;
}

MailMessage read(const QString& path, const QString& folder)
{
    static const bool initialised = [] {
        g_mime_init();
        return true;
    }();
    Q_UNUSED(initialised);

    const QFileInfo info(path);
    if (!info.isFile())
        throw MailRefusal{QStringLiteral("\"%1\" non è un file di messaggio.").arg(QDir::toNativeSeparators(path))};
    GError* error = nullptr;
    Owned<GMimeStream> stream(
        g_mime_stream_fs_open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC, 0, &error));
    if (!stream) {
        g_clear_error(&error);
        throw MailRefusal{QStringLiteral("Impossibile leggere il file \"%1\".").arg(QDir::toNativeSeparators(path))};
    }
    Damage damage;
    GMimeParserOptions* options = g_mime_parser_options_new();
    g_mime_parser_options_set_warning_callback(options, noticeWarning, &damage);
    Owned<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
    // The parts' contents stay in the file until they are written out.
    g_mime_parser_set_persist_stream(parser.get(), TRUE);
    Owned<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), options));
    g_mime_parser_options_free(options);

    const QString notAMessage =
        QStringLiteral("Il file \"%1\" non è un messaggio di posta elettronica (.eml).").arg(info.fileName());
    if (!message || !g_mime_message_get_mime_part(message.get()))
        throw MailRefusal{notAMessage};
    GMimeObject* top = GMIME_OBJECT(message.get());
    if (!g_mime_message_get_from(message.get()) ||
        internet_address_list_length(g_mime_message_get_from(message.get())) == 0) {
        if (!g_mime_message_get_subject(message.get()) && !g_mime_message_get_date(message.get()))
            throw MailRefusal{notAMessage};
        throw MailRefusal{QStringLiteral("Il messaggio non indica il mittente: non si può protocollare.")};
    }
    if (damage.found)
        throw MailRefusal{kDamaged};

    Written written(folder);
    MailMessage out;
    if (const char* receipt = g_mime_object_get_header(top, "X-Ricevuta")) {
        throw MailRefusal{QStringLiteral("Il messaggio è una ricevuta della posta certificata (%1), non un documento "
                                         "da protocollare: si conserva insieme al messaggio a cui si riferisce.")
                              .arg(text(receipt))};
    }
    const QString transport = text(g_mime_object_get_header(top, "X-Trasporto")).toLower();
    if (!transport.isEmpty()) {
        Envelope envelope;
        g_mime_message_foreach(message.get(), visitEnvelope, &envelope);
        if (transport != u"posta-certificata" || !envelope.original || !envelope.providerData)
            throw MailRefusal{QStringLiteral("La busta di posta certificata (%1) non contiene il messaggio originale "
                                             "(postacert.eml) e i dati del gestore (daticert.xml): non si può "
                                             "protocollare.")
                                  .arg(transport)};
        const ProviderData data = readProviderData(partBytes(envelope.providerData));
        readMessage(envelope.original, written, out);
        out.certified = MailMessage::Certified{data.id, data.kind.isEmpty() ? transport : data.kind, data.provider,
                                               envelope.signature};
        if (data.delivered.isValid())
            out.date = data.delivered;
    } else {
        readMessage(message.get(), written, out);
    }
    if (out.senderAddress.isEmpty() && out.senderName.isEmpty())
        throw MailRefusal{QStringLiteral("Il messaggio non indica il mittente: non si può protocollare.")};
    if (out.subject.isEmpty())
        throw MailRefusal{QStringLiteral("Il messaggio non ha un oggetto: non si può protocollare.")};
    out.attachments = written.keep();
    for (MailMessage::Attachment& a : out.attachments)
        a.size = QFileInfo(a.path).size();
    return out;
}

} // namespace MailReader
