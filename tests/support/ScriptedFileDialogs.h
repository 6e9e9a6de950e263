#pragma once

#include "app/widgets/FileDialogs.h"

#include <QList>
#include <QStringList>

// Answers the program's file and folder choosers from a script, and records the requests.
class ScriptedFileDialogs final : public FileDialogPresenter {
public:
    ScriptedFileDialogs()
        : m_previous(SetFileDialogPresenter(this)) {}
    ~ScriptedFileDialogs() override { SetFileDialogPresenter(m_previous); }

    QString SaveFile(QWidget*, const FileDialogRequest& request) override {
        Requests.append(request);
        return SaveAnswers.isEmpty() ? QString() : SaveAnswers.takeFirst();
    }
    QStringList OpenFiles(QWidget*, const FileDialogRequest& request) override {
        Requests.append(request);
        return OpenAnswers.isEmpty() ? QStringList() : OpenAnswers.takeFirst();
    }
    QString Folder(QWidget*, const FileDialogRequest& request) override {
        Requests.append(request);
        return FolderAnswers.isEmpty() ? QString() : FolderAnswers.takeFirst();
    }

    QStringList SaveAnswers;        // one per save dialog; empty = cancel
    QList<QStringList> OpenAnswers; // one list per open dialog
    QStringList FolderAnswers;
    QList<FileDialogRequest> Requests;

private:
    FileDialogPresenter* m_previous = nullptr;
};
