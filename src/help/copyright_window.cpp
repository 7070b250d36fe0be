#include "help/copyright_window.h"

#include "common/maker.h"
#include "common/app_context.h"
#include "common/keyboard_gui.h"
#include "help/link_label_widget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CopyrightWindow::CopyrightWindow(const AppContext& context, QWidget* owner)
    : FixedWindow(owner, QStringLiteral("frmSplash"), QStringLiteral(" Plicario 3.0 - ") + Maker::kCopyrightNotice,
                  QSize(560, 370), Placement::Owner),
      m_context(context)
{
    auto* notice = makePicture(QStringLiteral("imgCopyright"), QStringLiteral("help/copyright"), QSize(520, 290));
    notice->setAccessibleName(Maker::kCopyrightNotice);
    notice->setAccessibleDescription(QStringLiteral("Nota di copyright di Plicario 3.0."));

    auto* picture = makePicture(QStringLiteral("imgWeb"), QStringLiteral("help/globe"), QSize(32, 32));
    picture->setAccessibleName(QStringLiteral("Icona del sito web"));
    m_link = makeLink(Maker::kWebAddress, QStringLiteral("Sito web: %1").arg(Maker::kWebAddress), picture,
                      QStringLiteral("Apre il sito web di Plicario nel browser."), [this] {
                          if (m_context.shell)
                              m_context.shell->open(Maker::kWebAddress);
                      });

    auto* close = makeCloseButton(QFont(QStringLiteral("Verdana"), 12));
    close->setFocus(); // Enter closes the window rather than following the link

    auto* web = new QHBoxLayout;
    web->addWidget(picture);
    web->addWidget(m_link);
    web->addStretch();
    web->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->addWidget(notice, 0, Qt::AlignHCenter);
    layout->addStretch();
    layout->addLayout(web);
    Keyboard::setUpWindow(this);
}
