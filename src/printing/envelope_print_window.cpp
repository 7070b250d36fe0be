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

QLineEdit* marginField(const QString& objectName, const QString& accessibleName)
{
    auto* field = new QLineEdit;
    field->setObjectName(objectName);
    field->setAccessibleName(accessibleName);
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignCenter);
    QFont bold = field->font();
    bold.setBold(true);
    field->setFont(bold);
    field->setFixedWidth(70);
    return field;
}

QPushButton* stepButton(const QString& objectName, const QString& text, const QString& accessibleName)
{
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    button->setAccessibleName(accessibleName);
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
    layout->addLayout(top);

    m_txtTop = marginField(QStringLiteral("txtTop"), QStringLiteral("Margine superiore"));
    m_txtLeft = marginField(QStringLiteral("txtLeft"), QStringLiteral("Margine sinistro"));
    m_txtTop->setText(QStringLiteral("0"));
    m_txtLeft->setText(QStringLiteral("0"));
    QPushButton* topMinus =
        stepButton(QStringLiteral("btnTopMinus"), QStringLiteral("-"), QStringLiteral("Diminuisci margine superiore"));
    QPushButton* topPlus =
        stepButton(QStringLiteral("btnTopPlus"), QStringLiteral("+"), QStringLiteral("Aumenta margine superiore"));
    QPushButton* leftMinus =
        stepButton(QStringLiteral("btnLeftMinus"), QStringLiteral("-"), QStringLiteral("Diminuisci margine sinistro"));
    QPushButton* leftPlus =
        stepButton(QStringLiteral("btnLeftPlus"), QStringLiteral("+"), QStringLiteral("Aumenta margine sinistro"));

    auto* margins = new QGridLayout;
    margins->addWidget(new QLabel(QStringLiteral("Margine superiore:")), 0, 0);
    margins->addWidget(topMinus, 0, 1);
    margins->addWidget(m_txtTop, 0, 2);
    margins->addWidget(topPlus, 0, 3);
    margins->addWidget(new QLabel(QStringLiteral("mm")), 0, 4);
    margins->addWidget(new QLabel(QStringLiteral("Margine sinistro:")), 1, 0);
    margins->addWidget(leftMinus, 1, 1);
    margins->addWidget(m_txtLeft, 1, 2);
    margins->addWidget(leftPlus, 1, 3);
    margins->addWidget(new QLabel(QStringLiteral("mm")), 1, 4);
    margins->setColumnStretch(5, 1);

    margins->addWidget(new QLabel(QStringLiteral("Orientamento:")), 2, 0, 1, 5);
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
    margins->addLayout(orientation, 3, 0, 1, 6);
    layout->addLayout(margins);

    // Saving is part of printing only; these two never show.
    auto* applyTop = new QPushButton(this);
    applyTop->setObjectName(QStringLiteral("btnApplicaTop"));
    applyTop->hide();
    auto* applyLeft = new QPushButton(this);
    applyLeft->setObjectName(QStringLiteral("btnApplicaLeft"));
    applyLeft->hide();

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
    layout->addWidget(m_lblAttendere);

    auto* buttons = new QHBoxLayout;
    auto* cancel = new QPushButton(QStringLiteral("Annulla"));
    cancel->setObjectName(QStringLiteral("btnAnnulla"));
    auto* print = new QPushButton(QStringLiteral("Stampa"));
    print->setObjectName(QStringLiteral("btnStampa"));
    for (QPushButton* b : {cancel, print})
        b->setMinimumWidth(120);
    Keyboard::setShortcut(print, Keyboard::kPrint);
    Keyboard::setShortcut(cancel, Keyboard::kExit);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(print);
    layout->addLayout(buttons);

    connect(topMinus, &QPushButton::clicked, this, [this] { stepMargin(m_txtTop, -1); });
    connect(topPlus, &QPushButton::clicked, this, [this] { stepMargin(m_txtTop, 1); });
    connect(leftMinus, &QPushButton::clicked, this, [this] { stepMargin(m_txtLeft, -1); });
    connect(leftPlus, &QPushButton::clicked, this, [this] { stepMargin(m_txtLeft, 1); });
    connect(applyTop, &QPushButton::clicked, this, &EnvelopePrintWindow::saveTopSettings);
    connect(applyLeft, &QPushButton::clicked, this, &EnvelopePrintWindow::saveLeftSettings);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // The wait notice shows from the moment the button goes down.
    connect(print, &QPushButton::pressed, m_lblAttendere, &QWidget::show);
    connect(print, &QPushButton::clicked, this, &EnvelopePrintWindow::printEnvelope);

    setFixedSize(520, sizeHint().height());
    Keyboard::setUpWindow(this);
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
