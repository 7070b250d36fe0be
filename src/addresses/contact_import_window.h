#pragma once

#include "addresses/contact_file.h"

#include <QDialog>
#include <optional>

struct AppContext;
class ExportGridWidget;
class HintLine;
class QComboBox;
class QLabel;
class QLayout;
class QPushButton;
class QScrollArea;
class QShowEvent;
class QWidget;

// Chooses a spreadsheet (CSV) or contact file (vCard) and shows what importing it would add: the first new cards
// exactly as they will be stored, and how many are new, already in the archive or refused. For a CSV the user
// chooses what each column holds (prefilled from the header names) and the grid follows. "Importa" accepts the
// window; the caller imports contacts().
class ContactImportWindow : public QDialog
{
    Q_OBJECT

public:
    // Cards shown in the grid; the counts cover the whole file.
    static constexpr int kPreviewCards = 100;
    // Columns offered a choice of field: a sheet of thousands of columns is no address book, and thousands of choices
    // would take minutes to build.
    static constexpr int kMaxColumnChoices = 300;

    ContactImportWindow(const AppContext& context, QWidget* owner);

    // The contacts of the chosen file, read with the columns as chosen.
    QList<Contact> contacts() const;
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

    const AppContext& m_context;
    std::optional<ContactFile> m_file;
    QString m_fileName;
    QList<CsvContacts::Column> m_columns;

    HintLine* m_hints = nullptr;
    QLabel* m_lblFile = nullptr;
    QWidget* m_panColonne = nullptr;
    QScrollArea* m_scrColonne = nullptr; // its widget is rebuilt for each file
    QPushButton* m_btnSfoglia = nullptr;
    QList<QComboBox*> m_cboColonne;
    ExportGridWidget* m_grdSchede = nullptr;
    QLabel* m_lblConteggi = nullptr;
    QLabel* m_lblScartate = nullptr;
    QPushButton* m_btnImporta = nullptr;
};
