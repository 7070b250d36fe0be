#include "help/help_topics.h"

namespace HelpTopics {

namespace {

QStringList addressArchiveParagraphs()
{
    return {
        QStringLiteral(
            "L'app Archivio Indirizzi consente sia di registrare le informazioni testuali che dovranno apparire su "
            "ogni etichetta sia di stampare gli indirizzi direttamente su buste da lettera. Per individuare facilmente "
            "un'etichetta all'interno dell'archivio, è possibile indicare un nome descrittivo, il tipo di etichetta e "
            "ogni ulteriore annotazione. Il testo dell'etichetta va invece inserito nei sei campi presenti "
            "sull'immagine della busta da lettera nello spazio riservato all'indirizzo del destinatario."),
        QStringLiteral(
            "Per registrare una nuova etichetta, bisogna premere il pulsante Nuovo raffigurante un foglio bianco, "
            "compilare i campi di testo e premere il pulsante Salva (icona del"
            " dischetto floppy). Il campo relativo al nome dell'etichetta è l'unico a compilazione obbligatoria."),
        QStringLiteral(
            "Per aggiornare un'etichetta già in archivio, bisogna aprire la sua scheda nella finestra di lavoro, "
            "apportare le modifiche desiderate e premere Salva. Un'etichetta può"
            " essere richiamata utilizzando la funzione di ricerca o le frecce di scorrimento, le quali consentono di "
            "visualizzare la scheda precedente o successiva a quella corrente, oppure di posizionarsi in testa o in"
            " coda all'archivio."),
        QStringLiteral("Il pulsante Duplica (icona di due fogli sovrapposti) è utile se si deve registrare la scheda "
                       "di un'etichetta che ha dati in comune con un'altra già in archivio, come"
                       " potrebbe essere il caso di due destinatari con lo stesso indirizzo di residenza. A tal fine, "
                       "è sufficiente richiamare la vecchia scheda, premere Duplica, apportare le dovute modifiche nei "
                       "campi di testo e"
                       " premere Salva."),
        QStringLiteral(
            "Il pulsante Trova (icona della lente di ingrandimento) può essere usato per cercare un'etichetta in "
            "archivio. Una volta aperta la finestra di ricerca, bisogna immettere"
            " una o più parole consecutive presenti nella scheda in elenco da cercare e premere il pulsante Trova. Per "
            "spostarsi sulla voce successiva contenente la stessa chiave di ricerca, basta fare di nuovo clic su"
            " Trova. Per richiamare una scheda nella schermata di lavoro, è sufficiente fare doppio clic sulla "
            "relativa voce in elenco."),
        QStringLiteral("Il programma consente di allegare a ciascuna scheda file esterni di qualsiasi genere che "
                       "potrebbero contenere, ad esempio, copie di documenti riguardanti il contatto"
                       " residente presso l'indirizzo indicato. Per allegare un documento, bisogna premere il pulsante "
                       "Allega file e seguire le istruzioni che appaiono a video."),
        QStringLiteral(
            "Il pulsante Stampa su busta consente di stampare su busta da lettera l'indirizzo visualizzato al momento. "
            "Per "
            "adattare la stampa dell'indirizzo al modello di busta utilizzato,"
            " bisogna impostare i margini superiore e sinistro esprimendo i valori in millimetri. In particolare, è "
            "necessario aumentare i valori numerici dei margini per spostare la stampa verso il basso e verso destra,"
            " mentre bisogna diminuirli rendendoli all'occorrenza anche negativi per spostarla verso l'alto e verso "
            "sinistra. E' anche possibile impostare l'orientamento di stampa orizzontale o verticale a seconda delle"
            " esigenze del proprio modello di stampante e della busta da lettera utilizzata."),
        QStringLiteral(
            "Il pulsante Anteprima etichette (icona di una lente su un foglio) visualizza l'anteprima di stampa "
            "dell'indirizzo "
            "corrente riproducendolo su ognuna delle 24 etichette del"
            " foglio A4. E' possibile stampare il foglio delle etichette facendo clic sull'icona della stampante "
            "presente nella finestra di anteprima. La stampa degli stessi dati su ogni etichetta del foglio può essere"
            " utile, ad esempio, se si ha bisogno di contrassegnare più confezioni dello stesso prodotto. Si ricorda "
            "che per inserire indirizzi diversi sulle 24 etichette del foglio A4 bisogna utilizzare l'app Gestione"
            " Etichette accessibile dalla finestra di avvio del programma."),
        QStringLiteral("Il pulsante Esporta archivio (icona di Excel) consente di esportare tutti gli indirizzi in "
                       "archivio in un foglio di lavoro di Microsoft Excel."),
        QStringLiteral(
            "Il pulsante Importa (Ctrl+I) aggiunge all'archivio gli indirizzi di una rubrica esportata da "
            "un altro programma, in formato CSV o vCard. Prima di importare, il programma mostra su tre pagine "
            "(Ctrl+Tab passa dall'una all'altra) le schede nuove che ricaverà dal file, intere e come "
            "saranno registrate (la colonna Caratteri sostituiti indica le lettere registrate come la loro "
            "lettera di base); le schede già presenti, ciascuna accanto alla scheda dell'archivio o alla riga "
            "del file a cui è uguale; e le schede che non può importare, con il motivo. Se l'importazione dura più "
            "di mezzo secondo ne compare l'avanzamento: Annulla (o Esc) la interrompe senza aggiungere alcuna "
            "scheda."),
    };
}

QStringList labelSheetsParagraphs()
{
    return {
        QStringLiteral("L'app Gestione Etichette permette di stampare su fogli A4 gli indirizzi precedentemente "
                       "registrati in archivio. E' possibile compilare, stampare e salvare un numero illimitato di "
                       "pagine, ognuna contenente 24 etichette."),
        QStringLiteral(
            "Per creare una nuova pagina di etichette, bisogna premere il pulsante Nuovo (icona del foglio bianco) e "
            "compilare le 24 etichette presenti sul foglio importando i"
            " dati dall'archivio degli indirizzi. Per importare i dati, è necessario servirsi dei pulsanti "
            "contraddistinti dall'icona di una freccia situati a destra dei 24 campi di testo, ognuno corrispondente a"
            " un indirizzo."),
        QStringLiteral("Dopo aver importato gli indirizzi, basta premere il pulsante con l'icona del dischetto floppy "
                       "per salvare la pagina. Le frecce di scorrimento delle schede consentono"
                       " di visualizzare la pagina precedente o successiva a quella corrente, oppure di posizionarsi "
                       "in testa o in coda all'archivio."),
        QStringLiteral(
            "Il pulsante Anteprima di stampa va usato se si vuole visualizzare la pagina delle etichette prima di "
            "stamparla su "
            "carta per verificare che gli indirizzi importati siano quelli"
            " giusti. Se invece si desidera stampare direttamente la pagina senza visualizzare la sua anteprima, basta "
            "premere il pulsante Stampa, indicare il numero di copie da stampare e fare clic su OK. Al termine della"
            " stampa su carta semplice o adesiva, si potrà ritagliare le singole etichette presenti sul foglio e "
            "applicarle sulle buste da lettera o su eventuali altri supporti."),
        QStringLiteral("Si ricorda che per aggiornare un indirizzo occorre aprire la relativa scheda all'interno "
                       "dell'archivio degli indirizzi, apportare le modifiche desiderate e premere Salva."),
        // Composing, the stock and the keys, in the user guide's words.
        QStringLiteral(
            "Il pulsante Componi dall'archivio (Ctrl+M) riempie tanti fogli quanti ne servono con le schede "
            "dell'Archivio Indirizzi, nell'ordine dell'elenco: tutte, oppure solo quelle il cui tipo contiene il testo "
            "scritto in Solo il tipo. Prima etichetta del primo foglio permette di rimettere in stampante un foglio "
            "già in parte usato. La finestra dice quante schede e quanti fogli ne risultano; le schede senza nome o "
            "senza alcuna riga di indirizzo sono escluse e contate, per motivo. I fogli si possono vedere in "
            "anteprima, stampare tutti insieme, salvare in un unico file PDF oppure archiviare in coda alle pagine "
            "salvate (tutti o nessuno); dopo l'archiviazione la finestra mostra il primo dei nuovi fogli."),
        QStringLiteral(
            "Formato etichette... (Ctrl+L), nelle finestre di stampa e di anteprima delle etichette e in Componi "
            "dall'archivio, sceglie il foglio in uso fra i formati più comuni da 3 per 8 etichette su A4, di cui "
            "mostra le misure, oppure, con Personalizzato, ne prende le misure (un formato che non sta sul foglio o le "
            "cui etichette si sovrappongono viene rifiutato, con il motivo). Lo scostamento sposta tutta la stampa a "
            "destra e in basso (con numeri negativi a sinistra e in alto) per correggere la stampante. Pagina di "
            "prova mostra, da stampare, i contorni delle 24 etichette, un righello millimetrato lungo i bordi "
            "superiore e sinistro e una crocetta dove comincia la prima riga di ogni etichetta: appoggiata a un "
            "foglio di etichette, mostra di quanti millimetri correggere lo scostamento. Le righe restano sempre ad "
            "almeno 4 mm dai bordi del foglio, dove la maggior parte delle stampanti non arriva. Una riga troppo lunga "
            "per l'etichetta viene stampata più stretta, fino all'80% della sua larghezza e con le lettere alte come "
            "sempre; se non basta, prima di stampare la finestra elenca le righe che verranno tagliate. Componi "
            "dall'archivio fa lo stesso prima di mostrare, stampare o salvare i fogli, indicando anche il foglio."),
        QStringLiteral(
            "Da tastiera, Tab e Invio passano da un'etichetta alla successiva; nel campo di un'etichetta Ctrl+I "
            "importa un indirizzo dall'archivio e Canc la svuota. Ctrl+N prepara una nuova pagina, Ctrl+S la salva, "
            "Ctrl+P la stampa e Ctrl+M compone dall'archivio; Ctrl+Home, Ctrl+PgUp, Ctrl+PgDown e Ctrl+End mostrano "
            "la prima, la precedente, la successiva e l'ultima pagina in archivio; F1 apre la guida in linea ed Esc "
            "chiude la finestra. Nell'anteprima, Home e End (anche con Ctrl) portano alla prima e all'ultima pagina e "
            "Vai alla pagina a qualsiasi altra; Salva PDF dice in quale file ha salvato le pagine."),
    };
}

QStringList mailRegisterParagraphs()
{
    return {
        QStringLiteral("L'app Protocollo Posta è pensata per protocollare in archivi annuali la posta in entrata e in "
                       "uscita e tutti i documenti interni relativi alla propria ditta. La prima operazione da "
                       "effettuare per protocollare un documento consiste nell'indicare l'anno solare nell'apposito "
                       "campo e premere il pulsante Apri per accedere all'ambiente preposto all'inserimento dei dati. "
                       "Per semplificare l'utilizzo, il software inserisce in automatico l'anno corrente quando si "
                       "accede all'applicazione. Si capisce che, se si vuole consultare i documenti protocollati negli "
                       "anni passati, è necessario cancellare l'anno corrente e digitare l'anno di interesse."),
        QStringLiteral(
            "Una volta entrati nell'ambiente per l'inserimento dei dati, si può iniziare a protocollare una nuova "
            "scheda premendo il pulsante Nuovo. Così facendo, il software assegna al"
            " documento il numero di protocollo e la data di registrazione, che ovviamente coincide con quella "
            "odierna. La numerazione del protocollo è progressiva e tiene conto di quanti documenti sono già presenti "
            "in archivio,"
            " partendo da 1 all'inizio di ogni anno solare. Se si desidera far partire la numerazione automatica da un "
            "numero superiore a 1, si deve utilizzare la funzione accessibile tramite il pulsante contraddistinto dalla"
            " lettera N che permette di indicare il numero iniziale. Inoltre, spuntando un'apposita casella, si può "
            "fare in modo che il numero progressivo del protocollo sia seguito dall'indicazione dell'anno solare."),
        QStringLiteral(
            "Dopo aver compilato i campi di testo, è sufficiente fare clic sul pulsante Salva per archiviare la "
            "scheda. La scheda di un documento può essere aggiornata tutte le volte che"
            " si desidera. Per aggiornare una scheda in archivio, è sufficiente richiamarla con la funzione Trova "
            "oppure utilizzando le frecce di scorrimento dei record, apportare le dovute modifiche e premere Salva."),
        QStringLiteral(
            "Ogni documento protocollato può essere descritto indicando la tipologia di posta (in entrata, in uscita o "
            "interna), l'ufficio e l'operatore responsabile della protocollazione,"
            " la categoria di appartenenza del documento, la collocazione dell'originale cartaceo (ove esistente), "
            "l'oggetto, la data di spedizione e quella di ricezione, il formato e il numero di pagine, i riferimenti ad"
            " altri documenti, le annotazioni personali, il mittente e il destinatario con i relativi recapiti. I dati "
            "dell'ufficio e dell'operatore responsabile della protocollazione (che spesso sono sempre gli stessi) sono"
            " salvati in automatico quando si esce dalla schermata di lavoro, cosicché non occorrerà digitarli "
            "nuovamente quando si dovrà protocollare altri documenti. Ad ogni modo, il contenuto di tali campi può "
            "all'occorrenza"
            " essere modificato manualmente tutte le volte che si desidera."),
        QStringLiteral("In fondo alla schermata è possibile allegare la copia digitale del documento protocollato, che "
                       "l'utente del software potrà visualizzare in qualsiasi momento premendo il"
                       " pulsante Apri. Il pulsante Allega file permette, inoltre, di allegare tre ulteriori documenti "
                       "connessi a quello protocollato."),
        QStringLiteral("Il pulsante Riepilogo protocollo, contraddistinto dall'icona di una tabella a griglia, "
                       "permette di visualizzare il riepilogo dei documenti registrati in un qualsiasi"
                       " intervallo di tempo nell'anno solare nonché di esportare lo stesso riepilogo in un foglio di "
                       "lavoro di Microsoft Excel."),
        QStringLiteral("Il pulsante Trova consente di effettuare ricerche avanzate nell'archivio del protocollo "
                       "informatico utilizzando uno o più filtri di ricerca contemporaneamente. In questo"
                       " modo è possibile ottenere, ad esempio, l'elenco di tutti i documenti protocollati da un certo "
                       "operatore e appartenenti ad una specifica categoria."),
        QStringLiteral("La scheda descrittiva di un singolo documento può essere stampata su carta, mentre l'intero "
                       "archivio del protocollo può essere esportato in un file di Excel."),
        QStringLiteral("Ogni registrazione, correzione e annullamento resta nello storico del registro, il file con "
                       "l'anno e l'estensione .storico accanto all'archivio annuale: data e ora, utente della "
                       "postazione, operatore, campi cambiati con il valore di prima e quello nuovo, e l'impronta dei "
                       "documenti allegati. Ogni riga dello storico è legata a quella precedente, così che una riga "
                       "cambiata, tolta o spostata non passa inosservata. All'apertura di un anno il programma "
                       "controlla che archivio e storico concordino e, se una scheda è stata cambiata fuori dal "
                       "programma, lo segnala indicandola."),
        QStringLiteral("Il pulsante Annulla registrazione (Ctrl+Shift+A) annulla un documento protocollato per "
                       "errore: chiede il motivo, che è obbligatorio, e una conferma. La scheda conserva numero e "
                       "dati, mostra la data, l'utente e il motivo dell'annullamento e non si può più modificare; la "
                       "stampa della scheda, l'elenco della ricerca e il riepilogo la indicano come annullata."),
        QStringLiteral(
            "Il pulsante Protocolla messaggio (Ctrl+Shift+E) protocolla un messaggio di posta elettronica "
            "o di posta certificata salvato dal programma di posta come file .eml, che si può anche "
            "trascinare sulla finestra: la nuova scheda riceve il mittente e il suo indirizzo, l'oggetto, la "
            "data di ricezione e, per la posta certificata, l'identificativo del gestore nelle note. Il "
            "messaggio diventa la copia digitale e i primi tre allegati gli ulteriori documenti; dopo aver "
            "completato categoria e ufficio si salva la scheda come di consueto. Le ricevute della posta "
            "certificata non si protocollano."),
        QStringLiteral("Il pulsante Registro giornaliero (Ctrl+Shift+G) produce il registro di un giorno scelto sul "
                       "calendario: i documenti protocollati quel giorno in ordine di numero, con le impronte dei loro "
                       "allegati, le correzioni e gli annullamenti del giorno, chiusi dall'impronta dello storico. Il "
                       "registro si può vedere in anteprima, stampare o salvare in un file PDF/A, adatto alla "
                       "conservazione."),
    };
}

// The two export windows explain their picture the same way, and all three spreadsheet topics end alike.
QString exportSteps()
{
    return QStringLiteral(
        "Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic sull'icona di "
        "Excel. Questa operazione crea in tempo reale un file in"
        " formato XLS contenente le schede in archivio, che potrà essere aperto immediatamente "
        "rispondendo affermativamente al messaggio di domanda che appare.");
}

QString saveUnderAnyName()
{
    return QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco fisso assegnandogli un nome "
                          "qualsiasi.");
}

// The last paragraph of a work window's help: its two buttons every work window has.
QString helpAndExit()
{
    return QStringLiteral("Il pulsante Guida (F1) mostra questa guida in linea; il pulsante Esci (Esc) chiude la "
                          "finestra di lavoro.");
}

} // namespace

QString joinParagraphs(const QStringList& paragraphs)
{
    return paragraphs.join(kParagraphSeparator);
}

HelpTopic launcher()
{
    QStringList paragraphs;
    paragraphs << QStringLiteral(
        "Plicario 3.0 è un software progettato per stampare indirizzi direttamente su buste da lettera oppure su fogli "
        "A4 da 24 etichette e protocollare la posta in entrata, in uscita e interna. L'indirizzo su ciascuna etichetta "
        "è composto da sei righe a compilazione libera. L'utente può decidere se inserire indirizzi diversi su ogni "
        "etichetta del foglio oppure ripetere gli stessi dati su tutte le etichette. Le etichette si prestano a essere "
        "usate non solo come indirizzi da applicare su buste da lettera, ma anche come tagliandi per contrassegnare "
        "merce di ogni tipo o protocollare documenti.");
    paragraphs << addressArchiveParagraphs() << labelSheetsParagraphs() << mailRegisterParagraphs();
    paragraphs << QStringLiteral("Il software può essere usato anche in una rete locale se si ha necessità di "
                                 "condividere gli archivi fra più postazioni di lavoro.")
               << QStringLiteral("Plicario 3.0 può essere utilizzato anche su chiavetta USB. A tal fine, basta copiare "
                                 "la cartella del programma su pen-drive e fare doppio clic"
                                 " sull'icona dell'applicazione per eseguirla. La copia della cartella su dispositivo "
                                 "esterno è anche il metodo più veloce per effettuare il backup di tutti gli archivi.")
               << QStringLiteral("L'accesso al software è protetto da una password aggiornabile dall'utente che può "
                                 "essere cambiata tutte le volte che si desidera.") +
                      QStringLiteral(" Per il primo accesso la password è %1: conviene sostituirla subito con una"
                                     " password personale, premendo il pulsante Cambia password nella finestra di"
                                     " autenticazione.")
                          .arg(kInitialPassword)
               << QStringLiteral("Plicario 3.0 è quindi lo strumento ideale per le aziende o i privati cittadini che "
                                 "vogliono avvalersi del proprio computer sia per protocollare la"
                                 " posta sia per stampare in pochi secondi indirizzi da applicare su buste da lettera "
                                 "o etichette utili per i motivi più disparati. L'utente resterà piacevolmente "
                                 "sorpreso nel constatare come il software richieda"
                                 " tempi di apprendimento praticamente nulli.");
    return {QStringLiteral("Uno sguardo a Plicario 3.0"), joinParagraphs(paragraphs)};
}

HelpTopic addressArchive()
{
    return {QStringLiteral("App Archivio Indirizzi"), joinParagraphs(addressArchiveParagraphs() << helpAndExit())};
}

HelpTopic labelSheets()
{
    return {QStringLiteral("App Gestione Etichette"), joinParagraphs(labelSheetsParagraphs() << helpAndExit())};
}

HelpTopic mailRegister()
{
    return {QStringLiteral("App Protocollo Posta"), joinParagraphs(mailRegisterParagraphs() << helpAndExit())};
}

HelpTopic addressExport()
{
    return {QStringLiteral("Esportazione archivio indirizzi in Excel"),
            joinParagraphs({
                QStringLiteral(
                    "Il pulsante Esporta archivio consente di esportare tutti gli indirizzi in archivio in un foglio "
                    "di lavoro di Microsoft Excel, che potrà essere aperto con qualsiasi software in grado di gestire "
                    "i file in formato XLS (ad esempio, con Open Office, Libre Office o Microsoft Office)."),
                exportSteps(),
                saveUnderAnyName(),
            })};
}

HelpTopic registerExport()
{
    return {QStringLiteral("Esportazione protocollo posta in Excel"),
            joinParagraphs({
                QStringLiteral(
                    "Il pulsante Esporta archivio consente di esportare l'archivio annuale del protocollo posta in un "
                    "foglio di lavoro di Microsoft Excel, che potrà essere aperto con qualsiasi software in grado di "
                    "gestire i file in formato XLS (ad esempio, con Open Office, Libre Office o Microsoft Office)."),
                exportSteps(),
                saveUnderAnyName(),
            })};
}

HelpTopic registerSummary()
{
    return {
        QStringLiteral("Riepilogo protocollo per intervallo di tempo"),
        joinParagraphs({
            QStringLiteral("E' possibile visualizzare il riepilogo dei documenti registrati in un qualsiasi intervallo "
                           "di tempo nell'anno solare nonché esportare lo stesso riepilogo in un foglio di lavoro di "
                           "Microsoft Excel, che potrà essere aperto con qualsiasi software in grado di gestire i file "
                           "in formato XLS (ad esempio, con Open Office, Libre Office o Microsoft Office)."),
            QStringLiteral(
                "Per ottenere l'elenco dei documenti protocollati, basta indicare la data di inizio e di fine "
                "intervallo in base alla data di registrazione. Per"
                " esportare il riepilogo, basta fare clic sull'icona di Excel. Questa operazione crea in tempo reale "
                "un file in formato .XLS contenente le schede in archivio, che potrà essere aperto immediatamente"
                " rispondendo affermativamente al messaggio di domanda che appare."),
            saveUnderAnyName(),
        })};
}

} // namespace HelpTopics
