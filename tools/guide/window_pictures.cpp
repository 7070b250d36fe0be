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
#include <QPainter>
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
    QList<const char*> marks;              // controls to number on the picture, by object name
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

// Numbers the controls on the picture: a dark disc with a white number below each control's centre.
QStringList markControls(QWidget* window, QImage& image, const QList<const char*>& names)
{
    QStringList marked;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = window->font();
    font.setBold(true);
    font.setPixelSize(13);
    painter.setFont(font);
    for (const char* name : names) {
        const QWidget* control = window->findChild<QWidget*>(QLatin1String(name));
        if (!control || !control->isVisibleTo(window))
            continue;
        marked << control->accessibleName();
        const QPoint centre = control->mapTo(window, control->rect().center());
        const QRectF disc(centre.x() + 6, centre.y() + 4, 20, 20);
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(QColor(0xb3, 0x26, 0x1e));
        painter.drawEllipse(disc);
        painter.drawText(disc, Qt::AlignCenter, QString::number(marked.size()));
    }
    return marked;
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
        {"avvio", "Finestra di avvio", {1000, 720}, [](GuideOffice& o) { return new LauncherWindow(o.context()); }, {}},
        {"indirizzi",
         "Archivio Indirizzi",
         {1180, 700},
         [](GuideOffice& o) { return new AddressArchiveWindow(o.context()); },
         [](QWidget* w) { press(w, "cmdPrimo"); },
         {"cmdNuovo", "cmdDuplica", "cmdSalva", "cmdTrova", "cmdFile", "cmdStampa", "cmdAnteprima", "cmdEsporta",
          "cmdImporta"}},
        {"trova-indirizzi",
         "Trova indirizzo",
         {},
         [](GuideOffice& o) {
             return new AddressFinderWindow(
                 o.context(), [](int, const AddressCard&) {}, nullptr);
         },
         {}},
        {"busta",
         "Stampa su busta",
         {},
         [](GuideOffice& o) {
             return new EnvelopePrintWindow(o.context(),
                                            {QStringLiteral("Studio Bianchi & Associati"),
                                             QStringLiteral("Via Garibaldi 12"), QStringLiteral("27100 Pavia PV")},
                                            nullptr);
         },
         {}},
        {"etichette",
         "Gestione Etichette",
         {1180, 700},
         [](GuideOffice& o) { return new LabelSheetWindow(o.context()); },
         [](QWidget* w) { press(w, "cmdPrimo"); }},
        {"componi",
         "Componi fogli di etichette",
         {},
         [](GuideOffice& o) { return new ComposeLabelsWindow(o.context(), nullptr); },
         {}},
        {"formato",
         "Formato delle etichette",
         {},
         [](GuideOffice& o) { return new LabelStockWindow(o.context(), nullptr); },
         {}},
        {"protocollo",
         "Protocollo Posta",
         {1280, 700},
         [](GuideOffice& o) {
             auto* w = new RegisterWindow(o.context());
             w->openYear(o.registerYear(), QStringLiteral(" Plicario 3.0 - Protocollo Posta anno 2026"));
             return w;
         },
         [](QWidget* w) { press(w, "cmdPrimo"); },
         {"cmdNuovo", "cmdSalva", "cmdTrova", "cmdRiepilogo", "cmdFile", "cmdStampa", "cmdEsporta", "cmdNumerazione",
          "cmdAnnulla", "cmdGiornaliero"}},
        {"ricerca",
         "Ricerca nel protocollo",
         {},
         [](GuideOffice& o) { return new RegisterSearchWindow(o.context(), o.registerYear(), nullptr); },
         [](QWidget* w) {
             type(w, "txtCategoria", QStringLiteral("Acquisti"));
             press(w, "btnCerca");
         }},
        {"riepilogo",
         "Riepilogo protocollo",
         {1180, 600},
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
        picture.marks = markControls(window.get(), picture.image, spec.marks);
        if (picture.marks.size() != spec.marks.size())
            break;
        picture.keys = KeyList::of(window.get());
        window->close();
        if (picture.image.isNull())
            break;
        pictures.append(picture);
    }
    return pictures;
}
