#include "window_pictures.h"

#include "guide_office.h"

#include "access/login_window.h"
#include "addresses/address_archive_window.h"
#include "addresses/address_card.h"
#include "addresses/address_finder_window.h"
#include "app/launcher_window.h"
#include "labels/compose_labels_window.h"
#include "labels/label_sheet_window.h"
#include "printing/envelope_print_window.h"
#include "printing/label_stock_window.h"
#include "register/register_search_window.h"
#include "register/register_summary_window.h"
#include "register/register_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <functional>
#include <memory>

namespace {

struct Spec
{
    const char* id;
    const char* title;
    QSize size; // for a main window, the part of a laptop's screen it is shown at; empty: its own size
    std::function<QWidget*(GuideOffice&)> make;
    std::function<void(QWidget*)> prepare; // puts sample content on screen once it is shown
};

void press(QWidget* w, const char* button)
{
    if (auto* b = w->findChild<QAbstractButton*>(QLatin1String(button)))
        b->click();
}

void type(QWidget* w, const char* field, const QString& text)
{
    if (auto* f = w->findChild<QLineEdit*>(QLatin1String(field)))
        f->setText(text);
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

const QList<Spec>& specs()
{
    static const QList<Spec> list = {
        {"login", "Accesso", {}, [](GuideOffice& o) { return new LoginWindow(o.context()); }, {}},
        {"avvio", "Finestra di avvio", {1000, 720}, [](GuideOffice& o) { return new LauncherWindow(o.context()); },
         {}},
        {"indirizzi", "Archivio Indirizzi", {1180, 700},
         [](GuideOffice& o) { return new AddressArchiveWindow(o.context()); },
         [](QWidget* w) { press(w, "cmdPrimo"); }},
        {"trova-indirizzi", "Trova indirizzo", {},
         [](GuideOffice& o) {
             return new AddressFinderWindow(o.context(), [](int, const AddressCard&) {}, nullptr);
         },
         {}},
        {"busta", "Stampa su busta", {},
         [](GuideOffice& o) {
             return new EnvelopePrintWindow(o.context(),
                                            {QStringLiteral("Studio Bianchi & Associati"),
                                             QStringLiteral("Via Garibaldi 12"), QStringLiteral("27100 Pavia PV")},
                                            nullptr);
         },
         {}},
        {"etichette", "Gestione Etichette", {1180, 700},
         [](GuideOffice& o) { return new LabelSheetWindow(o.context()); },
         [](QWidget* w) { press(w, "cmdPrimo"); }},
        {"componi", "Componi fogli di etichette", {},
         [](GuideOffice& o) { return new ComposeLabelsWindow(o.context(), nullptr); }, {}},
        {"formato", "Formato delle etichette", {},
         [](GuideOffice& o) { return new LabelStockWindow(o.context(), nullptr); }, {}},
        {"protocollo", "Protocollo Posta", {1280, 700},
         [](GuideOffice& o) {
             auto* w = new RegisterWindow(o.context());
             w->openYear(o.registerYear(), QStringLiteral(" Plicario 3.0 - Protocollo Posta anno 2026"));
             return w;
         },
         [](QWidget* w) { press(w, "cmdPrimo"); }},
        {"ricerca", "Ricerca nel protocollo", {},
         [](GuideOffice& o) { return new RegisterSearchWindow(o.context(), o.registerYear(), nullptr); },
         [](QWidget* w) {
             type(w, "txtCategoria", QStringLiteral("Acquisti"));
             press(w, "btnCerca");
         }},
        {"riepilogo", "Riepilogo protocollo", {1180, 600},
         [](GuideOffice& o) { return new RegisterSummaryWindow(o.context(), o.registerYear(), nullptr); },
         [](QWidget* w) {
             type(w, "txtDataInizio", QStringLiteral("01/03/2026"));
             type(w, "txtDataFine", QStringLiteral("31/03/2026"));
             press(w, "cmdTrova");
         }},
    };
    return list;
}

} // namespace

QList<WindowPicture> takeWindowPictures(GuideOffice& office)
{
    QList<WindowPicture> pictures;
    for (const Spec& spec : specs()) {
        std::unique_ptr<QWidget> window(spec.make(office));
        window->show();
        settle();
        // A main window fills the screen; the picture shows it at a laptop's size, whatever screen draws it.
        if (!spec.size.isEmpty()) {
            window->setWindowState(Qt::WindowNoState);
            window->resize(spec.size.expandedTo(window->minimumSizeHint()));
            settle();
        }
        if (spec.prepare) {
            spec.prepare(window.get());
            settle();
        }
        WindowPicture picture;
        picture.id = QStringLiteral("finestra:") + QLatin1String(spec.id);
        picture.title = QString::fromUtf8(spec.title);
        picture.image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        picture.keys = KeyList::of(window.get());
        window->close();
        if (picture.image.isNull())
            break;
        pictures.append(picture);
    }
    return pictures;
}
