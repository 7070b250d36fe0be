#pragma once

#include "common/errors.h"
#include "common/text.h"

#include <QList>
#include <QString>
#include <QStringList>

// One address of a contact as an address book or a spreadsheet gives it.
struct ContactAddress
{
    // Best first: the address a contact marks as preferred, then work, then home, then any other.
    enum class Kind
    {
        Preferred,
        Work,
        Home,
        Other
    };

    Kind kind = Kind::Other;
    QStringList streetLines; // street, extended address, post office box, in that order
    QString postalCode;
    QString city;
    QString province;
    QString country;

    bool operator==(const ContactAddress&) const = default;

    bool isEmpty() const
    {
        for (const QString& s : streetLines)
            if (!Text::trimmedView(s).isEmpty())
                return false;
        return Text::trimmedView(postalCode).isEmpty() && Text::trimmedView(city).isEmpty() &&
               Text::trimmedView(province).isEmpty() && Text::trimmedView(country).isEmpty();
    }
};

// A contact read from a spreadsheet row or a vCard, before it becomes an address card. Texts are as the file
// holds them (decoded, unescaped), not yet trimmed or cut.
struct Contact
{
    int line = 0; // the file's line where the contact begins, counted from 1
    QString prefix;
    QString givenName;
    QString middleName;
    QString familyName;
    QString suffix;
    QString fullName;
    QString organisation;
    QList<ContactAddress> addresses; // in file order
    QStringList notes;
    QStringList categories;
    // A spreadsheet may hold the card's own fields (an export of the archive): its name and its six lines, used as
    // they are. `cardLines` is empty unless the file has columns for them.
    QString cardName;
    QStringList cardLines;
    // Why the contact cannot be read as its file holds it ("riga 4: set di caratteri «X» sconosciuto"); the import
    // refuses it with this reason. Empty when it can.
    QString unreadable;

    bool operator==(const Contact&) const = default;
};

// A file that cannot be read as a whole (an unterminated quote, a vCard without its end): nothing is imported.
class ContactFileError : public PlicarioError
{
public:
    ContactFileError(const QString& message, int line) : PlicarioError(message), m_line(line) {}
    // The line the fault begins at, counted from 1; 0 when it concerns the whole file.
    int line() const { return m_line; }

private:
    int m_line;
};
