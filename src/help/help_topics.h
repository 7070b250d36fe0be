#pragma once

#include <QString>
#include <QStringList>

// One topic of the help window: a one-line title and a text of paragraphs joined by an empty line.
struct HelpTopic
{
    QString title;
    QString text;
};

// Every help topic of the program, one per window that offers help. The texts are the program's own, to the
// character; the windows only pass them to ShowHelp.
namespace HelpTopics {

// CR LF CR LF: the separator between two paragraphs of a topic text.
inline constexpr QStringView kParagraphSeparator = u"\r\n\r\n";

QString joinParagraphs(const QStringList& paragraphs);

// The launcher's help picture: "Uno sguardo a Plicario 3.0", 27 paragraphs that include the three application topics.
HelpTopic launcher();
// The address archive window: "App Archivio Indirizzi".
HelpTopic addressArchive();
// The label sheet window: "App Gestione Etichette".
HelpTopic labelSheets();
// The register's year menu and the register window share it: "App Protocollo Posta".
HelpTopic mailRegister();
// The address export window: "Esportazione archivio indirizzi in Excel".
HelpTopic addressExport();
// The register export window: "Esportazione protocollo posta in Excel".
HelpTopic registerExport();
// The register summary window: "Riepilogo protocollo per intervallo di tempo".
HelpTopic registerSummary();

// The password that the installation stores for the first access; the launcher topic tells it.
inline constexpr QStringView kInitialPassword = u"plicario";

} // namespace HelpTopics
