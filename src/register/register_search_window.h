#pragma once

#include "common/find_in_list.h"
#include "printing/report/report_template.h"
#include "register/register_card.h"

#include <QDialog>
#include <QList>

struct AppContext;
class LineListWidget;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QStackedWidget;

// Searches the open year with up to ten filters, lists the cards found one per line, finds text in that list,
// prints it, and hands the chosen card back: the dialog is accepted when a line was chosen and its card found.
// "Nuova ricerca" goes back from the list to the filters, for another search without leaving the window.
class RegisterSearchWindow : public QDialog
{
    Q_OBJECT

public:
    RegisterSearchWindow(const AppContext& context, const QString& yearFilePath, QWidget* owner);

    // The last card of the file whose line is the chosen one, and its 1-based position; valid once accepted.
    int chosenPosition() const { return m_chosenPosition; }
    const RegisterCard& chosenCard() const { return m_chosenCard; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeFilterPanel();
    QLayout* makeFilterForm(QWidget* panel);
    void makeWaitNotice();
    QWidget* makeResultPanel();
    void search();
    void showFilters();
    void find();
    void loadSelectedCard();
    void printList();

    const AppContext& m_context;
    QString m_yearFilePath;
    FindInList m_finder;
    ReportTemplate m_frxReport;
    QList<QLineEdit*> m_filters; // in the order of the Enter ring
    QStackedWidget* m_panels;
    QWidget* m_panAvvio;
    QWidget* m_panContainer;
    QLabel* m_lblAttendere;
    QLineEdit* m_txtTrova;
    QPushButton* m_btnTrova;
    LineListWidget* m_lstRecords;
    QLabel* m_lblTrovate;
    int m_chosenPosition = 0;
    RegisterCard m_chosenCard;
};
