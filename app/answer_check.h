// The answer check behind the button: the right answer shows the account, an empty
// answer a reminder to register, anything else nothing.
#pragma once

namespace app {

// What the check asks of the window: reading the answer box as a new text (null
// when empty), releasing that text, and showing a message box.
class AnswerCheckDesk {
public:
    virtual char* ReadAnswer() = 0;
    virtual void ReleaseText(char* text) = 0;
    virtual void ShowMessage(const char* text) = 0;

protected:
    ~AnswerCheckDesk() = default;
};

void CheckAnswer(AnswerCheckDesk& desk);

}  // namespace app
