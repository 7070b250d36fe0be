#include "help/about_window.h"

#include "common/maker.h"
#include "common/app_context.h"
#include "common/keyboard_gui.h"
#include "help/link_label_widget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutWindow::AboutWindow(const AppContext& context, QWidget* owner)
    : FixedWindow(owner, QStringLiteral("frmInfo"), QStringLiteral(" Informazioni su Plicario 3.0"), QSize(460, 340),
                  Placement::Screen),
      m_context(context)
{
    auto* logo = makePicture(QStringLiteral("imgLogo"), QStringLiteral("help/logo"), QSize(420, 180));
    logo->setAccessibleName(QStringLiteral("Logo di Plicario 3.0"));

    auto* picture = makePicture(QStringLiteral("imgEmail"), QStringLiteral("help/email"), QSize(32, 32));
    picture->setAccessibleName(QStringLiteral("Icona della posta elettronica"));
    m_link =
        makeLink(Maker::kSupportEmail, QStringLiteral("Indirizzo e-mail dell'assistenza: %1").arg(Maker::kSupportEmail),
                 picture, QStringLiteral("Scrive un messaggio all'assistenza."), [this] {
                     if (m_context.shell)
                         m_context.shell->open(supportMailCommand());
                 });

    auto* close = makeCloseButton(QFont(QStringLiteral("Verdana"), 12));
    close->setFocus(); // Enter closes the window rather than following the link

    auto* mail = new QHBoxLayout;
    mail->addStretch();
    mail->addWidget(picture);
    mail->addWidget(m_link);
    mail->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->addWidget(logo, 0, Qt::AlignHCenter);
    layout->addStretch();
    layout->addLayout(mail);
    layout->addStretch();
    layout->addWidget(close, 0, Qt::AlignHCenter);
    Keyboard::setUpWindow(this);
}

QString AboutWindow::supportMailCommand()
{
    return QStringLiteral("\"mailto:") + Maker::kSupportEmail + QStringLiteral("?subject=") +
           QStringLiteral("Software Plicario 3.0") + QStringLiteral("&body=") +
           QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:") +
           QLatin1Char('"');
}
