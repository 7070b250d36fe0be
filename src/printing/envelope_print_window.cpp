#include "printing/envelope_print_window.h"

#include "common/action_guard.h"
#include "common/app_context.h"
#include "common/colours.h"
#include "common/errors.h"
#include "common/keyboard_gui.h"
#include "common/messages.h"
#include "common/pictures_gui.h"
#include "common/text.h"
#include "common/window_gui.h"
#include "printing/print_service.h"
#include "printing/templates/envelope_template.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

namespace {

const QString kPrintFailed = QStringLiteral("Attenzione: la stampa non è andata a buon fine.\n\r\n\r"
                                            "Si consiglia di controllare le impostazioni della stampante.");

// One row of margin controls: "Margine superiore:  [-] [ 0 ] [+]  mm". Object names from `id`: txtTop, btnTopMinus.
struct MarginRow
{
    const char* id;   // "Top"
    const char* side; // "superiore"
};
constexpr MarginRow kMarginRows[] = {{"Top", "superiore"}, {"Left", "sinistro"}};

QLineEdit* marginField(const QString& objectName, const QString& accessibleName)
{
    auto* field = new QLineEdit;
    field->setObjectName(objectName);
    Windows::describe(field, accessibleName, QStringLiteral("Millimetri; si cambiano con i pulsanti - e + accanto."));
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignCenter);
    QFont bold = field->font();
    bold.setBold(true);
    field->setFont(bold);
    field->setFixedWidth(70);
    field->setText(QStringLiteral("0"));
    return field;
}

QPushButton* stepButton(const QString& objectName, const QString& text, const QString& accessibleName)
{
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    Windows::describe(button, accessibleName, accessibleName + QStringLiteral(" di un millimetro."));
    button->setFixedWidth(36);
    return button;
}

} // namespace

EnvelopePrintWindow::EnvelopePrintWindow(const AppContext& context, const QStringList& addressLines, QWidget* owner)
    : QDialog(owner, Windows::kFixedDialogFlags), m_context(context), m_addressLines(addressLines),
      m_repModulo(EnvelopeTemplate::make())
{
    setObjectName(QStringLiteral("frmStampaBusta"));
    setWindowTitle(QStringLiteral(" Stampa indirizzo su busta"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(makeInstructions());
    layout->addLayout(makeSettings());
    makeWaitNotice();
    layout->addWidget(m_lblAttendere);
    layout->addLayout(makeButtons());

    // Saving is part of printing only; these two never show.
    auto* applyTop = new QPushButton(this);
    applyTop->setObjectName(QStringLiteral("btnApplicaTop"));
    applyTop->hide();
    auto* applyLeft = new QPushButton(this);
    applyLeft->setObjectName(QStringLiteral("btnApplicaLeft"));
    applyLeft->hide();
    connect(applyTop, &QPushButton::clicked, this, &EnvelopePrintWindow::saveTopSettings);
    connect(applyLeft, &QPushButton::clicked, this, &EnvelopePrintWindow::saveLeftSettings);

    setFixedSize(520, sizeHint().height());
    Keyboard::setUpWindow(this);
}

QLayout* EnvelopePrintWindow::makeInstructions()
{
    // The picture: a printer and how to find the margins.
    auto* top = new QHBoxLayout;
    auto* printer = new QLabel;
    printer->setObjectName(QStringLiteral("imgStampante"));
    printer->setAccessibleName(QStringLiteral("Stampante"));
    printer->setPixmap(Pictures::pixmap(QStringLiteral("addresses/print"), QSize(64, 64), devicePixelRatioF()));
    auto* instructions = new QLabel(
        QStringLiteral("<p>Impostare i margini superiore e sinistro, in millimetri, per adattare la stampa "
                       "dell'indirizzo alla propria busta, facendo delle prove fino a trovare i valori giusti.</p>"
                       "<p>Aumentare i valori per spostare la stampa verso il basso e verso destra; diminuirli, "
                       "anche sotto lo zero, per spostarla verso l'alto e verso sinistra.</p>"));
    instructions->setObjectName(QStringLiteral("lblIstruzioni"));
    instructions->setWordWrap(true);
    top->addWidget(printer, 0, Qt::AlignTop);
    top->addWidget(instructions, 1);
    return top;
}

QLayout* EnvelopePrintWindow::makeSettings()
{
    auto* margins = new QGridLayout;
    int row = 0;
    for (const MarginRow& spec : kMarginRows) {
        const QString id = QLatin1String(spec.id);
        const QString name = QStringLiteral("Margine %1").arg(QLatin1String(spec.side));
        QLineEdit* field = marginField(QStringLiteral("txt") + id, name);
        QPushButton* minus = stepButton(QStringLiteral("btn%1Minus").arg(id), QStringLiteral("-"),
                                        QStringLiteral("Diminuisci ") + name.toLower());
        QPushButton* plus = stepButton(QStringLiteral("btn%1Plus").arg(id), QStringLiteral("+"),
                                       QStringLiteral("Aumenta ") + name.toLower());
        connect(minus, &QPushButton::clicked, this, [this, field] { stepMargin(field, -1); });
        connect(plus, &QPushButton::clicked, this, [this, field] { stepMargin(field, 1); });
        auto* label = new QLabel(name + QLatin1Char(':'));
        label->setBuddy(field);
        margins->addWidget(label, row, 0);
        margins->addWidget(minus, row, 1);
        margins->addWidget(field, row, 2);
        margins->addWidget(plus, row, 3);
        margins->addWidget(new QLabel(QStringLiteral("mm")), row, 4);
        (row == 0 ? m_txtTop : m_txtLeft) = field;
        ++row;
    }
    margins->setColumnStretch(5, 1);

    margins->addWidget(new QLabel(QStringLiteral("Orientamento:")), row, 0, 1, 5);
    m_optVerticale = new QRadioButton(QStringLiteral("Verticale"));
    m_optVerticale->setObjectName(QStringLiteral("optVerticale"));
    m_optOrizzontale = new QRadioButton(QStringLiteral("Orizzontale"));
    m_optOrizzontale->setObjectName(QStringLiteral("optOrizzontale"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_optVerticale);
    group->addButton(m_optOrizzontale);
    m_optVerticale->setChecked(true);
    auto* orientation = new QHBoxLayout;
    orientation->addWidget(m_optVerticale);
    orientation->addWidget(m_optOrizzontale);
    orientation->addStretch();
    margins->addLayout(orientation, row + 1, 0, 1, 6);
    return margins;
}

void EnvelopePrintWindow::makeWaitNotice()
{
    m_lblAttendere = new QLabel(QStringLiteral("Elaborazione in corso. Attendere..."));
    m_lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    QFont italic = m_lblAttendere->font();
    italic.setItalic(true);
    m_lblAttendere->setFont(italic);
    QPalette crimson = m_lblAttendere->palette();
    crimson.setColor(QPalette::WindowText, Colours::kCrimson);
    m_lblAttendere->setPalette(crimson);
    m_lblAttendere->setAlignment(Qt::AlignCenter);
    m_lblAttendere->setMinimumHeight(m_lblAttendere->sizeHint().height());
    QSizePolicy keepPlace = m_lblAttendere->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_lblAttendere->setSizePolicy(keepPlace);
    m_lblAttendere->hide();
}

QLayout* EnvelopePrintWindow::makeButtons()
{
    const struct
    {
        const char* objectName;
        const char* text;
        const char* hint;
        const char* shortcut;
        std::function<void()> action;
        bool showsWaitNotice; // from the moment the button goes down, before the work holds the window
    } rows[] = {
        {"btnAnnulla", "Annulla", "Chiude la finestra senza stampare.", Keyboard::kExit, [this] { reject(); }, false},
        {"btnStampa", "Stampa", "Salva i margini e l'orientamento e stampa l'indirizzo sulla busta.", Keyboard::kPrint,
         [this] { printEnvelope(); }, true},
    };
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (const auto& row : rows) {
        auto* button = new QPushButton(QString::fromUtf8(row.text));
        button->setObjectName(QLatin1String(row.objectName));
        Windows::describe(button, button->text(), QString::fromUtf8(row.hint));
        Keyboard::setShortcut(button, row.shortcut);
        button->setMinimumWidth(120);
        connect(button, &QPushButton::clicked, this, row.action);
        if (row.showsWaitNotice)
            connect(button, &QPushButton::pressed, m_lblAttendere, &QWidget::show);
        buttons->addWidget(button);
    }
    return buttons;
}

void EnvelopePrintWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        Windows::centre(this, Windows::Over::Owner);
        loadSettings();
    }
    QDialog::showEvent(event);
}

void EnvelopePrintWindow::loadSettings()
{
    // Not guarded: an unreadable file reads as empty, which shows as "0" and "Verticale".
    const EnvelopeSettings settings = EnvelopeSettings::load(m_context.programFolder);
    m_txtTop->setText(settings.top);
    m_txtLeft->setText(settings.left);
    if (settings.orientation == Orientation::Landscape)
        m_optOrizzontale->setChecked(true);
}

EnvelopeSettings EnvelopePrintWindow::settingsOnScreen() const
{
    EnvelopeSettings settings;
    settings.top = m_txtTop->text();
    settings.left = m_txtLeft->text();
    settings.orientation = m_optVerticale->isChecked() ? Orientation::Portrait : Orientation::Landscape;
    return settings;
}

void EnvelopePrintWindow::saveTopSettings()
{
    settingsOnScreen().saveTop(m_context.programFolder);
}

void EnvelopePrintWindow::saveLeftSettings()
{
    settingsOnScreen().saveLeft(m_context.programFolder);
}

void EnvelopePrintWindow::stepMargin(QLineEdit* margin, int delta)
{
    runGuarded(this, m_context.messages, [&] {
        bool ok = false;
        const int value = Text::trimmed(margin->text()).toInt(&ok);
        if (!ok)
            throw PlicarioError(QStringLiteral("\"%1\" non è un numero intero valido.").arg(margin->text()));
        // A margin read from the settings may sit at the int limit: the step stops there.
        const qint64 stepped = std::clamp<qint64>(qint64(value) + delta, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max());
        margin->setText(QString::number(stepped));
    });
}

void EnvelopePrintWindow::printEnvelope()
{
    try {
        saveTopSettings();
        saveLeftSettings();
        m_lblAttendere->show();
        const EnvelopeSettings settings = settingsOnScreen();
        EnvelopeTemplate::fill(m_repModulo, settings.orientation, EnvelopeSettings::parseMargin(settings.top),
                               EnvelopeSettings::parseMargin(settings.left), m_addressLines);
        const PreparedReport pages = m_repModulo.prepare(m_context.clock->today());
        m_context.printService->print(this, pages);
        m_lblAttendere->hide();
    } catch (...) {
        m_context.messages->warning(this, kPrintFailed);
    }
    accept();
}
