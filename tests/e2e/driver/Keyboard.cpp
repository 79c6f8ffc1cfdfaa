#include "e2e/driver/Keyboard.h"

#include <cwctype>

#include "e2e/driver/Waiting.h"
#include "e2e/driver/Windows.h"

namespace e2e {
namespace {

constexpr UINT kKeyF1Message = 0x004D;  // WM_KEYF1, posted by the system for F1

}  // namespace

HWND Keyboard::Target() const {
  const HWND target = FocusOf(thread_);
  if (!target) {
    throw DriverError(
        L"no window of the program is active, so a key press would go to another program");
  }
  return target;
}

void Keyboard::Post(HWND target, UINT message, UINT key, bool up, bool alt) const {
  NoteInput();
  LPARAM flags = 1;  // repeat count
  flags |= static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC) & 0xFF) << 16;
  if (alt) flags |= 1 << 29;
  if (up) flags |= (1u << 30) | (1u << 31);
  PostMessageW(target, message, key, flags);
}

void Keyboard::Press(UINT key) const {
  const HWND target = Target();
  Post(target, WM_KEYDOWN, key, false, false);
  taken_();
  Post(target, WM_KEYUP, key, true, false);
  settle_();
}

void Keyboard::PressF1() const {
  const HWND target = Target();
  Post(target, WM_KEYDOWN, VK_F1, false, false);
  taken_();
  // Not waited for: help may go to the system's help viewer, which keeps the program
  // waiting for as long as it likes.
  PostMessageW(target, kKeyF1Message, 0, 0);
  Post(target, WM_KEYUP, VK_F1, true, false);
}

void Keyboard::Alt(wchar_t letter) const {
  const HWND target = Target();
  const auto key = static_cast<UINT>(std::towupper(letter));
  Post(target, WM_SYSKEYDOWN, VK_MENU, false, true);
  Post(target, WM_SYSKEYDOWN, key, false, true);
  taken_();
  Post(target, WM_SYSKEYUP, key, true, true);
  // Alt let go after another key: a plain key-up, which does not open the menu bar.
  Post(target, WM_KEYUP, VK_MENU, true, false);
  settle_();
}

void Keyboard::Type(const std::wstring& text) const {
  const HWND target = Target();
  NoteInput();
  for (const wchar_t c : text) PostMessageW(target, WM_CHAR, c, 1);
  settle_();
}

}  // namespace e2e
