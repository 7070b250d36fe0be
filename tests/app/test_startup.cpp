#include "app/startup_gui.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void italianConventions()
    {
        Startup::applyItalianConventions(*qApp);
        const QLocale locale;
        QCOMPARE(locale.decimalPoint(), QStringLiteral(","));
        QCOMPARE(locale.toString(2.5, 'f', 1), QStringLiteral("2,5"));
        // Day first, in the locale's own formats: the fifth of March.
        QCOMPARE(locale.toString(QDate(2024, 3, 5), QLocale::ShortFormat), QStringLiteral("05/03/24"));
        QCOMPARE(locale.toString(QDate(2024, 3, 5), QLocale::LongFormat), QStringLiteral("martedì 5 marzo 2024"));

        QMessageBox box(QMessageBox::Question, QString(), QString(),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Sì"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text().remove(u'&'), QStringLiteral("Annulla"));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
