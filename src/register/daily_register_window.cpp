#include "register/daily_register_window.h"

#include "common/action_guard.h"
#include "common/app_context.h"
#include "common/keyboard_gui.h"
#include "common/messages.h"
#include "common/window_gui.h"
#include "printing/print_service.h"
#include "register/daily_register.h"
#include "register/daily_register_pdf.h"
#include "register/daily_register_report.h"
#include "register/register_calendar_gui.h"
#include "register/register_journal.h"
#include "register/register_pictures_gui.h"

#include <QCalendarWidget>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

DailyRegisterWindow::DailyRegisterWindow(const AppContext& context, const QString& yearFilePath, QWidget* owner)
    : QDialog(owner, Windows::kFixedDialogFlags), m_context(context), m_yearFilePath(yearFilePath),
      m_year(QFileInfo(yearFilePath).completeBaseName())
{
    setObjectName(QStringLiteral("frmRegistroGiornaliero"));
    setWindowTitle(QStringLiteral(" Registro giornaliero"));

    auto* layout = new QVBoxLayout(this);
    auto* heading = new QHBoxLayout;
    heading->addWidget(registerPicture(QStringLiteral("imgRegistro"), QStringLiteral("calendar"), QSize(40, 40),
                                       QStringLiteral("Registro giornaliero")));
    auto* caption = new QLabel(QStringLiteral("&Giorno del registro giornaliero %1:").arg(m_year));
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    heading->addWidget(caption, 1);
    layout->addLayout(heading);

    m_calendar = makeRegisterCalendar(QStringLiteral("calGiorno"), QStringLiteral("Giorno del registro"),
                                      QStringLiteral("Scegliere il giorno con le frecce; Pagina su e Pagina giù "
                                                     "cambiano mese; Invio mostra l'anteprima."));
    // The journal holds one year: the calendar keeps to it.
    const int year = m_year.toInt();
    if (year > 0)
        m_calendar->setDateRange(QDate(year, 1, 1), QDate(year, 12, 31));
    setDay(m_context.clock->today());
    caption->setBuddy(m_calendar);
    layout->addWidget(m_calendar);

    auto* note = new QLabel(QStringLiteral("Il registro elenca i documenti protocollati nel giorno, le correzioni e "
                                           "gli annullamenti, e si chiude con l'impronta dello storico."));
    note->setWordWrap(true);
    layout->addWidget(note);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* name, const QString& text, const QString& description) {
        auto* b = new QPushButton(text);
        b->setObjectName(QLatin1String(name));
        Windows::describe(b, b->text().remove(QLatin1Char('&')), description);
        b->setMinimumWidth(110);
        buttons->addWidget(b);
        return b;
    };
    buttons->addStretch();
    QPushButton* btnAnteprima =
        button("btnAnteprima", QStringLiteral("&Anteprima"), QStringLiteral("Mostra il registro del giorno scelto."));
    QPushButton* btnStampa =
        button("btnStampa", QStringLiteral("Stampa"), QStringLiteral("Stampa il registro del giorno scelto."));
    Keyboard::setShortcut(btnStampa, Keyboard::kPrint);
    QPushButton* btnPdf = button("btnSalvaPdf", QStringLiteral("Salva PDF"),
                                 QStringLiteral("Salva il registro del giorno scelto in un file PDF/A, adatto alla "
                                                "conservazione."));
    Keyboard::setShortcut(btnPdf, Keyboard::kSavePdf);
    QPushButton* btnChiudi = button("btnChiudi", QStringLiteral("Chiudi"), QStringLiteral("Chiude la finestra."));
    Keyboard::setShortcut(btnChiudi, Keyboard::kExit);
    layout->addLayout(buttons);

    connect(btnAnteprima, &QPushButton::clicked, this, &DailyRegisterWindow::preview);
    connect(btnStampa, &QPushButton::clicked, this, &DailyRegisterWindow::print);
    connect(btnPdf, &QPushButton::clicked, this, &DailyRegisterWindow::savePdf);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    // Enter or a double click on a day shows it, as "Anteprima" does.
    connect(m_calendar, &QCalendarWidget::activated, this, &DailyRegisterWindow::preview);
    m_calendar->setFocus(Qt::OtherFocusReason);
    setFixedSize(sizeHint());
    Keyboard::setUpWindow(this);
}

QDate DailyRegisterWindow::day() const
{
    return m_calendar->selectedDate();
}

void DailyRegisterWindow::setDay(const QDate& day)
{
    // A day outside the year becomes the nearest day of the year.
    m_calendar->setSelectedDate(std::clamp(day, m_calendar->minimumDate(), m_calendar->maximumDate()));
}

void DailyRegisterWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Windows::centre(this, Windows::Over::Owner);
}

DailyRegister DailyRegisterWindow::chosenDay() const
{
    return DailyRegister::collect(RegisterJournal::read(m_yearFilePath), day());
}

void DailyRegisterWindow::preview()
{
    runGuarded(this, m_context.messages,
               [this] { m_context.printService->preview(this, DailyRegisterReport::prepare(chosenDay(), m_year)); });
}

void DailyRegisterWindow::print()
{
    runGuarded(this, m_context.messages,
               [this] { m_context.printService->print(this, DailyRegisterReport::prepare(chosenDay(), m_year)); });
}

void DailyRegisterWindow::savePdf()
{
    runGuarded(this, m_context.messages, [this] {
        const QString suggested =
            QDir(QFileInfo(m_yearFilePath).absolutePath())
                .filePath(
                    QStringLiteral("Registro giornaliero %1.pdf").arg(day().toString(QStringLiteral("yyyy-MM-dd"))));
        const QString path =
            m_context.saveFileChooser->chooseSaveFile(this, QStringLiteral("Salva il registro giornaliero in PDF"),
                                                      suggested, QStringLiteral("Documenti PDF (*.pdf)"));
        if (path.isEmpty())
            return;
        writeDailyRegisterPdf(chosenDay(), m_year, path);
        m_context.messages->information(
            this, QStringLiteral("Registro giornaliero del %1 salvato nel file PDF:\n%2")
                      .arg(day().toString(QStringLiteral("dd/MM/yyyy")), QDir::toNativeSeparators(path)));
    });
}
