#pragma once

#include "app/app_context.h"

// The system's file-open dialog.
class FileDialogChooser : public FileChooser
{
public:
    QString chooseFile(QWidget* owner, const QString& title, const QString& filter) override;
};
