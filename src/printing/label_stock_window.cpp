#include "printing/label_stock_window.h"

#include "common/action_guard.h"
#include "common/app_context.h"
#include "common/errors.h"
#include "common/keyboard_gui.h"
#include "common/messages.h"
#include "common/window_gui.h"
#include "printing/print_service.h"
#include "printing/templates/label_calibration_template.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kCustomTitle = QStringLiteral("Personalizzato");
constexpr double LabelStock::*kFields[] = {&LabelStock::width, &LabelStock::height, &LabelStock::left,
                                           &LabelStock::top,   &LabelStock::hPitch, &LabelStock::vPitch};

QDoubleSpinBox* millimetres(const char* objectName, double minimum, double maximum)
{
    auto* box = new QDoubleSpinBox;
    box->setObjectName(QLatin1String(objectName));
    box->setLocale(QLocale(QLocale::Italian)); // a decimal comma, as the rest of the program writes numbers
    box->setDecimals(2);
    box->setRange(minimum, maximum);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

QLabel* instructions()
{
    auto* intro = new QLabel(QStringLiteral("Scegliere il foglio di etichette in uso (3 colonne per 8 righe su A4) "
                                            "oppure misurarlo. Stampare la pagina di prova e appoggiarla su un foglio "
                                            "di etichette: se i riquadri non cadono sulle etichette, aggiungere allo "
                                            "scostamento la distanza letta sui righelli."));
    intro->setObjectName(QStringLiteral("lblIstruzioni"));
    intro->setWordWrap(true);
    return intro;
}

} // namespace

LabelStockWindow::LabelStockWindow(const AppContext& context, QWidget* owner)
    : QDialog(owner, Windows::kFixedDialogFlags), m_context(context)
{
    setObjectName(QStringLiteral("frmFormato_Etichette"));
    setWindowTitle(QStringLiteral(" Formato etichette"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(instructions());
    layout->addLayout(buildStockChoice());
    layout->addWidget(buildMeasures());
    layout->addWidget(buildOffset());
    layout->addLayout(buildButtons());

    showStoredSettings();
    connect(m_cboFormato, &QComboBox::currentIndexChanged, this, &LabelStockWindow::stockChosen);
    m_cboFormato->setFocus(Qt::OtherFocusReason);
    setFixedSize(520, sizeHint().height());
    Keyboard::setUpWindow(this);
}

QLayout* LabelStockWindow::buildStockChoice()
{
    auto* stockForm = new QFormLayout;
    m_cboFormato = new QComboBox;
    m_cboFormato->setObjectName(QStringLiteral("cboFormato"));
    for (const LabelStock& s : LabelStock::known())
        m_cboFormato->addItem(s.title, s.id);
    m_cboFormato->addItem(kCustomTitle, LabelStock::kCustomId);
    Windows::describe(m_cboFormato, QStringLiteral("Formato"), QStringLiteral("Il foglio di etichette in uso."));
    stockForm->addRow(QStringLiteral("&Formato:"), m_cboFormato);
    return stockForm;
}

// The six measures of the sheet, which only a custom stock lets the user change.
QWidget* LabelStockWindow::buildMeasures()
{
    auto* measures = new QGroupBox(QStringLiteral("Misure del foglio"));
    auto* measureForm = new QFormLayout(measures);
    const char* names[] = {"spnLarghezza",        "spnAltezza",          "spnMargineSinistro",
                           "spnMargineSuperiore", "spnPassoOrizzontale", "spnPassoVerticale"};
    const QString labels[] = {QStringLiteral("Larghezza etichetta"), QStringLiteral("Altezza etichetta"),
                              QStringLiteral("Margine sinistro"),    QStringLiteral("Margine superiore"),
                              QStringLiteral("Passo orizzontale"),   QStringLiteral("Passo verticale")};
    const QString hints[] = {
        QStringLiteral("La larghezza di un'etichetta."),
        QStringLiteral("L'altezza di un'etichetta."),
        QStringLiteral("Dal bordo sinistro del foglio al bordo sinistro della prima etichetta."),
        QStringLiteral("Dal bordo superiore del foglio al bordo superiore della prima etichetta."),
        QStringLiteral("Dal bordo sinistro di un'etichetta a quello dell'etichetta alla sua destra."),
        QStringLiteral("Dal bordo superiore di un'etichetta a quello dell'etichetta sotto di essa.")};
    for (int i = 0; i < 6; ++i) {
        // A known stock's measures are facts to read, a custom one's are fields: both stand in the row, one shown.
        QDoubleSpinBox* field = millimetres(names[i], 0, LabelStock::kPaperHeight);
        Windows::describe(field, labels[i], hints[i]);
        auto* value = new QLabel;
        value->setObjectName(QStringLiteral("lbl") + QLatin1String(names[i]).mid(3));
        value->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
        value->setFocusPolicy(Qt::TabFocus); // still reached by Tab, and read by a screen reader
        Windows::describe(value, labels[i], hints[i]);
        value->setMinimumHeight(field->sizeHint().height()); // the window keeps its size when the stock changes
        auto* row = new QWidget;
        auto* both = new QHBoxLayout(row);
        both->setContentsMargins(0, 0, 0, 0);
        both->addWidget(value);
        both->addWidget(field);
        auto* caption = new QLabel(labels[i] + QLatin1Char(':'));
        caption->setBuddy(field);
        measureForm->addRow(caption, row);
        m_measures << field;
        m_measureValues << value;
    }
    return measures;
}

QWidget* LabelStockWindow::buildOffset()
{
    auto* offset = new QGroupBox(QStringLiteral("Scostamento della stampante"));
    auto* offsetForm = new QFormLayout(offset);
    m_offsetLeft = addMeasure(offsetForm, "spnScostamentoSinistro", QStringLiteral("Verso destra"),
                              QStringLiteral("Sposta la stampa a destra; un numero negativo la sposta a sinistra."),
                              -LabelSettings::kMaxOffset);
    m_offsetTop = addMeasure(offsetForm, "spnScostamentoSuperiore", QStringLiteral("Verso il basso"),
                             QStringLiteral("Sposta la stampa in basso; un numero negativo la sposta in alto."),
                             -LabelSettings::kMaxOffset);
    for (QDoubleSpinBox* box : {m_offsetLeft, m_offsetTop})
        box->setMaximum(LabelSettings::kMaxOffset);
    return offset;
}

QLayout* LabelStockWindow::buildButtons()
{
    auto* buttons = new QHBoxLayout;
    auto* test = new QPushButton(QStringLiteral("Pagina di prova"));
    test->setObjectName(QStringLiteral("btnProva"));
    Windows::describe(test, QStringLiteral("Pagina di prova"),
                      QStringLiteral("Mostra la pagina di prova, da stampare o salvare come PDF."));
    auto* cancel = new QPushButton(QStringLiteral("Annulla"));
    cancel->setObjectName(QStringLiteral("btnAnnulla"));
    Windows::describe(cancel, QStringLiteral("Annulla"), QStringLiteral("Chiude senza salvare."));
    auto* save = new QPushButton(QStringLiteral("Salva"));
    save->setObjectName(QStringLiteral("btnSalva"));
    Windows::describe(save, QStringLiteral("Salva"), QStringLiteral("Salva formato e scostamento e chiude."));
    Keyboard::setShortcut(test, Keyboard::kPrint);
    Keyboard::setShortcut(cancel, Keyboard::kExit);
    Keyboard::setShortcut(save, Keyboard::kSave);
    buttons->addWidget(test);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(save);
    connect(test, &QPushButton::clicked, this, &LabelStockWindow::testPage);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(save, &QPushButton::clicked, this, &LabelStockWindow::save);
    return buttons;
}

// What Impostazioni.ini holds; a section that cannot be used shows the default stock, and the user is told once the
// window shows.
void LabelStockWindow::showStoredSettings()
{
    LabelSettings loaded;
    try {
        loaded = LabelSettings::load(m_context.programFolder);
    } catch (const SettingsError& e) {
        m_loadProblem = e.message();
    }
    showStock(loaded.stock);
    m_offsetLeft->setValue(loaded.offsetLeft);
    m_offsetTop->setValue(loaded.offsetTop);
}

QPushButton* LabelStockWindow::makeOpenButton(const AppContext& context, QWidget* owner)
{
    auto* button = new QPushButton(QStringLiteral("Formato etichette..."));
    button->setObjectName(QStringLiteral("btnFormato"));
    Windows::describe(button, QStringLiteral("Formato etichette"),
                      QStringLiteral("Il foglio di etichette in uso e lo scostamento della stampante."));
    Keyboard::setShortcut(button, Keyboard::kLabelStock);
    QObject::connect(button, &QPushButton::clicked, owner,
                     [&context, owner] { LabelStockWindow(context, owner).exec(); });
    return button;
}

QDoubleSpinBox* LabelStockWindow::addMeasure(QFormLayout* form, const char* objectName, const QString& label,
                                             const QString& hint, double minimum)
{
    QDoubleSpinBox* box = millimetres(objectName, minimum, LabelStock::kPaperHeight);
    Windows::describe(box, label, hint);
    form->addRow(label + QLatin1Char(':'), box);
    return box;
}

void LabelStockWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        Windows::centre(this, Windows::Over::Owner);
        if (!m_loadProblem.isEmpty())
            QTimer::singleShot(0, this, [this] {
                m_context.messages->warning(this, m_loadProblem +
                                                      QStringLiteral("\n\nLa finestra mostra il formato predefinito."));
                m_loadProblem.clear();
            });
    }
    QDialog::showEvent(event);
}

void LabelStockWindow::showStock(const LabelStock& stock)
{
    const QSignalBlocker blocker(m_cboFormato);
    m_cboFormato->setCurrentIndex(std::max(0, m_cboFormato->findData(stock.id)));
    const bool custom = stock.id == LabelStock::kCustomId;
    const QLocale italian(QLocale::Italian);
    for (int i = 0; i < m_measures.size(); ++i) {
        const bool hadFocus = m_measures[i]->hasFocus() || m_measureValues[i]->hasFocus();
        m_measures[i]->setValue(stock.*kFields[i]);
        m_measureValues[i]->setText(italian.toString(stock.*kFields[i], 'f', 2) + QStringLiteral(" mm"));
        m_measureValues[i]->setAccessibleName(m_measures[i]->accessibleName() + QStringLiteral(": ") +
                                              m_measureValues[i]->text());
        m_measures[i]->setVisible(custom);
        m_measureValues[i]->setVisible(!custom);
        if (hadFocus)
            (custom ? static_cast<QWidget*>(m_measures[i]) : m_measureValues[i])->setFocus(Qt::OtherFocusReason);
    }
}

void LabelStockWindow::stockChosen(int index)
{
    const QString id = m_cboFormato->itemData(index).toString();
    if (const std::optional<LabelStock> known = LabelStock::find(id)) {
        showStock(*known);
        return;
    }
    // A custom stock starts from the measures on screen.
    LabelStock custom = settings().stock;
    custom.id = LabelStock::kCustomId;
    custom.title = kCustomTitle;
    showStock(custom);
}

LabelSettings LabelStockWindow::settings() const
{
    LabelSettings s;
    const QString id = m_cboFormato->currentData().toString();
    if (const std::optional<LabelStock> known = LabelStock::find(id)) {
        s.stock = *known;
    } else {
        s.stock.id = LabelStock::kCustomId;
        s.stock.title = kCustomTitle;
        for (int i = 0; i < m_measures.size(); ++i)
            s.stock.*kFields[i] = m_measures[i]->value();
    }
    s.offsetLeft = m_offsetLeft->value();
    s.offsetTop = m_offsetTop->value();
    return s;
}

std::optional<LabelSettings> LabelStockWindow::checked()
{
    const LabelSettings s = settings();
    if (const std::optional<QString> problem = s.problem()) {
        m_context.messages->warning(this, *problem);
        return std::nullopt;
    }
    return s;
}

void LabelStockWindow::save()
{
    const std::optional<LabelSettings> s = checked();
    if (!s)
        return;
    if (runGuarded(this, m_context.messages, [&] { s->save(m_context.programFolder); }))
        accept();
}

void LabelStockWindow::testPage()
{
    const std::optional<LabelSettings> s = checked();
    if (!s)
        return;
    runGuarded(this, m_context.messages, [&] {
        m_context.printService->preview(this, LabelCalibrationTemplate::make(*s).prepare(m_context.clock->today()));
    });
}
