#pragma once

#include "cli/json_lines.h"
#include "labels/label_compose.h"
#include "register/register_journal.h"

#include <QStringList>

// What every command of the batch tool receives.
struct CliContext
{
    QString folder;   // the program folder it works on
    QStringList args; // the command's own arguments, after its name
};

// The journal's author for everything the batch tool writes: this workstation's user, now.
JournalAuthor batchToolAuthor();

int runDump(const CliContext& ctx);
int runAppend(const CliContext& ctx);
int runWrite(const CliContext& ctx);
int runPassword(const CliContext& ctx);
int runExport(const CliContext& ctx);
// Imports addresses from a CSV or vCard file.
int runImport(const CliContext& ctx);
// Renders a printed page to PDF; needs a QGuiApplication.
int runPdf(const CliContext& ctx);
// Composes label sheets from the address archive and stores them.
int runCompose(const CliContext& ctx);
// Annuls a register card: the journal records it, the year file is untouched.
int runAnnul(const CliContext& ctx);
// Replays a register's journal against its year file; exits 1 when they disagree.
int runVerify(const CliContext& ctx);
// Registers one e-mail or certified e-mail message as a new incoming card; prints the card as JSON.
int runRegisterMail(const CliContext& ctx);
// "--tipo TEXT" and "--first-slot N", each at most once, in any order. Throws UsageError.
LabelCompose::Request composeOptions(const QStringList& options);
// Tells the user on standard error which cards a composition leaves out; throws UsageError when no sheet is left.
void reportLeftOut(const LabelCompose::Plan& plan);
