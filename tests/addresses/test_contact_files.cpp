// Address books and spreadsheets as other programs write them, each read into the cards a user would have typed.
#include "addresses/address_import.h"
#include "addresses/contact_file.h"

#include <QTemporaryDir>
#include <QTest>

using Cards = QList<QStringList>; // Nome, Tipo, Rigo01..Rigo06, Note
Q_DECLARE_METATYPE(Cards)

namespace {

QString fixture(const char* name)
{
    return QStringLiteral(PLICARIO_SOURCE_DIR "/tests/addresses/fixtures/") + QLatin1String(name);
}

QStringList shown(const AddressCard& card)
{
    QStringList v;
    for (int f = AddressCard::Nome; f <= AddressCard::Note; ++f)
        v << card.value(f);
    return v;
}

} // namespace

class TestContactFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fileGivesItsCards_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<Cards>("cards");
        QTest::addColumn<QList<int>>("lines");
        QTest::addColumn<QList<int>>("refusedLines");

        QTest::newRow("spreadsheet program, ';' and windows-1252")
            << fixture("calc_semicolon_1252.csv")
            << Cards{{"Rossi Mario", "Cliente", "Mario Rossi", "Via Garibaldi, 12", "00100 Roma RM", "", "", "",
                      "Preferisce; la posta ordinaria"},
                     {"Bianchi Lucia", "Fornitore", "Lucia Bianchi", "Ferramenta Bianchi S.r.l.",
                      "Corso Vittorio Emanuele II, 45", "20122 Milano MI", "", "", "Consegne solo al mattino"},
                     {"Società Cooperativa \"La Città\"", "Ente", "Società Cooperativa \"La Città\"", "Piazza Duomo 1",
                      "50122 Firenze FI", "", "", "", ""},
                     {"D'Amico Nicolò", "Privato", "Nicolò D'Amico", "Rue de la Paix 3", "75002 Paris", "Francia", "",
                      "", "Prezzo 10 €"}}
            << QList<int>{2, 3, 5, 7} << QList<int>{};

        QTest::newRow("web address book, UTF-8 with BOM, ','")
            << fixture("webbook_utf8_bom.csv")
            << Cards{{"Verdi Giulia", "Colleghi", "Dott.ssa Giulia Verdi", "Studio Verdi", "Via Nizza 150",
                      "Edificio B, piano 2", "10126 Torino TO", "", "Conosciuta al convegno"},
                     {"Müller Hans", "", "Hans Müller", "Hauptstraße 5", "80331 München Bayern", "Germany", "", "", ""},
                     {"Ørsted Zoë", "Amici, Famiglia", "Zoë Ørsted", "Via Roma 1, scala B", "40121 Bologna BO", "", "",
                      "", "Nota con \"virgolette\" e a capo seconda riga"}}
            << QList<int>{2, 5, 6} << QList<int>{};

        QTest::newRow("mail program, home and work columns")
            << fixture("mailprogram.csv")
            << Cards{{"Neri Paolo", "", "Paolo Neri", "Via Dante 7", "16121 Genova GE", "", "", "", ""},
                     {"Tipografia Esposito", "", "Tipografia Esposito", "Via Toledo 256", "Interno 4",
                      "80134 Napoli NA", "", "", "Stampa biglietti da visita"},
                     {"Gallo Anna", "", "Anna Gallo", "Gallo & Figli", "Via Sparano 1", "70121 Bari BA", "", "", ""}}
            << QList<int>{2, 3, 4} << QList<int>{5};

        QTest::newRow("phone's vCard 3.0, folded, two addresses")
            << fixture("phone_v30.vcf")
            << Cards{{"Ferrari Luca", "Fornitori, Officine", "Ing. Luca Ferrari",
                      "Officine Ferrari S.p.A., Ufficio tecnico", "Strada Statale 12, km 4", "41053 Maranello MO", "",
                      "",
                      "Referente per le forniture chiamare dopo le 14; grazie. Questa nota è piegata su più righe come "
                      "fa il telefono."},
                     {"Farmacia Centrale", "", "Farmacia Centrale", "Piazza della Repubblica 2", "60121 Ancona AN", "",
                      "", "", ""}}
            << QList<int>{1, 14} << QList<int>{};

        QTest::newRow("vCard 2.1, quoted-printable and charsets")
            << fixture("old_phone_v21.vcf")
            << Cards{{"Caruso Niccolò", "", "Niccolò Caruso", "Via Università 5", "47121 Forlì FC", "", "", "",
                      "Perché è così: però più tardi già."},
                     {"Esposito Gennaro", "", "Gennaro Esposito", "Via Caracciolo 10", "80122 Napoli NA", "", "", "",
                      ""}}
            << QList<int>{1, 10} << QList<int>{};

        QTest::newRow("vCard 4.0, PREF and an organisation")
            << fixture("contacts_v40.vcf")
            << Cards{{"Romano Chiara", "Architetti", "Chiara Romano", "Romano Architetti", "Via Roma 2",
                      "90133 Palermo PA", "", "", "Studio aperto dal lunedì al venerdì"}}
            // "Ωmega" would be stored as "?mega": refused, not changed unasked.
            << QList<int>{1} << QList<int>{11};
    }

    void fileGivesItsCards()
    {
        QFETCH(QString, file);
        QFETCH(Cards, cards);
        QFETCH(QList<int>, lines);
        QFETCH(QList<int>, refusedLines);

        QTemporaryDir folder;
        const AddressImport::Plan plan = AddressImport::plan(folder.path(), ContactFile::read(file).contacts());
        Cards got;
        for (const AddressCard& card : plan.cards)
            got << shown(card);
        QCOMPARE(got, cards);
        QCOMPARE(plan.lines, lines);
        QList<int> refused;
        for (const AddressImport::Refusal& r : plan.refused)
            refused << r.line;
        QCOMPARE(refused, refusedLines);
        QCOMPARE(plan.duplicates, 0);
        // Planning writes nothing, not even an empty archive.
        QVERIFY(QDir(folder.path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestContactFiles)
#include "test_contact_files.moc"
