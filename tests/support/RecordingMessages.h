#pragma once

#include "state/Messages.h"

#include <QList>

// Records every message box instead of showing it; installed for the lifetime of the object.
class RecordingMessages final : public MessagePresenter {
public:
    RecordingMessages()
        : m_previous(SetMessagePresenter(this)) {}
    ~RecordingMessages() override { SetMessagePresenter(m_previous); }

    void Show(QWidget*, const MessageRequest& message) override { Shown.append(message); }
    bool Ask(QWidget*, const MessageRequest& message) override {
        Shown.append(message);
        return AnswerYes;
    }

    QStringList Texts() const {
        QStringList texts;
        for (const MessageRequest& m : Shown)
            texts << m.Text;
        return texts;
    }

    QList<MessageRequest> Shown;
    bool AnswerYes = true;

private:
    MessagePresenter* m_previous = nullptr;
};
