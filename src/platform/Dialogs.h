#pragma once

#include <string>

namespace melodex {

enum class MessageButtons { Ok, OkCancel, AbortRetryIgnore, YesNo };
enum class MessageIcon { None, Critical, Question };
enum class MessageAnswer { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

struct MessageBoxRequest {
  std::wstring text;
  std::wstring title;  // empty: the application's title
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
  int defaultButton = 1;  // 1 to 3, counted from the left
  std::wstring helpFile;  // the topic F1 opens while the box is up; empty: F1 does nothing
  unsigned helpContext = 0;

  bool operator==(const MessageBoxRequest&) const = default;
};

// Modal boxes that ask the user something and wait for the answer.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  virtual MessageAnswer ShowMessage(const MessageBoxRequest& request) = 0;

  // The text typed, or the empty text when the box is cancelled or closed.
  virtual std::wstring InputBox(const std::wstring& prompt, const std::wstring& title,
                                const std::wstring& defaultText) = 0;
};

}  // namespace melodex
