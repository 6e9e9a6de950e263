#include "app/widgets/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

// Takes a typed folder that does not exist yet instead of refusing it: the caller asks
// whether to create it.
class FolderChooser final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

protected:
    void accept() override {
        const QStringList chosen = selectedFiles();
        if (!chosen.isEmpty() && !QFileInfo::exists(chosen.constFirst())) {
            QDialog::accept();
            return;
        }
        QFileDialog::accept();
    }
};

class RealDialogs final : public FileDialogPresenter {
public:
    QString SaveFile(QWidget* parent, const FileDialogRequest& request) override {
        QFileDialog dialog(parent, QString(), request.StartFolder);
        Prepare(dialog, request);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // An existing file is replaced without a question, as the program always did.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().first();
    }
    QStringList OpenFiles(QWidget* parent, const FileDialogRequest& request) override {
        QFileDialog dialog(parent, QString(), request.StartFolder);
        Prepare(dialog, request);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFiles);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return dialog.selectedFiles();
    }
    QString Folder(QWidget* parent, const FileDialogRequest& request) override {
        FolderChooser dialog(parent, QString(), request.StartFolder);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().first();
    }

private:
    static void Prepare(QFileDialog& dialog, const FileDialogRequest& request) {
        dialog.setNameFilters(ToolkitFilters(request.Filter));
        dialog.setDefaultSuffix(request.DefaultExtension);
    }
};

RealDialogs g_realDialogs;
FileDialogPresenter* g_presenter = &g_realDialogs;

} // namespace

QStringList ToolkitFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts.at(i) + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

QString ChooseSaveFile(const FileDialogRequest& request, QWidget* parent) {
    return g_presenter->SaveFile(parent, request);
}

QStringList ChooseOpenFiles(const FileDialogRequest& request, QWidget* parent) {
    return g_presenter->OpenFiles(parent, request);
}

QString ChooseFolder(const FileDialogRequest& request, QWidget* parent) {
    return g_presenter->Folder(parent, request);
}

FileDialogPresenter* SetFileDialogPresenter(FileDialogPresenter* presenter) {
    FileDialogPresenter* previous = g_presenter == &g_realDialogs ? nullptr : g_presenter;
    g_presenter = presenter ? presenter : &g_realDialogs;
    return previous;
}
