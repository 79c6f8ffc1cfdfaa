#pragma once

#include <functional>
#include <string>

#include "platform/Dialogs.h"

namespace melodex::win32 {

// Message boxes and the input box of Windows. Both are modal to every window of the
// program: while one is up, no other window of the program reacts.
class Win32Dialogs : public Dialogs {
 public:
  // `appTitle` is what a box that has no title of its own shows.
  explicit Win32Dialogs(std::wstring appTitle) : appTitle_(std::move(appTitle)) {}

  // Called when F1 is pressed in a message box that names a help file.
  using HelpHandler = std::function<void(const std::wstring& helpFile, unsigned context)>;
  void SetHelpHandler(HelpHandler handler) { help_ = std::move(handler); }

  MessageAnswer ShowMessage(const MessageBoxRequest& request) override;
  std::wstring InputBox(const std::wstring& prompt, const std::wstring& title,
                        const std::wstring& defaultText) override;

 private:
  const wchar_t* TitleOrDefault(const std::wstring& title) const {
    return title.empty() ? appTitle_.c_str() : title.c_str();
  }

  std::wstring appTitle_;
  HelpHandler help_;
};

}  // namespace melodex::win32
