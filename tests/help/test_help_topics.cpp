#include "help/help_topics.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// What the help texts must hold, paragraph by paragraph: how each one begins and ends, and the text across every
// place where two pieces of a paragraph meet (so a lost or doubled blank at a join shows).
struct Paragraph
{
    QString start;
    QString end;
    QStringList joins;
};

using Paragraphs = QList<Paragraph>;

const Paragraphs kAddressArchive = {
    {u"L'app Archivio Indirizzi consente sia di"_s, u"ll'indirizzo del destinatario."_s, {}},
    {u"Per registrare una nuova etichetta, biso"_s,
     u"o a compilazione obbligatoria."_s,
     {u"e Salva (icona del dischetto floppy)"_s}},
    {u"Per aggiornare un'etichetta già in archi"_s,
     u" coda all'archivio."_s,
     {u". Un'etichetta può essere richiamata"_s, u"arsi in testa o in coda all'archivio"_s}},
    {u"Il pulsante Duplica (icona di due fogli "_s,
     u" premere Salva."_s,
     {u" in archivio, come potrebbe essere i"_s, u"i campi di testo e premere Salva."_s}},
    {u"Il pulsante Trova (icona della lente di "_s,
     u"sulla relativa voce in elenco."_s,
     {u" bisogna immettere una o più parole "_s, u"e di nuovo clic su Trova. Per richia"_s}},
    {u"Il programma consente di allegare a cias"_s,
     u"truzioni che appaiono a video."_s,
     {u"rdanti il contatto residente presso "_s}},
    {u"Il pulsante Stampa su busta consente di "_s,
     u"a busta da lettera utilizzata."_s,
     {u" busta utilizzato, bisogna impostare"_s, u"so e verso destra, mentre bisogna di"_s,
      u"le a seconda delle esigenze del prop"_s}},
    {u"Il pulsante Anteprima etichette (icona d"_s,
     u"nestra di avvio del programma."_s,
     {u"e 24 etichette del foglio A4. E' pos"_s, u" foglio può essere utile, ad esempio"_s,
      u"are l'app Gestione Etichette accessi"_s}},
    {u"Il pulsante Esporta archivio (icona di E"_s, u" di lavoro di Microsoft Excel."_s, {}},
    {u"Il pulsante Importa (Ctrl+I) aggiunge al"_s,
     u"senza aggiungere alcuna scheda."_s,
     {u"ta da un altro programma, in formato"_s, u"mostra su tre pagine (Ctrl+Tab"_s, u"intere e come saranno"_s,
      u"come la loro lettera di base"_s, u"o alla riga del file"_s, u"Annulla (o Esc) la interrompe"_s}},
};

// The work windows' topics end alike: the help and exit buttons.
const Paragraph kHelpAndExit{u"Il pulsante Guida (F1) mostra questa gui"_s, u"chiude la finestra di lavoro."_s, {}};

const Paragraphs kLabelSheets = {
    {u"L'app Gestione Etichette permette di sta"_s, u"gnuna contenente 24 etichette."_s, {}},
    {u"Per creare una nuova pagina di etichette"_s,
     u" un indirizzo."_s,
     {u"oglio importando i dati dall'archivi"_s, u"o corrispondente a un indirizzo."_s}},
    {u"Dopo aver importato gli indirizzi, basta"_s,
     u" testa o in coda all'archivio."_s,
     {u" schede consentono di visualizzare l"_s}},
    {u"Il pulsante Anteprima di stampa va usato"_s,
     u"o su eventuali altri supporti."_s,
     {u"rtati siano quelli giusti. Se invece"_s, u". Al termine della stampa su carta s"_s}},
    {u"Si ricorda che per aggiornare un indiriz"_s, u"he desiderate e premere Salva."_s, {}},
    {u"Il pulsante Componi dall'archivio (Ctrl+"_s, u"a il primo dei nuovi fogli."_s, {}},
    {u"Formato etichette... (Ctrl+L), nelle fin"_s,
     u"i fogli, indicando anche il foglio."_s,
     {u"a riga troppo lunga per l'etichetta vi"_s, u"e lettere alte come sempre; se non ba"_s,
      u"righe che verranno tagliate. Componi dall'archivio fa"_s}},
    {u"Da tastiera, Tab e Invio passano da un'e"_s, u"in quale file ha salvato le pagine."_s, {}},
};

const Paragraphs kMailRegister = {
    {u"L'app Protocollo Posta è pensata per pro"_s, u" digitare l'anno di interesse."_s, {}},
    {u"Una volta entrati nell'ambiente per l'in"_s,
     u"'indicazione dell'anno solare."_s,
     {u"oftware assegna al documento il nume"_s, u"senti in archivio, partendo da 1 all"_s,
      u"traddistinto dalla lettera N che per"_s}},
    {u"Dopo aver compilato i campi di testo, è "_s,
     u"ute modifiche e premere Salva."_s,
     {u"tutte le volte che si desidera. Per "_s}},
    {u"Ogni documento protocollato può essere d"_s,
     u"utte le volte che si desidera."_s,
     {u"a protocollazione, la categoria di a"_s, u", i riferimenti ad altri documenti, "_s,
      u"e gli stessi) sono salvati in automa"_s, u"può all'occorrenza essere modificato"_s}},
    {u"In fondo alla schermata è possibile alle"_s,
     u"onnessi a quello protocollato."_s,
     {u"omento premendo il pulsante Apri. Il"_s}},
    {u"Il pulsante Riepilogo protocollo, contra"_s,
     u" di lavoro di Microsoft Excel."_s,
     {u"ti in un qualsiasi intervallo di tem"_s}},
    {u"Il pulsante Trova consente di effettuare"_s,
     u"ti ad una specifica categoria."_s,
     {u"eamente. In questo modo è possibile "_s}},
    {u"La scheda descrittiva di un singolo docu"_s, u"esportato in un file di Excel."_s, {}},
    {u"Ogni registrazione, correzione e annulla"_s,
     u"lo segnala indicandola."_s,
     {u"ile con l'anno e l'estensione .stori"_s, u"così che una riga cambiata, tolta o sp"_s}},
    {u"Il pulsante Annulla registrazione (Ctrl+"_s,
     u"la indicano come annullata."_s,
     {u"per errore: chiede il motivo, che è "_s, u"mostra la data, l'utente e il motivo"_s}},
    {u"Il pulsante Protocolla messaggio (Ctrl+Sh"_s,
     u"certificata non si protocollano."_s,
     {u"o di posta certificata salvato dal p"_s, u"trascinare sulla finestra: la nuova "_s,
      u"completato categoria e ufficio si sa"_s}},
    {u"Il pulsante Registro giornaliero (Ctrl+S"_s,
     u"adatto alla conservazione."_s,
     {u"scelto sul calendario: i documenti p"_s, u"dall'impronta dello storico. Il regi"_s}},
};

const Paragraphs kAddressExport = {
    {u"Il pulsante Esporta archivio consente di"_s, u"re Office o Microsoft Office)."_s, {}},
    {u"Dopo aver aperto la finestra contenente "_s,
     u"ssaggio di domanda che appare."_s,
     {u"o reale un file in formato XLS conte"_s}},
    {u"A questo punto è sufficiente salvare il "_s, u"segnandogli un nome qualsiasi."_s, {}},
};

const Paragraphs kRegisterExport = {
    {u"Il pulsante Esporta archivio consente di"_s, u"re Office o Microsoft Office)."_s, {}},
    {u"Dopo aver aperto la finestra contenente "_s,
     u"ssaggio di domanda che appare."_s,
     {u"o reale un file in formato XLS conte"_s}},
    {u"A questo punto è sufficiente salvare il "_s, u"segnandogli un nome qualsiasi."_s, {}},
};

const Paragraphs kRegisterSummary = {
    {u"E' possibile visualizzare il riepilogo d"_s, u"re Office o Microsoft Office)."_s, {}},
    {u"Per ottenere l'elenco dei documenti prot"_s,
     u"ssaggio di domanda che appare."_s,
     {u"registrazione. Per esportare il riep"_s, u"rto immediatamente rispondendo affer"_s}},
    {u"A questo punto è sufficiente salvare il "_s, u"segnandogli un nome qualsiasi."_s, {}},
};

// Paragraphs 1, 24, 25, 26 and 27 of the launcher's topic; 2 to 23 are the three application topics. Paragraph 26
// goes on with our sentence about the initial password, checked on its own.
const Paragraphs kLauncherOwn = {
    {u"Plicario 3.0 è un software progettato pe"_s, u"tipo o protocollare documenti."_s, {}},
    {u"Il software può essere usato anche in un"_s, u" fra più postazioni di lavoro."_s, {}},
    {u"Plicario 3.0 può essere utilizzato anche"_s,
     u"l backup di tutti gli archivi."_s,
     {u"e fare doppio clic sull'icona dell'a"_s}},
    {u"L'accesso al software è protetto da una "_s, u"utte le volte che si desidera."_s, {}},
    {u"Plicario 3.0 è quindi lo strumento ideal"_s,
     u"rendimento praticamente nulli."_s,
     {u"er protocollare la posta sia per sta"_s, u" software richieda tempi di apprendi"_s}},
};

QStringList paragraphsOf(const QString& text)
{
    return text.split(u"\r\n\r\n"_s);
}

} // namespace

Q_DECLARE_METATYPE(HelpTopic)
Q_DECLARE_METATYPE(Paragraphs)

class TestHelpTopics : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void paragraphs_data()
    {
        QTest::addColumn<HelpTopic>("topic");
        QTest::addColumn<QString>("title");
        QTest::addColumn<Paragraphs>("expected");
        Paragraphs launcher;
        launcher << kLauncherOwn.first() << kAddressArchive << kLabelSheets << kMailRegister << kLauncherOwn.mid(1);
        launcher[launcher.size() - 2].end.clear(); // the password: launcherEmbeds... checks its own sentence

        QTest::newRow("address archive") << HelpTopics::addressArchive() << u"App Archivio Indirizzi"_s
                                         << (kAddressArchive + Paragraphs{kHelpAndExit});
        QTest::newRow("label sheets") << HelpTopics::labelSheets() << u"App Gestione Etichette"_s
                                      << (kLabelSheets + Paragraphs{kHelpAndExit});
        QTest::newRow("mail register") << HelpTopics::mailRegister() << u"App Protocollo Posta"_s
                                       << (kMailRegister + Paragraphs{kHelpAndExit});
        QTest::newRow("address export") << HelpTopics::addressExport() << u"Esportazione archivio indirizzi in Excel"_s
                                        << kAddressExport;
        QTest::newRow("register export") << HelpTopics::registerExport() << u"Esportazione protocollo posta in Excel"_s
                                         << kRegisterExport;
        QTest::newRow("register summary")
            << HelpTopics::registerSummary() << u"Riepilogo protocollo per intervallo di tempo"_s << kRegisterSummary;
        QTest::newRow("launcher") << HelpTopics::launcher() << u"Uno sguardo a Plicario 3.0"_s << launcher;
    }

    void paragraphs()
    {
        QFETCH(HelpTopic, topic);
        QFETCH(QString, title);
        QFETCH(Paragraphs, expected);

        QCOMPARE(topic.title, title);
        const QStringList paragraphs = paragraphsOf(topic.text);
        QCOMPARE(paragraphs.size(), expected.size());
        for (qsizetype i = 0; i < paragraphs.size(); ++i) {
            const QString& p = paragraphs.at(i);
            const QString where = u"paragraph %1: "_s.arg(i + 1) + p;
            QVERIFY2(p.startsWith(expected.at(i).start), qPrintable(where));
            QVERIFY2(p.endsWith(expected.at(i).end), qPrintable(where));
            for (const QString& join : expected.at(i).joins)
                QVERIFY2(p.contains(join), qPrintable(where + u" lacks: "_s + join));
            // Only the separators break lines, and no join doubles a blank.
            QVERIFY2(!p.contains(u'\r') && !p.contains(u'\n'), qPrintable(where));
            QVERIFY2(!p.contains(u"  "_s), qPrintable(where));
            QCOMPARE(p, p.trimmed());
        }
    }

    void shortTopicsAreExact_data()
    {
        QTest::addColumn<HelpTopic>("topic");
        QTest::addColumn<QString>("text");
        const QString last =
            u"A questo punto è sufficiente salvare il file sul proprio disco fisso assegnandogli un nome qualsiasi."_s;
        const QString openAfterExport =
            u"Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic sull'icona di Excel. "
            u"Questa operazione crea in tempo reale un file in formato XLS contenente le schede in archivio, che potrà "
            u"essere aperto immediatamente rispondendo affermativamente al messaggio di domanda che appare."_s;
        const QString anyProgram = u"che potrà essere aperto con qualsiasi software in grado di gestire i file in "
                                   u"formato XLS (ad esempio, con Open Office, Libre Office o Microsoft Office)."_s;
        const QString sep = u"\r\n\r\n"_s;
        QTest::newRow("address export")
            << HelpTopics::addressExport()
            << u"Il pulsante Esporta archivio consente di esportare tutti gli indirizzi in archivio in un foglio di "
               u"lavoro di Microsoft Excel, "_s +
                   anyProgram + sep + openAfterExport + sep + last;
        QTest::newRow("register export")
            << HelpTopics::registerExport()
            << u"Il pulsante Esporta archivio consente di esportare l'archivio annuale del protocollo posta in un "
               u"foglio di lavoro di Microsoft Excel, "_s +
                   anyProgram + sep + openAfterExport + sep + last;
        QTest::newRow("register summary")
            << HelpTopics::registerSummary()
            << u"E' possibile visualizzare il riepilogo dei documenti registrati in un qualsiasi intervallo di tempo "
               u"nell'anno solare nonché esportare lo stesso riepilogo in un foglio di lavoro di Microsoft Excel, "_s +
                   anyProgram + sep +
                   u"Per ottenere l'elenco dei documenti protocollati, basta indicare la data di inizio e di fine "
                   u"intervallo in base alla data di registrazione. Per esportare il riepilogo, basta fare clic "
                   u"sull'icona di Excel. Questa operazione crea in tempo reale un file in formato .XLS contenente le "
                   u"schede in archivio, che potrà essere aperto immediatamente rispondendo affermativamente al "
                   u"messaggio di domanda che appare."_s +
                   sep + last;
    }

    void shortTopicsAreExact()
    {
        QFETCH(HelpTopic, topic);
        QFETCH(QString, text);
        QCOMPARE(topic.text, text);
    }

    void launcherEmbedsTheApplicationTopicsAndTellsThePassword()
    {
        const QStringList paragraphs = paragraphsOf(HelpTopics::launcher().text);
        const qsizetype addresses = kAddressArchive.size(), labels = kLabelSheets.size(), mail = kMailRegister.size();
        QCOMPARE(paragraphs.size(), 1 + addresses + labels + mail + 4);
        // The launcher tells each application's own paragraphs, without the work window's help and exit buttons.
        QCOMPARE(paragraphs.mid(1, addresses), paragraphsOf(HelpTopics::addressArchive().text).mid(0, addresses));
        QCOMPARE(paragraphs.mid(1 + addresses, labels), paragraphsOf(HelpTopics::labelSheets().text).mid(0, labels));
        QCOMPARE(paragraphs.mid(1 + addresses + labels, mail),
                 paragraphsOf(HelpTopics::mailRegister().text).mid(0, mail));

        const QString password = paragraphs.at(paragraphs.size() - 2);
        const QString given = u"L'accesso al software è protetto da una password aggiornabile dall'utente che può "
                              u"essere cambiata tutte le volte che si desidera. "_s;
        QVERIFY(password.startsWith(given));
        // Exactly one more sentence, and it names the initial password the installation stores.
        const QString ours = password.mid(given.size());
        QVERIFY2(ours.contains(u" plicario"_s), qPrintable(ours));
        QCOMPARE(ours.count(u'.'), 1);
        QVERIFY(ours.endsWith(u'.'));
    }

    // The label sheets' paragraphs on composing, the stock and the keys stand word for word in the guide's source.
    void labelSheetsHelpIsTheGuidesWords()
    {
        QFile file(QStringLiteral(PLICARIO_SOURCE_DIR "/docs/guida.html"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString guide = QString::fromUtf8(file.readAll());
        guide.remove(QRegularExpression(u"<[^>]*>"_s));
        guide = guide.simplified();
        const QStringList paragraphs = paragraphsOf(HelpTopics::labelSheets().text);
        QCOMPARE(paragraphs.size(), 9); // the last: the help and exit buttons every work window has
        for (const QString& paragraph : paragraphs.mid(5, 3))
            QVERIFY2(guide.contains(paragraph), qPrintable(paragraph));
    }
};

QTEST_GUILESS_MAIN(TestHelpTopics)
#include "test_help_topics.moc"
