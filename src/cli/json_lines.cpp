#include "cli/json_lines.h"

#include "cli/cli_io.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

namespace JsonLines {

namespace {
void appendString(QByteArray& out, const QString& text)
{
    out += '"';
    const QByteArray utf8 = text.toUtf8();
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20)
                out += QByteArray("\\u00") + QByteArray::number(c, 16).rightJustified(2, '0');
            else
                out += ch;
        }
    }
    out += '"';
}
} // namespace

QByteArray objectLine(std::span<const FieldSpec> fields, const QStringList& values)
{
    QByteArray out = "{";
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i)
            out += ',';
        appendString(out, QString::fromLatin1(fields[i].name));
        out += ':';
        appendString(out, values[int(i)]);
    }
    out += '}';
    return out;
}

namespace {

// The keys at the top level of a valid JSON object text, as written (quotes included). QJsonObject keeps one of
// two equal keys, so only the text shows a repeated one.
QList<QByteArray> topLevelKeys(const QByteArray& json)
{
    QList<QByteArray> keys;
    int depth = 0;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            --depth;
        } else if (c == '"') {
            const qsizetype start = i;
            for (++i; i < json.size() && json[i] != '"'; ++i)
                if (json[i] == '\\')
                    ++i;
            qsizetype next = i + 1;
            while (next < json.size() &&
                   (json[next] == ' ' || json[next] == '\t' || json[next] == '\n' || json[next] == '\r'))
                ++next;
            if (depth == 1 && next < json.size() && json[next] == ':')
                keys.append(json.mid(start, i + 1 - start));
        }
    }
    return keys;
}

// The first key written twice (escapes decoded), for the message.
QString repeatedKey(const QList<QByteArray>& keys)
{
    QStringList seen;
    for (const QByteArray& quoted : keys) {
        const QString key = QJsonDocument::fromJson('[' + quoted + ']').array().at(0).toString();
        if (seen.contains(key))
            return key;
        seen.append(key);
    }
    return QString();
}

} // namespace

QStringList parseObject(std::span<const FieldSpec> fields, const QByteArray& line)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        throw UsageError{QStringLiteral("JSON non valido: %1").arg(Cli::echo(QString::fromUtf8(line)))};
    QStringList values(int(fields.size()));
    const QJsonObject object = doc.object();
    const QList<QByteArray> keys = topLevelKeys(line);
    if (keys.size() != object.size())
        throw UsageError{QStringLiteral("Il campo %1 compare due volte").arg(Cli::echo(repeatedKey(keys)))};
    for (auto it = object.begin(); it != object.end(); ++it) {
        int index = -1;
        for (size_t i = 0; i < fields.size(); ++i)
            if (it.key() == QLatin1String(fields[i].name))
                index = int(i);
        if (index < 0)
            throw UsageError{QStringLiteral("Campo sconosciuto: %1").arg(Cli::echo(it.key()))};
        if (!it.value().isString())
            throw UsageError{QStringLiteral("Il campo %1 deve essere un testo").arg(Cli::echo(it.key()))};
        values[index] = it.value().toString();
    }
    return values;
}

} // namespace JsonLines
