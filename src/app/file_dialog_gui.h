#pragma once

#include "common/app_context.h"

// The system's file-open dialog.
class FileDialogChooser : public FileChooser
{
public:
    QString chooseFile(QWidget* owner, const QString& title, const QString& filter) override;
};

// The system's file-save dialog; a name typed without extension gets the one of the suggested name.
class FileDialogSaveChooser : public SaveFileChooser
{
public:
    QString chooseSaveFile(QWidget* owner, const QString& title, const QString& suggestedPath,
                           const QString& filter) override;
};
