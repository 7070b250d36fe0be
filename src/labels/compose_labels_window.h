#pragma once

#include "labels/label_compose.h"

#include <QDialog>

struct AppContext;
class LabelPages;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTimer;

// "Componi dall'archivio": which cards of the address archive go on labels (all, or those of a type) and from which
// label of the first sheet on; it tells how many cards, sheets and left-out cards that makes, then previews or prints
// all the sheets in one job, saves them as one PDF file, or stores them at the end of the label archive.
class ComposeLabelsWindow : public QDialog
{
    Q_OBJECT

public:
    ComposeLabelsWindow(const AppContext& context, QWidget* owner);

    // The number of the first sheet stored by "Archivia", 0 when nothing was stored.
    int firstStored() const { return m_firstStored; }
    LabelCompose::Request request() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateSummary();
    // The plan as the archive stands now; nothing after telling the user there is nothing to compose.
    std::optional<LabelCompose::Plan> planToUse();
    // False when lines of the plan's sheets would be cut and the user chose not to go on.
    bool mayCutLines(const LabelCompose::Plan& plan, LabelPages& pages);
    void showSheets(bool print);
    void savePdf();
    void store();

    const AppContext& m_context;
    QLineEdit* m_txtTipo = nullptr;
    QSpinBox* m_spnPrimaEtichetta = nullptr;
    QLabel* m_lblRiepilogo = nullptr;
    QTimer* m_summaryDelay = nullptr; // a large archive is read once typing pauses, not at every key

    int m_firstStored = 0;
};
