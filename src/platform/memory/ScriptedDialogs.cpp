#include "platform/memory/ScriptedDialogs.h"

namespace melodex {

MessageAnswer DefaultAnswer(const MessageBoxRequest& request) {
  const int index = request.defaultButton - 1;
  switch (request.buttons) {
    case MessageButtons::Ok:
      return MessageAnswer::Ok;
    case MessageButtons::OkCancel:
      return index == 1 ? MessageAnswer::Cancel : MessageAnswer::Ok;
    case MessageButtons::YesNo:
      return index == 1 ? MessageAnswer::No : MessageAnswer::Yes;
    case MessageButtons::AbortRetryIgnore:
      return index == 2 ? MessageAnswer::Ignore
                        : (index == 1 ? MessageAnswer::Retry : MessageAnswer::Abort);
  }
  return MessageAnswer::Ok;
}

MessageAnswer ScriptedDialogs::ShowMessage(const MessageBoxRequest& request) {
  Shown box;
  box.message = request;
  shown.push_back(std::move(box));
  if (whileShown) whileShown(request);
  if (answers_.empty()) return DefaultAnswer(request);
  const MessageAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::wstring ScriptedDialogs::InputBox(const std::wstring& prompt, const std::wstring& title,
                                       const std::wstring& defaultText) {
  Shown box;
  box.isInputBox = true;
  box.prompt = prompt;
  box.title = title;
  box.defaultText = defaultText;
  shown.push_back(std::move(box));
  if (typed_.empty()) return L"";
  std::wstring text = std::move(typed_.front());
  typed_.pop_front();
  return text;
}

std::vector<std::wstring> ScriptedDialogs::MessageTexts() const {
  std::vector<std::wstring> texts;
  for (const auto& box : shown) {
    if (!box.isInputBox) texts.push_back(box.message.text);
  }
  return texts;
}

}  // namespace melodex
