#pragma once

#include "printing/label_settings.h"

#include <QDialog>

struct AppContext;
class QComboBox;
class QDoubleSpinBox;
class QLayout;

// "Formato etichette": the label stock, chosen from the common ones or measured by hand, and the printer's offset,
// kept in Impostazioni.ini; "Pagina di prova" shows the calibration page of what the window holds, from which it
// prints or is saved as a PDF file.
class LabelStockWindow : public QDialog
{
    Q_OBJECT

public:
    LabelStockWindow(const AppContext& context, QWidget* owner);

    // "Formato etichette..." (Ctrl+L) for the windows that print labels: opens this window over `owner`.
    static class QPushButton* makeOpenButton(const AppContext& context, QWidget* owner);

    // What the window holds now.
    LabelSettings settings() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLayout* buildStockChoice();
    QWidget* buildMeasures();
    QWidget* buildOffset();
    QLayout* buildButtons();
    void showStoredSettings();
    QDoubleSpinBox* addMeasure(class QFormLayout* form, const char* objectName, const QString& label,
                               const QString& hint, double minimum);
    void showStock(const LabelStock& stock);
    void stockChosen(int index);
    void save();
    void testPage();
    // The settings, or nothing after telling the user why they cannot be used.
    std::optional<LabelSettings> checked();

    const AppContext& m_context;
    QString m_loadProblem;
    QComboBox* m_cboFormato = nullptr;
    QList<QDoubleSpinBox*> m_measures; // width, height, left, top, horizontal and vertical pitch
    QList<class QLabel*> m_measureValues; // the same, as a known stock shows them: values, not fields
    QDoubleSpinBox* m_offsetLeft = nullptr;
    QDoubleSpinBox* m_offsetTop = nullptr;
};
