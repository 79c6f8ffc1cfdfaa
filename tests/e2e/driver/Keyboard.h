#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace e2e {

// The keyboard of a person in front of the program: keys go, as posted messages, to the
// window of the program's thread that has the keyboard focus (found with GetGUIThreadInfo),
// so that they pass through the program's own message loop, its IsDialogMessage and its
// TranslateMessage exactly as real key strokes do.
//
// A key is its WM_KEYDOWN and WM_KEYUP (WM_SYSKEYDOWN and WM_SYSKEYUP while Alt is held).
// The characters come from the program's own TranslateMessage, as they do for a real
// keyboard: posting WM_CHAR or WM_SYSCHAR besides would deliver each of them twice. Text
// is the exception: it is posted as WM_CHAR messages, one per character, the way an input
// method hands text over, since the program's TranslateMessage would read the Shift key's
// state from its own keyboard state, which posted messages do not change.
//
// The program's TranslateMessage posts a key's character behind whatever waits in its queue,
// while a real keyboard's next key waits until the queue is empty; so after each key-down
// the driver lets the program take what was posted so far (`taken`, see Drain) before it
// posts anything more, and after the key it waits until the program is done with it all
// (`settle`).
class Keyboard {
 public:
  Keyboard(DWORD thread, std::function<void()> taken, std::function<void()> settle)
      : thread_(thread), taken_(std::move(taken)), settle_(std::move(settle)) {}

  // The window the next key goes to; throws DriverError when no window of the program has
  // the focus (a person's keys would then go to some other program).
  HWND Target() const;

  // One key, pressed and released: VK_RETURN, VK_ESCAPE, VK_TAB, VK_SPACE, VK_DOWN...
  void Press(UINT key) const;
  // F1: besides its key messages the system posts WM_KEYF1 for it, which the window's
  // default procedure turns into WM_HELP; posted key messages do not get it from the
  // system, so it is posted here as the system would. Returns without waiting for the
  // program to handle it (the system's help viewer may keep it busy).
  void PressF1() const;
  // Alt held while a letter's key is pressed: "Alt+U".
  void Alt(wchar_t letter) const;
  // Text typed into the focused control.
  void Type(const std::wstring& text) const;

 private:
  void Post(HWND target, UINT message, UINT key, bool up, bool alt) const;
  DWORD thread_;
  std::function<void()> taken_;
  std::function<void()> settle_;
};

}  // namespace e2e
