#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The program's file and folder choosers, behind one seam so that tests answer them without
// a modal dialog. Filters are written as the program stores them: "Text|*.txt|All|*.*".
struct FileDialogRequest {
    QString Filter;
    QString DefaultExtension; // added when the chosen name has none
    QString StartFolder;
};

class FileDialogPresenter {
public:
    virtual ~FileDialogPresenter() = default;
    // The chosen file; empty when the user cancels.
    virtual QString SaveFile(QWidget* parent, const FileDialogRequest& request) = 0;
    // The chosen files in the dialog's order; empty when the user cancels.
    virtual QStringList OpenFiles(QWidget* parent, const FileDialogRequest& request) = 0;
    // The chosen folder; empty when the user cancels.
    virtual QString Folder(QWidget* parent, const FileDialogRequest& request) = 0;
};

QString ChooseSaveFile(const FileDialogRequest& request, QWidget* parent = nullptr);
QStringList ChooseOpenFiles(const FileDialogRequest& request, QWidget* parent = nullptr);
QString ChooseFolder(const FileDialogRequest& request, QWidget* parent = nullptr);

// Replaces the presenter (not owned) and returns the one it replaces; nullptr goes back to
// the real dialogs.
FileDialogPresenter* SetFileDialogPresenter(FileDialogPresenter* presenter);

// "Text|*.txt|All|*.*" as the toolkit's filter list ("Text (*.txt)", "All (*.*)").
QStringList ToolkitFilters(const QString& filter);
