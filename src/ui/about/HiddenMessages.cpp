#include "ui/about/HiddenMessages.h"

#include "Melodex.h"

namespace melodex {

std::wstring HiddenMessageText(int number) {
  static constexpr const wchar_t* kCodeWords[] = {L"TOPSYWARP", L"GLIMMERBOX", L"FIZZLEDON"};
  const std::wstring n(1, static_cast<wchar_t>(L'0' + number));
  return std::wstring(L"You found a Secret!!!") + kLineBreak + L"Cool! This is Secret number " + n +
         L", There are 2 others!" + kLineBreak + L"write the following word in a message to me : " +
         kCodeWords[number - 1] + L" " + kLineBreak +
         L" If you find all 3 secrets and write me the E-mail Your name will be shown in the "
         L"next version.";
}

void ShowHiddenMessage(Dialogs& dialogs, int number) {
  dialogs.ShowMessage({.text = HiddenMessageText(number)});
}

void ShowEnterBox(Dialogs& dialogs) {
  for (;;) {
    const MessageAnswer answer =
        dialogs.ShowMessage({.text = L"Enter does not do you any good.....!!!",
                             .title = L"Enter box",
                             .buttons = MessageButtons::AbortRetryIgnore,
                             .icon = MessageIcon::Critical,
                             .helpFile = kHelpFile,
                             .helpContext = kHelpContext});
    switch (answer) {
      case MessageAnswer::Abort:
        dialogs.ShowMessage({.text = L"What do you want to Abort??"});
        return;
      case MessageAnswer::Retry:
        dialogs.ShowMessage({.text = L"Retry??? Ok:))"});
        continue;
      case MessageAnswer::Ignore:
        dialogs.ShowMessage({.text = L"I could try to Ignore you!!"});
        return;
      default:
        return;  // the box closed some other way
    }
  }
}

void ShowContactMessage(Dialogs& dialogs) {
  dialogs.ShowMessage(
      {.text = std::wstring(L"Write Brixel an E-Mial to:") + kLineBreak + AuthorContactAddress});
}

}  // namespace melodex
