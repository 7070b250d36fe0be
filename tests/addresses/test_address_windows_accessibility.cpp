// Every control of the address windows that a user works with has a name a screen reader can speak, unique in its
// window, and the hint of a picture button is its description.
#include "addresses/address_archive_window.h"
#include "addresses/address_finder_window.h"
#include "addresses/attachments_window.h"
#include "addresses/contact_import_window.h"
#include "addresses/address_export_window.h"
#include "printing/address_sheet_preview_window.h"
#include "printing/envelope_print_window.h"
#include "support/test_support.h"

#include <QAccessible>
#include <QTest>
#include <QToolButton>

class TestAddressWindowsAccessibility : public QObject
{
    Q_OBJECT

    TestContext m_ctx;

private Q_SLOTS:
    void namedControlsAreSpokenUniquely_data()
    {
        QTest::addColumn<QString>("window");
        for (const char* w : {"frmArchivio_Indirizzi", "frmAllegaCartella", "frmTrovaIndirizzi", "frmStampaBusta",
                              "frmAnteprima_Etichetta", "frmExpIndirizzi", "frmImportaContatti"})
            QTest::newRow(w) << w;
    }
    void namedControlsAreSpokenUniquely()
    {
        QFETCH(QString, window);
        std::unique_ptr<QWidget> w;
        const QStringList lines = {"a", "b", "c", "d", "e", "f"};
        if (window == QLatin1String("frmArchivio_Indirizzi"))
            w = std::make_unique<AddressArchiveWindow>(m_ctx.context);
        else if (window == QLatin1String("frmAllegaCartella"))
            w = std::make_unique<AttachmentsWindow>(m_ctx.context, AttachmentsWindow::Mode::AddressArchive,
                                                    AttachmentSlots{}, nullptr);
        else if (window == QLatin1String("frmTrovaIndirizzi"))
            w = std::make_unique<AddressFinderWindow>(
                m_ctx.context, [](int, const AddressCard&) {}, nullptr);
        else if (window == QLatin1String("frmStampaBusta"))
            w = std::make_unique<EnvelopePrintWindow>(m_ctx.context, lines, nullptr);
        else if (window == QLatin1String("frmAnteprima_Etichetta"))
            w = std::make_unique<AddressSheetPreviewWindow>(m_ctx.context, lines, nullptr);
        else if (window == QLatin1String("frmImportaContatti"))
            w = std::make_unique<ContactImportWindow>(m_ctx.context, nullptr);
        else
            w = std::make_unique<AddressExportWindow>(m_ctx.context, nullptr);
        QCOMPARE(w->objectName(), window);
        w->show();

        static const QStringList kPrefixes = {"txt", "cmd", "btn", "img", "opt", "lst", "grd"};
        QStringList names;
        for (QWidget* child : w->findChildren<QWidget*>()) {
            const QString id = child->objectName();
            if (child->isHidden() || !kPrefixes.contains(id.left(3)))
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(child);
            QVERIFY2(a, qPrintable(id));
            const QString name = a->text(QAccessible::Name);
            QVERIFY2(!name.trimmed().isEmpty(), qPrintable(id));
            names << name;
            if (auto* picture = qobject_cast<QToolButton*>(child); picture && id.startsWith(QLatin1String("cmd")))
                QVERIFY2(!a->text(QAccessible::Description).isEmpty(), qPrintable(id));
        }
        QVERIFY(names.size() >= 3);
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
    }
};

QTEST_MAIN(TestAddressWindowsAccessibility)
#include "test_address_windows_accessibility.moc"
