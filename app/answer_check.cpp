// The answer check. It keeps nothing between clicks and writes into no control;
// every text it reads is released before any message box shows.
#include "app/answer_check.h"

#include "app/compare_text.h"
#include "ui/texts.h"

namespace app {

void CheckAnswer(AnswerCheckDesk& desk) {
    char* answer = desk.ReadAnswer();
    const bool right = CompareText(answer, ui::texts::AcceptedAnswer.data()) == 0;
    if (answer) desk.ReleaseText(answer);
    if (right) {
        desk.ShowMessage(ui::texts::CredentialsMessage.data());
        return;
    }
    // No event runs between the two reads, so the second sees the same text.
    char* again = desk.ReadAnswer();
    const bool empty = CompareText(again, ui::texts::EmptyText.data()) == 0;
    if (again) desk.ReleaseText(again);
    if (empty) desk.ShowMessage(ui::texts::ReminderMessage.data());
}

}  // namespace app
