#pragma once

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

namespace e2e {

// The icon a message box shows.
enum class BoxIcon { None, Critical, Question, Exclamation, Information, Unknown };
const wchar_t* Name(BoxIcon icon);

// A message box as a person sees it: its title, its text (read from the box's text control,
// so with the line breaks exactly as the program passed them), its buttons left to right,
// its icon and the button that Enter presses.
struct MessageBoxSeen {
  std::wstring title;
  std::wstring text;
  std::vector<std::wstring> buttons;
  BoxIcon icon = BoxIcon::Unknown;
  std::wstring defaultButton;

  bool operator==(const MessageBoxSeen&) const = default;
};
std::wstring Describe(const MessageBoxSeen& box);
void PrintTo(const MessageBoxSeen& box, std::ostream* out);

// Whether the window is a standard message box or dialog box (class "#32770").
bool IsBox(HWND window);

// Reads a message box. The icon: STM_GETICON tells whether the box shows one; which one is
// decided by comparing what the icon control shows on the screen with the system's icons
// drawn here, since under Wine an icon handle is not shared between processes (neither
// the handle values nor GetIconInfo can be compared across them). The screen is looked at
// again until it shows one of them, for as long as a step may take.
MessageBoxSeen ReadMessageBox(HWND box);

// An input box: prompt, title, the text in its edit box and its buttons.
struct InputBoxSeen {
  std::wstring title;
  std::wstring prompt;
  std::wstring text;
  std::vector<std::wstring> buttons;
  std::wstring defaultButton;

  bool operator==(const InputBoxSeen&) const = default;
};
std::wstring Describe(const InputBoxSeen& box);
void PrintTo(const InputBoxSeen& box, std::ostream* out);
InputBoxSeen ReadInputBox(HWND box);

// The button of a box with that caption ("&Retry", "OK"); throws DriverError when none.
HWND BoxButton(HWND box, const std::wstring& caption);

}  // namespace e2e
