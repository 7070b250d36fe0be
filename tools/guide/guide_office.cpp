#include "guide_office.h"

#include "addresses/address_card.h"
#include "common/record_file.h"
#include "labels/label_sheet.h"
#include "register/register_card.h"
#include "register/register_journal.h"

namespace {

struct Person
{
    const char* name;
    const char* type;
    const char* lines[3];
};

// Invented people and firms; the addresses are plausible, none is real.
constexpr Person kPeople[] = {
    {"Studio Bianchi & Associati", "Cliente", {"Via Garibaldi 12", "27100 Pavia PV", ""}},
    {"Rossi Forniture Srl", "Fornitore", {"Corso Italia 45", "20122 Milano MI", ""}},
    {"Dott.ssa Anna Verdi", "Cliente", {"Piazza della Vittoria 3", "Scala B", "16121 Genova GE"}},
    {"Comune di Valfiorita", "Ente", {"Ufficio Protocollo", "Piazza Municipio 1", "27040 Valfiorita PV"}},
    {"Mario Esposito", "Privato", {"Via dei Mille 8", "80121 Napoli NA", ""}},
};

struct Document
{
    const char* type;
    const char* subject;
    const char* sender;
    const char* recipient;
    const char* category;
};

constexpr Document kDocuments[] = {
    {"In entrata", "Richiesta di preventivo per fornitura di cancelleria", "Rossi Forniture Srl", "", "Acquisti"},
    {"In uscita", "Invio preventivo n. 14/2026", "", "Studio Bianchi & Associati", "Clienti"},
    {"In entrata", "Comunicazione orari di apertura uffici comunali", "Comune di Valfiorita", "", "Enti"},
    {"Interna", "Turni di ferie del personale, secondo trimestre", "Amministrazione", "Tutti gli uffici", "Personale"},
    {"In entrata", "Fattura n. 231 del 10/03/2026", "Rossi Forniture Srl", "", "Fatture"},
    {"In uscita", "Conferma d'ordine e condizioni di pagamento", "", "Rossi Forniture Srl", "Acquisti"},
};

} // namespace

GuideOffice::GuideOffice()
{
    m_context.programFolder = m_dir.path();
    m_context.clock = &m_clock;
    m_context.messages = &m_messages;
    m_context.shell = &m_shell;
    m_context.fileChooser = &m_files;
    m_context.saveFileChooser = &m_files;
    m_context.printService = &m_printer;
    if (m_dir.isValid())
        writeSamples();
}

QString GuideOffice::registerYear() const
{
    return RegisterYear::filePath(m_dir.path(), QStringLiteral("2026"));
}

void GuideOffice::writeSamples()
{
    AddressCardFile addresses(m_dir.path());
    LabelSheet sheet;
    int slot = 0;
    for (const Person& p : kPeople) {
        AddressCard card;
        card.setValue(AddressCard::Nome, QString::fromUtf8(p.name));
        card.setValue(AddressCard::Tipo, QString::fromUtf8(p.type));
        card.setValue(AddressCard::Rigo01, QString::fromUtf8(p.name));
        for (int i = 0; i < 3; ++i)
            card.setValue(AddressCard::Rigo02 + i, QString::fromUtf8(p.lines[i]));
        addresses.append(card);
        ++slot;
        sheet.setName(slot, QString::fromUtf8(p.name));
        sheet.setLine(slot, 1, QString::fromUtf8(p.name));
        for (int i = 0; i < 3; ++i)
            sheet.setLine(slot, 2 + i, QString::fromUtf8(p.lines[i]));
    }
    LabelSheetFile(m_dir.path()).append(sheet);

    RawRecordFile year(registerYear(), RegisterCard::recordSize());
    RegisterJournalWriter journal(
        year, {QStringLiteral("segreteria"), JournalAuthor::kWindow, QDateTime(m_clock.today(), QTime(9, 15))});
    int number = 0;
    for (const Document& d : kDocuments) {
        RegisterCard card;
        card.setValue(RegisterCard::Numero, QString::number(++number));
        card.setValue(RegisterCard::Tipologia, QString::fromUtf8(d.type));
        card.setValue(RegisterCard::DataReg, m_clock.today().toString(QStringLiteral("dd/MM/yyyy")));
        card.setValue(RegisterCard::Ufficio, QStringLiteral("Segreteria"));
        card.setValue(RegisterCard::Operatore, QStringLiteral("Laura Conti"));
        card.setValue(RegisterCard::Categoria, QString::fromUtf8(d.category));
        card.setValue(RegisterCard::Collocazione, QStringLiteral("Archivio corrente, faldone 3"));
        card.setValue(RegisterCard::Oggetto, QString::fromUtf8(d.subject));
        card.setValue(RegisterCard::Formato, QStringLiteral("A4"));
        card.setValue(RegisterCard::Pagine, QString::number(1 + number % 3));
        card.setValue(RegisterCard::Mittente, QString::fromUtf8(d.sender));
        card.setValue(RegisterCard::Destinatario, QString::fromUtf8(d.recipient));
        journal.registerCard(card.toBytes());
    }
}
