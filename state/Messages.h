#pragma once

#include <QString>

class QWidget;

enum class MessageIcon { Information, Warning, Error, Question };

// One message box as the program asks for it; what a test sees instead of a modal dialog.
struct MessageRequest {
    QString Caption;
    QString Text;
    MessageIcon Icon = MessageIcon::Information;
};

// The single way to show a message box, so that tests can watch it without blocking.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual void Show(QWidget* parent, const MessageRequest& message) = 0;
    // Yes/No question; returns true for Yes.
    virtual bool Ask(QWidget* parent, const MessageRequest& message) = 0;
};

void ShowMessage(const QString& caption, const QString& text, MessageIcon icon,
                 QWidget* parent = nullptr);
bool AskYesNo(const QString& caption, const QString& text, QWidget* parent = nullptr);

// Replaces the presenter (not owned) and returns the one it replaces; nullptr goes back to
// the program's own presenter.
MessagePresenter* SetMessagePresenter(MessagePresenter* presenter);

// The program's own presenter (not owned): the windowed program shows message boxes, a
// program without windows leaves it unset and its messages go to standard error, where a
// question is answered No.
void SetProgramMessagePresenter(MessagePresenter* presenter);
