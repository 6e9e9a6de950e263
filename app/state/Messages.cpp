#include "app/state/Messages.h"

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

BoxPresenter g_boxPresenter;
MessagePresenter* g_presenter = &g_boxPresenter;

} // namespace

void ShowMessage(const QString& caption, const QString& text, MessageIcon icon, QWidget* parent) {
    g_presenter->Show(parent, MessageRequest{caption, text, icon});
}

bool AskYesNo(const QString& caption, const QString& text, QWidget* parent) {
    return g_presenter->Ask(parent, MessageRequest{caption, text, MessageIcon::Question});
}

MessagePresenter* SetMessagePresenter(MessagePresenter* presenter) {
    MessagePresenter* previous = g_presenter == &g_boxPresenter ? nullptr : g_presenter;
    g_presenter = presenter ? presenter : &g_boxPresenter;
    return previous;
}
