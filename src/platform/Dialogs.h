#pragma once

#include <string>

namespace melodex {

enum class MessageButtons { Ok, OkCancel, AbortRetryIgnore, YesNo };
enum class MessageIcon { None, Critical, Question };
enum class MessageAnswer { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

// The help topic that F1 opens while a message box is up.
inline constexpr wchar_t kHelpFile[] = L"DEMO.HLP";
inline constexpr unsigned kHelpContext = 1000;

struct MessageBoxRequest {
  std::wstring text;
  std::wstring title;  // empty: the application's title, "Melodex"
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
  int defaultButton = 1;  // 1 to 3, counted from the left
  std::wstring helpFile;  // empty: F1 does nothing
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

// A line break in a text the program composes for a box or label: line feed, then carriage
// return, in that order.
inline constexpr wchar_t kLineBreak[] = L"\n\r";

// The application's title, shown by any box that has no title of its own.
inline constexpr wchar_t kAppTitle[] = L"Melodex";

}  // namespace melodex
