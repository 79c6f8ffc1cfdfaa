#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace melodex {

// Message and input boxes for tests: each box shown is recorded, and answered from a
// script. A box the script has no answer for is answered as Enter would: the default button
// of a message box, the empty text (Cancel) of an input box.
class ScriptedDialogs : public Dialogs {
 public:
  struct Shown {
    bool isInputBox = false;
    MessageBoxRequest message;                // for a message box
    std::wstring prompt, title, defaultText;  // for an input box
  };

  void Answer(MessageAnswer answer) { answers_.push_back(answer); }
  void Type(std::wstring text) { typed_.push_back(std::move(text)); }

  // Runs while a message box is up, before it is answered: what the user does meanwhile.
  std::function<void(const MessageBoxRequest&)> whileShown;

  MessageAnswer ShowMessage(const MessageBoxRequest& request) override;
  std::wstring InputBox(const std::wstring& prompt, const std::wstring& title,
                        const std::wstring& defaultText) override;

  std::vector<Shown> shown;

  // The texts of the message boxes shown, in order.
  std::vector<std::wstring> MessageTexts() const;

 private:
  std::deque<MessageAnswer> answers_;
  std::deque<std::wstring> typed_;
};

// The answer a message box gives when Enter presses its default button.
MessageAnswer DefaultAnswer(const MessageBoxRequest& request);

}  // namespace melodex
