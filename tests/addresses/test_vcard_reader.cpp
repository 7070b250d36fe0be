// Address books in the shapes and encodings other programs write them.
#include "addresses/contact_file.h"
#include "addresses/vcard_reader.h"

#include <QTest>

// Each contact as "given family: notes" with the line it begins at.
using Read = QStringList;

class TestVCardReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void read_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Read>("contacts");

        QTest::newRow("a line before the first card") << QByteArray("Esportato dalla rubrica\r\n\r\nBEGIN:VCARD\r\n"
                                                                    "N:Rossi;Mario\r\nEND:VCARD\r\n")
                                                      << Read{"3 Mario Rossi: "};
        QTest::newRow("a card nested in another is read too")
            << QByteArray("BEGIN:VCARD\nN:Rossi;Mario\nBEGIN:VCARD\nN:Neri;Ada\nEND:VCARD\nNOTE:dopo\nEND:VCARD\n")
            << Read{"3 Ada Neri: ", "1 Mario Rossi: dopo"};
        QTest::newRow("2.1's AGENT card is not a contact")
            << QByteArray("BEGIN:VCARD\nVERSION:2.1\nN:Rossi;Mario\nAGENT:BEGIN:VCARD\nN:Segretaria;La\n"
                          "END:VCARD\nNOTE:x\nEND:VCARD\n")
            << Read{"1 Mario Rossi: x"};
        QTest::newRow("soft break before END")
            << QByteArray(
                   "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Rossi;Mario\r\nNOTE;ENCODING=QUOTED-PRINTABLE:Citt=C3=A0=\r\n"
                   "END:VCARD\r\nBEGIN:VCARD\r\nN:Neri;Ada\r\nEND:VCARD\r\n")
            << Read{"1 Mario Rossi: Città", "6 Ada Neri: "};
        // The file is UTF-16: the CHARSET it names cannot be what the bytes are.
        QByteArray utf16 = QByteArray("\xFF\xFE");
        const QString card = u"BEGIN:VCARD\r\nN;CHARSET=windows-1252:Perè;Ugo\r\nEND:VCARD\r\n"_qs;
        utf16.append(reinterpret_cast<const char*>(card.utf16()), card.size() * 2);
        QTest::newRow("UTF-16 with a CHARSET") << utf16 << Read{"1 Ugo Perè: "};
        QTest::newRow("CHARSET in a byte file")
            << QByteArray("BEGIN:VCARD\nN;CHARSET=windows-1252:Per\xE8;Ugo\nEND:VCARD\n") << Read{"1 Ugo Perè: "};
        // Programs label UTF-8 with their system's set: bytes that are valid UTF-8 are UTF-8.
        QTest::newRow("UTF-8 labelled windows-1252")
            << QByteArray("BEGIN:VCARD\nN;CHARSET=windows-1252:Perch\xC3\xA9;Ugo\nEND:VCARD\n")
            << Read{"1 Ugo Perché: "};
        QTest::newRow("ISO-8859-2") << QByteArray("BEGIN:VCARD\nN;CHARSET=ISO-8859-2:Dvo\xF8\xE1k;Jan\nEND:VCARD\n")
                                    << Read{"1 Jan Dvořák: "};
        QTest::newRow("ISO-8859-5 quoted-printable")
            << QByteArray("BEGIN:VCARD\nN;CHARSET=ISO-8859-5;ENCODING=QUOTED-PRINTABLE:=B8=D2=D0=DD=DE=D2;Ivan\n"
                          "END:VCARD\n")
            << Read{"1 Ivan Иванов: "};
        QTest::newRow("ISO-8859-15's euro") << QByteArray("BEGIN:VCARD\nN:Neri;Ada\nNOTE;CHARSET=ISO-8859-15:5 \xA4\n"
                                                          "END:VCARD\n")
                                            << Read{"1 Ada Neri: 5 €"};
        QTest::newRow("an unknown CHARSET")
            << QByteArray("BEGIN:VCARD\nN;CHARSET=FOO-BAR:Per\xE8;Ugo\nEND:VCARD\n")
            << Read{"1  :  ! riga 1: il set di caratteri «FOO-BAR» non è conosciuto"}; // refused: nothing more is read
        QTest::newRow("a card of thousands of addresses")
            << QByteArray("BEGIN:VCARD\nN:Neri;Ada\n" + QByteArray("ADR:;;Via Po 1;Torino;;;\n").repeated(1500) +
                          "END:VCARD\n")
            << Read{"1 Ada Neri:  ! riga 1: la scheda ha più di 1000 indirizzi, note o categorie"};
    }

    // A spreadsheet whose note holds a whole card is still a spreadsheet.
    void aCardInsideAQuotedCellIsNoVCardFile()
    {
        const ContactFile file = ContactFile::parse("Nome;Note\r\nRossi;ok\r\nNeri;\"vedi:\r\nBEGIN:VCARD\r\n"
                                                    "N:X;Y;;;\r\nEND:VCARD\"\r\nBianchi;\r\n");
        QCOMPARE(file.format(), ContactFile::Format::Csv);
        QCOMPARE(file.contactCount(), 3);
        QVERIFY(VCardReader::looksLikeVCard("\"a;b\"\r\nBEGIN:VCARD\r\nN:X;Y\r\nEND:VCARD\r\n"));
    }

    void read()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Read, contacts);
        const ContactFile file = ContactFile::parse(bytes);
        QCOMPARE(file.format(), ContactFile::Format::VCard);
        Read got;
        for (const Contact& c : file.contacts())
            got << QStringLiteral("%1 %2 %3: %4").arg(c.line).arg(c.givenName, c.familyName, c.notes.join(u'|')) +
                       (c.unreadable.isEmpty() ? QString() : QStringLiteral(" ! ") + c.unreadable);
        QCOMPARE(got, contacts);
    }
};

QTEST_GUILESS_MAIN(TestVCardReader)
#include "test_vcard_reader.moc"
