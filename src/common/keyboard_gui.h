#pragma once

#include <QString>
#include <functional>

class QAbstractButton;
class QShortcut;
class QWidget;

// The program's one set of shortcuts, and the keys every window answers alike.
namespace Keyboard {

inline constexpr const char* kNew = "Ctrl+N";
inline constexpr const char* kDuplicate = "Ctrl+D";
inline constexpr const char* kSave = "Ctrl+S";
inline constexpr const char* kFind = "Ctrl+F";
inline constexpr const char* kPrint = "Ctrl+P";
inline constexpr const char* kFirst = "Ctrl+Home";
inline constexpr const char* kPrevious = "Ctrl+PgUp";
inline constexpr const char* kNext = "Ctrl+PgDown";
inline constexpr const char* kLast = "Ctrl+End";
inline constexpr const char* kHelp = "F1";
inline constexpr const char* kExit = "Esc";
// Import: in a label slot's name field, an address card into that slot; in the address archive, a contact file.
inline constexpr const char* kImport = "Ctrl+I";
// Label sheets composed from the whole address archive, and the label stock's settings.
inline constexpr const char* kCompose = "Ctrl+M";
inline constexpr const char* kLabelStock = "Ctrl+L";
// The register's summary, export, numbering and further documents.
inline constexpr const char* kSummary = "Ctrl+R";
inline constexpr const char* kExport = "Ctrl+E";
inline constexpr const char* kNumbering = "Ctrl+Shift+N";
inline constexpr const char* kAttach = "Ctrl+G";
// A registered document's annulment.
inline constexpr const char* kAnnul = "Ctrl+Shift+A";
// The register of one day, and a document saved as a PDF file.
inline constexpr const char* kDailyRegister = "Ctrl+Shift+G";
inline constexpr const char* kSavePdf = "Ctrl+Shift+S";
// A mail message registered from its file.
inline constexpr const char* kRegisterMail = "Ctrl+Shift+E";

// The keys every window answers alike; call it at the end of the constructor (again for controls made later):
// - Enter (and Return) on a focused button presses it, as Space does. Enter in a field is left to the field, so a
//   field's own Enter (move to the next field, to a button) keeps its meaning. Qt's "default button" is turned off
//   for push buttons, so Enter in a field never presses a button the user did not reach.
// - The window's shortcuts win over the editing keys of the focused field (Ctrl+Home in a line edit).
// - When a modal window it opened closes, it takes the keyboard back (ModalWindows).
void setUpWindow(QWidget* window);

// Gives `button` the shortcut `keys` (one of the set above) and names it in the tooltip, after the tooltip's words or,
// with no tooltip yet, after the accessible name: "Salva (Ctrl+S)".
void setShortcut(QAbstractButton* button, const char* keys);

// The tooltip of a control with a shortcut: "Salva (Ctrl+S)"; just `name` without one.
QString tooltip(const QString& name, const char* keys);

// A shortcut of `window` that no button carries (Esc on a main window); it works wherever the focus is in it.
QShortcut* addShortcut(QWidget* window, const char* keys, const std::function<void()>& action);

} // namespace Keyboard
