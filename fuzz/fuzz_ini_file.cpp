// The INI files: any bytes (windows-1252 or UTF-8, any line ends, a BOM, damaged sections) as a settings file. A
// write must read back, and must leave every other key as it read before.
#include "common/errors.h"
#include "common/ini_file.h"
#include "fuzz/fuzz_support.h"

#include <array>
#include <cstdint>

namespace {

struct Key
{
    const char* section;
    const char* key;
};

// The keys the program reads, and a few that tend to collide with them.
constexpr std::array<Key, 7> kKeys{{{"Accesso", "Valore"},
                                    {"Margini Busta", "Superiore"},
                                    {"Margini Busta", "Sinistro"},
                                    {"Stampa Busta", "Orientamento"},
                                    {"Numerazione Protocollo", "Inizio"},
                                    {"Numerazione Protocollo", "Indicazione Anno Solare"},
                                    {"Protocollo Documenti", "Ufficio"}}};

QStringList readAll(const IniFile& ini)
{
    QStringList values;
    for (const Key& k : kKeys)
        values << ini.read(QString::fromLatin1(k.section), QString::fromLatin1(k.key), QStringLiteral("<assente>"));
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const QString path = Fuzz::scratchFolder() + QStringLiteral("/Impostazioni.ini");
    Fuzz::writeFile(path, QByteArray(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1)));
    const IniFile ini(path);
    const QStringList before = readAll(ini);
    const size_t which = data[0] % kKeys.size();
    const QString value = QStringLiteral("Valore %1 è").arg(data[0]);
    try {
        ini.write(QString::fromLatin1(kKeys[which].section), QString::fromLatin1(kKeys[which].key), value);
    } catch (const SettingsError&) {
        Fuzz::broken("a write to a plain file failed");
    }
    QStringList after = readAll(ini);
    Fuzz::check(after[qsizetype(which)] == value, "a written value does not read back");
    after[qsizetype(which)] = before[qsizetype(which)];
    Fuzz::check(after == before, "a write changed another key");
    return 0;
}
