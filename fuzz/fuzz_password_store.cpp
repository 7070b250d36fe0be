// The password store: any bytes as unins000.dll, and any text through the scrambler's hexadecimal form.
#include "access/crypt.h"
#include "access/password_store.h"
#include "common/errors.h"
#include "fuzz/fuzz_support.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString folder = Fuzz::scratchFolder();
    Fuzz::writeFile(folder + u'/' + PasswordStore::kFileName, bytes);
    const PasswordStore store(folder);
    try {
        // A store the program wrote holds the canonical form; that one the login must accept.
        const QString stored = store.readStoredPassword();
        if (stored == PasswordStore::canonical(stored))
            Fuzz::check(store.checkPassword(stored), "the stored password is not accepted");
    } catch (const SettingsError&) {
    }

    // The same bytes as hexadecimal text, and as a password of their own.
    bool ok = false;
    Crypt::unscrambleFromHex(QString::fromLatin1(bytes), &ok);
    const QString password = QString::fromLatin1(bytes.left(300));
    if (Crypt::canHold(password)) {
        const QString hex = Crypt::scrambleToHex(password);
        Fuzz::check(Crypt::unscrambleFromHex(hex, &ok) == password && ok, "the scrambler loses a text");
    }
    if (PasswordStore::canStore(password)) {
        store.storePassword(password);
        Fuzz::check(store.checkPassword(password), "a stored password is not accepted");
    } else {
        try {
            store.storePassword(password);
            Fuzz::broken("a password that cannot be stored was stored");
        } catch (const SettingsError&) {
        }
    }
    return 0;
}
