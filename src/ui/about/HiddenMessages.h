#pragma once

#include <string>

#include "platform/Dialogs.h"

namespace melodex {

// The text of hidden message 1, 2 or 3: four lines, the last ones naming its code word.
std::wstring HiddenMessageText(int number);

// Shows hidden message 1, 2 or 3 in a plain box and waits until it is closed.
void ShowHiddenMessage(Dialogs& dialogs, int number);

// The joke behind Enter in the main window: the "Enter box" comes back for as long as the
// user answers Retry.
void ShowEnterBox(Dialogs& dialogs);

// The author's address, in a plain box.
void ShowContactMessage(Dialogs& dialogs);

}  // namespace melodex
