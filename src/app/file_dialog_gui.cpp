#include "app/file_dialog_gui.h"

#include <QFileDialog>
#include <QFileInfo>

QString FileDialogChooser::chooseFile(QWidget* owner, const QString& title, const QString& filter)
{
    return QFileDialog::getOpenFileName(owner, title, QString(), filter);
}

QString FileDialogSaveChooser::chooseSaveFile(QWidget* owner, const QString& title, const QString& suggestedPath,
                                              const QString& filter)
{
    QFileDialog dialog(owner, title, QFileInfo(suggestedPath).absolutePath(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QFileInfo(suggestedPath).suffix());
    dialog.selectFile(QFileInfo(suggestedPath).fileName());
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}
