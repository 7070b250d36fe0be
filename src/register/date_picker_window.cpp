#include "register/date_picker_window.h"

#include "common/keyboard_gui.h"
#include "common/window_gui.h"
#include "register/register_calendar_gui.h"
#include "register/register_pictures_gui.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

DatePickerWindow::DatePickerWindow(const QDate& today, QWidget* owner)
    : QDialog(owner, Windows::kFixedDialogFlags)
{
    setObjectName(QStringLiteral("frmCalendario"));
    setWindowTitle(QStringLiteral(" Importazione data"));

    auto* layout = new QVBoxLayout(this);
    auto* heading = new QHBoxLayout;
    heading->addWidget(registerPicture(QStringLiteral("imgCalendario"), QStringLiteral("calendar"), QSize(40, 40),
                                            QStringLiteral("Importazione data")));
    auto* caption = new QLabel(QStringLiteral("Importare una data:"));
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    heading->addWidget(caption, 1);
    layout->addLayout(heading);

    m_calendar = makeRegisterCalendar(
        QStringLiteral("calAppuntamenti"), QStringLiteral("Calendario"),
        QStringLiteral("Scegliere il giorno con le frecce; Pagina su e Pagina giù cambiano mese; Invio importa."));
    m_calendar->setSelectedDate(today);
    caption->setBuddy(m_calendar);
    layout->addWidget(m_calendar);

    auto* buttons = new QHBoxLayout;
    auto* import = new QPushButton(QStringLiteral("Importa"));
    import->setObjectName(QStringLiteral("btnImportaData"));
    Windows::describe(import, import->text(), QStringLiteral("Scrive la data scelta nella data di registrazione."));
    auto* cancel = new QPushButton(QStringLiteral("Annulla"));
    cancel->setObjectName(QStringLiteral("btnAnnulla"));
    Windows::describe(cancel, cancel->text(), QStringLiteral("Chiude il calendario senza cambiare la data."));
    Keyboard::setShortcut(cancel, Keyboard::kExit);
    buttons->addStretch();
    for (QPushButton* b : {import, cancel}) {
        b->setMinimumWidth(110);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(import, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // Enter or a double click on a day imports it, as "Importa" does.
    connect(m_calendar, &QCalendarWidget::activated, this, &QDialog::accept);
    m_calendar->setFocus(Qt::OtherFocusReason);
    setFixedSize(sizeHint());
    Keyboard::setUpWindow(this);
}

void DatePickerWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Windows::centre(this, Windows::Over::Owner);
}

QDate DatePickerWindow::date() const
{
    return m_calendar->selectedDate();
}

QString DatePickerWindow::dateText() const
{
    return date().toString(QStringLiteral("dd/MM/yyyy"));
}
