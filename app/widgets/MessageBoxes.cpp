#include "app/widgets/MessageBoxes.h"

#include "state/Messages.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon ToBoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Shows each message as a modal box over the given or the active window.
class BoxPresenter final : public MessagePresenter {
public:
    void Show(QWidget* parent, const MessageRequest& message) override {
        QMessageBox box(ToBoxIcon(message.Icon), message.Caption, message.Text, QMessageBox::Ok,
                        parent ? parent : QApplication::activeWindow());
        box.exec();
    }
    bool Ask(QWidget* parent, const MessageRequest& message) override {
        QMessageBox box(ToBoxIcon(message.Icon), message.Caption, message.Text,
                        QMessageBox::Yes | QMessageBox::No,
                        parent ? parent : QApplication::activeWindow());
        return box.exec() == QMessageBox::Yes;
    }
};

} // namespace

void InstallMessageBoxes() {
    static BoxPresenter presenter;
    SetProgramMessagePresenter(&presenter);
}
