#pragma once

#include "addresses/address_import.h"
#include "addresses/contact_file.h"

#include <QDialog>

#include <atomic>
#include <memory>

struct AppContext;
class HintLine;
class QComboBox;
class QLabel;
class QLayout;
class QPushButton;
class QScrollArea;
class QShowEvent;
class QTableWidget;
class QTabWidget;
class QThread;
class QWidget;

// Chooses a spreadsheet (CSV) or contact file (vCard) and shows what importing it would do, on three pages: the first
// new cards whole and exactly as they will be stored, marked where a character is stored as another; the cards
// already there, each beside the card it equals; the refused ones with the reason. For a CSV the user chooses what
// each column holds (prefilled from the header names) and the pages follow. "Importa" accepts the window; the caller
// imports contacts().
class ContactImportWindow : public QDialog
{
    Q_OBJECT

public:
    // Cards shown on each page; the counts cover the whole file.
    static constexpr int kPreviewCards = 100;
    // Columns offered a choice of field: a sheet of thousands of columns is no address book, and thousands of choices
    // would take minutes to build.
    static constexpr int kMaxColumnChoices = 300;
    // Files of more contacts are counted in the background: the window answers while a file of millions of rows is
    // read through, and a new column choice starts the count again.
    static constexpr qsizetype kCountedAtOnce = 20000;

    ContactImportWindow(const AppContext& context, QWidget* owner);
    ~ContactImportWindow() override;

    // The contacts of the chosen file, read with the columns as chosen, one at a time: the file is held once, as
    // its text, however many rows it has. Valid while the window lives.
    AddressImport::ContactSource contacts() const;
    const QString& fileName() const { return m_fileName; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildFileStrip();
    QWidget* buildColumnPanel();
    QLayout* buildPreview();
    QLayout* buildButtons();

    void chooseFile();
    void loadFile(const QString& path);
    void clearFile();
    void buildColumnChoices();
    void refreshPreview();
    void stopCounting();
    void showCounted(const AddressImport::Preview& preview);
    // `counted` false: the pages are emptied while a count is under way, their titles without numbers.
    void showPreview(const AddressImport::Preview& preview, bool counted = true);

    const AppContext& m_context;
    std::shared_ptr<ContactFile> m_file; // shared with a count under way
    std::unique_ptr<QThread> m_counter;
    std::shared_ptr<std::atomic_bool> m_stopCount;
    int m_countNumber = 0; // only the latest count is shown
    QString m_fileName;
    QList<CsvContacts::Column> m_columns;

    HintLine* m_hints = nullptr;
    QLabel* m_lblFile = nullptr;
    QWidget* m_panColonne = nullptr;
    QScrollArea* m_scrColonne = nullptr; // its widget is rebuilt for each file
    QPushButton* m_btnSfoglia = nullptr;
    QList<QComboBox*> m_cboColonne;
    QLabel* m_lblConteggi = nullptr;
    QTabWidget* m_tabEsito = nullptr;
    QTableWidget* m_grdSchede = nullptr;
    QTableWidget* m_grdGiaPresenti = nullptr;
    QTableWidget* m_grdScartate = nullptr;
    QLabel* m_lblAvvisi = nullptr;
    QPushButton* m_btnImporta = nullptr;
};
