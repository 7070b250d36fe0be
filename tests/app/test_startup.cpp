#include "app/startup_gui.h"
#include "support/modal.h"

#include <QApplication>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>

namespace {

// Installed before the program's translators, so it is asked only about texts that none of them translates.
class UntranslatedTexts : public QTranslator
{
public:
    QStringList seen;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        const QString text = QString::fromUtf8(context) + QStringLiteral(": ") + QString::fromUtf8(source);
        if (!seen.contains(text))
            const_cast<UntranslatedTexts*>(this)->seen.append(text);
        return QString();
    }
};

void visitTabs(QWidget* dialog)
{
    for (QTabWidget* tabs : dialog->findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count(); ++i)
            tabs->setCurrentIndex(i);
}

// Shows `dialog` until the event loop has run, with every tab of it visited once; `nested` names a button that
// opens a further dialog, shown the same way.
void showBriefly(QDialog& dialog, const char* nested = nullptr)
{
    inModal<QDialog>([&] { dialog.exec(); },
                     [nested](QDialog* shown) {
                         visitTabs(shown);
                         if (auto* button = nested ? shown->findChild<QPushButton*>(QLatin1String(nested)) : nullptr)
                             inModal<QDialog>([button] { button->click(); }, visitTabs);
                     });
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

    UntranslatedTexts m_untranslated;

private Q_SLOTS:
    void initTestCase()
    {
        qApp->installTranslator(&m_untranslated);
        Startup::applyItalianConventions(*qApp);
    }

    void italianConventions()
    {
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

    // Texts Qt's own Italian leaves in English come from our translation.
    void ourTranslationFillsQtsGaps_data()
    {
        QTest::addColumn<QByteArray>("context");
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QString>("italian");
        QTest::newRow("print dialog, options, pages")
            << QByteArray("QPrintSettingsOutput") << QByteArray("Pages") << QStringLiteral("Pagine");
        QTest::newRow("print dialog, bad pages") << QByteArray("QPrintDialog") << QByteArray("Invalid Pages Definition")
                                                 << QStringLiteral("Pagine indicate non valide");
        QTest::newRow("printer properties, advanced")
            << QByteArray("QPrintPropertiesWidget") << QByteArray("Advanced") << QStringLiteral("Avanzate");
        // Qt's own still wins where it has a text.
        QTest::newRow("print dialog, pages from")
            << QByteArray("QPrintSettingsOutput") << QByteArray("Pages from") << QStringLiteral("Pagine da");
    }
    void ourTranslationFillsQtsGaps()
    {
        QFETCH(QByteArray, context);
        QFETCH(QByteArray, source);
        QFETCH(QString, italian);
        QCOMPARE(QCoreApplication::translate(context.constData(), source.constData()), italian);
    }

    // The standard dialogs our windows show ask for no text that stays in English.
    void standardDialogsSpeakOnlyItalian()
    {
        m_untranslated.seen.clear();
        QPrinter printer(QPrinter::HighResolution);
        {
            QPrintDialog dialog(&printer);
            dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
            showBriefly(dialog, "properties"); // the printer's properties, with their "Avanzate" tab
        }
        {
            QPageSetupDialog dialog(&printer);
            showBriefly(dialog);
        }
        for (QFileDialog::AcceptMode mode : {QFileDialog::AcceptOpen, QFileDialog::AcceptSave}) {
            QFileDialog dialog(nullptr, QStringLiteral("Salva PDF"), QDir::homePath(),
                               QStringLiteral("Documenti PDF (*.pdf)"));
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            dialog.setAcceptMode(mode);
            showBriefly(dialog);
        }
        {
            QMessageBox box(QMessageBox::Warning, QString(), QStringLiteral("Attenzione"),
                            QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
            showBriefly(box);
        }
        QVERIFY2(m_untranslated.seen.isEmpty(), qPrintable(m_untranslated.seen.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
