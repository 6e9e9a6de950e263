#include "state/Messages.h"

#include <cstdio>

namespace {

// Without windows nobody can answer, so a message is written where a log is read and a
// question takes the cautious answer.
class StandardErrorPresenter final : public MessagePresenter {
public:
    void Show(QWidget*, const MessageRequest& message) override { Print(message); }
    bool Ask(QWidget*, const MessageRequest& message) override {
        Print(message);
        return false;
    }

private:
    static void Print(const MessageRequest& message) {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(message.Caption),
                     qUtf8Printable(message.Text));
    }
};

StandardErrorPresenter g_standardError;
MessagePresenter* g_program = &g_standardError;
MessagePresenter* g_presenter = nullptr;

MessagePresenter& Current() {
    return g_presenter ? *g_presenter : *g_program;
}

} // namespace

void ShowMessage(const QString& caption, const QString& text, MessageIcon icon, QWidget* parent) {
    Current().Show(parent, MessageRequest{caption, text, icon});
}

bool AskYesNo(const QString& caption, const QString& text, QWidget* parent) {
    return Current().Ask(parent, MessageRequest{caption, text, MessageIcon::Question});
}

MessagePresenter* SetMessagePresenter(MessagePresenter* presenter) {
    MessagePresenter* previous = g_presenter;
    g_presenter = presenter;
    return previous;
}

void SetProgramMessagePresenter(MessagePresenter* presenter) {
    g_program = presenter ? presenter : &g_standardError;
}
