#include "app/file_dialog_gui.h"

#include <QFileDialog>

QString FileDialogChooser::chooseFile(QWidget* owner, const QString& title, const QString& filter)
{
    return QFileDialog::getOpenFileName(owner, title, QString(), filter);
}
