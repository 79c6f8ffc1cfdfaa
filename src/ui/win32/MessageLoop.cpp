// The program's one message loop, shared by all its windows.
#include "platform/Error.h"
#include "ui/win32/Win32Backend.h"
#include "ui/win32/Win32Support.h"
#include "ui/win32/Win32Window.h"

namespace melodex::win32 {

bool Win32Backend::PreTranslate(MSG& message) {
  Win32Window* window = message.hwnd ? FindWindowFor(message.hwnd) : nullptr;
  if (!window) return false;
  ui::Form& form = window->Form();
  const auto key = static_cast<wchar_t>(message.wParam);
  const auto typing = [&] {
    const ui::Control* focused = window->ControlAt(GetFocus());
    return focused && focused->GetKind() == ui::Control::Kind::TextBox;
  };
  // Access keys follow the program's rules, not the dialog manager's; a plain letter
  // outside a text box is not one. A key no control has goes on to the menu bar. What is
  // typed into a text box, and every other message, is the dialog manager's.
  if (message.message == WM_SYSCHAR || (message.message == WM_CHAR && key >= L' ' && !typing())) {
    window->SyncFocus();
    return message.message == WM_CHAR || form.PressAccessKey(key);
  }
  return IsDialogMessageW(window->Handle(), &message);
}

void Win32Backend::Dispatch(MSG& message) {
  try {
    if (PreTranslate(message)) return;
  } catch (const Error& error) {
    ReportUnexpected(error.What());
    return;
  } catch (...) {
    ReportUnexpected();
    return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

int Win32Backend::Run() {
  MSG message;
  while (!ended_ && GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return 0;
}

void Win32Backend::PumpPending() {
  MSG message;
  while (!ended_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ended_ = true;
      break;
    }
    Dispatch(message);
  }
}

}  // namespace melodex::win32
