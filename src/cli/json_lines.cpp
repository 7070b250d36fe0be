#include "cli/json_lines.h"

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

QStringList parseObject(std::span<const FieldSpec> fields, const QByteArray& line)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        throw UsageError{QStringLiteral("JSON non valido: %1").arg(QString::fromUtf8(line.left(80)))};
    QStringList values(int(fields.size()));
    const QJsonObject object = doc.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        int index = -1;
        for (size_t i = 0; i < fields.size(); ++i)
            if (it.key() == QLatin1String(fields[i].name))
                index = int(i);
        if (index < 0)
            throw UsageError{QStringLiteral("Campo sconosciuto: %1").arg(it.key())};
        if (!it.value().isString())
            throw UsageError{QStringLiteral("Il campo %1 deve essere un testo").arg(it.key())};
        values[index] = it.value().toString();
    }
    return values;
}

} // namespace JsonLines
