#pragma once

#include <QDate>
#include <QDialog>

struct AppContext;
struct DailyRegister;
class QCalendarWidget;

// The daily register of the open year: a day chosen on the calendar, then shown in the preview, printed, or saved
// as a PDF/A file for long-term keeping. Each command reads the journal afresh, so it shows what is registered now.
class DailyRegisterWindow : public QDialog
{
    Q_OBJECT

public:
    DailyRegisterWindow(const AppContext& context, const QString& yearFilePath, QWidget* owner);

    QDate day() const;
    void setDay(const QDate& day);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void preview();
    void print();
    void savePdf();
    // The chosen day's register, read from the journal as it stands now.
    DailyRegister chosenDay() const;

    const AppContext& m_context;
    QString m_yearFilePath;
    QString m_year;
    QCalendarWidget* m_calendar = nullptr;
};
