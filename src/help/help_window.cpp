#include "help/help_window.h"

#include "common/app_context.h"
#include "common/keyboard_gui.h"
#include "common/colours.h"
#include "help/link_label_widget.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

HelpWindow::HelpWindow(const AppContext& context, QWidget* owner)
    : FixedWindow(owner, QStringLiteral("frmGuida"), QStringLiteral(" Guida all'utilizzo del software"), kClientSize,
                  Placement::Screen),
      m_context(context)
{
    m_title = new QLabel(QStringLiteral("Argomento della guida."), this);
    m_title->setObjectName(QStringLiteral("lblTitolo"));
    m_title->setFont(QFont(QStringLiteral("Arial"), 16, QFont::Bold));
    QPalette titlePalette = m_title->palette();
    titlePalette.setColor(QPalette::WindowText, Colours::kCrimson);
    m_title->setPalette(titlePalette);
    m_title->setAccessibleDescription(QStringLiteral("Titolo dell'argomento della guida."));

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("txtGuida"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setFont(QFont(QStringLiteral("Verdana"), 12, QFont::Bold));
    m_text->setAccessibleName(QStringLiteral("Testo della guida"));

    auto* picture = makePicture(QStringLiteral("imgPDF"), QStringLiteral("help/pdf"), QSize(32, 32));
    picture->setAccessibleName(QStringLiteral("Icona della guida in formato PDF"));
    const QString linkText = QStringLiteral("Visualizza guida in formato PDF");
    m_link = makeLink(linkText, linkText, picture,
                      QStringLiteral("Apre la guida completa del programma in formato PDF."), [this] { openGuide(); });

    auto* close = makeCloseButton(QFont(QStringLiteral("Verdana"), 12));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(picture);
    bottom->addWidget(m_link);
    bottom->addStretch();
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 12);
    layout->addWidget(m_title);
    layout->addWidget(m_text, 1);
    layout->addLayout(bottom);
    Keyboard::setUpWindow(this);
}

void HelpWindow::setTopic(const QString& title, const QString& text)
{
    m_title->setText(title);
    m_title->setAccessibleName(title);
    // Topics separate their paragraphs with CR LF CR LF; on screen that is one empty line, not two or three.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_text->setPlainText(shown);
    m_text->moveCursor(QTextCursor::Start);
}

QString HelpWindow::guideCommand() const
{
    return QLatin1Char('"') + QDir(m_context.programFolder).filePath(QStringLiteral("Guida.pdf")) + QLatin1Char('"');
}

void HelpWindow::showEvent(QShowEvent* event)
{
    FixedWindow::showEvent(event);
    m_text->verticalScrollBar()->setValue(0);
}

void HelpWindow::openGuide()
{
    // No check that the guide exists: the shell tells the user if it cannot open it.
    if (m_context.shell)
        m_context.shell->open(guideCommand());
}
