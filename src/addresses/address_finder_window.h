#pragma once

#include "addresses/address_card.h"
#include "common/find_in_list.h"
#include "printing/report/report_template.h"

#include <QDialog>
#include <functional>

struct AppContext;
class LineListWidget;
class QLayout;
class QLineEdit;

// Lists every named card of the address archive, finds entries by a piece of text, prints the list, and hands the
// double-clicked card to the archive window.
class AddressFinderWindow : public QDialog
{
    Q_OBJECT

public:
    // Receives the chosen card with its number.
    using CardSink = std::function<void(int number, const AddressCard& card)>;

    AddressFinderWindow(const AppContext& context, CardSink loadCard, QWidget* owner);

protected:
    // The label sheets' import window is this window under its own name and caption.
    AddressFinderWindow(const AppContext& context, const QString& objectName, const QString& caption, CardSink loadCard,
                        QWidget* owner);

    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    QLayout* makeInstructions();
    void fillList();
    void find();
    void loadSelectedCard();
    void printList();

    const AppContext& m_context;
    CardSink m_loadCard;
    FindInList m_finder;
    ReportTemplate m_frxReport;
    QLineEdit* m_txtTrova;
    LineListWidget* m_lstRecords;
};
