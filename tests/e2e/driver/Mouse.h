#pragma once

#include <windows.h>

#include <functional>

namespace e2e {

// The mouse of a person in front of the program. A click is aimed at a point of the screen:
// it goes to the window that the window system finds there (WindowFromPoint, which passes
// over hidden and disabled controls to the window behind them), as posted button messages
// at that point, after the pointer has been moved there. A click on a window of the program
// that is not active first activates it, as the system does for a real click; a click on a
// disabled window (one blocked by a modal box) does nothing.
//
// Clicks in the frame (menu bar, close box) are posted as the frame messages the system
// sends (WM_NCLBUTTONDOWN with the hit-test code); the loops that track the mouse in a
// menu or on the close box read the button-up's position in screen coordinates, so it is
// posted with those, as the system hands it to them during such a loop.
class Mouse {
 public:
  // `settle` lets the program take what was posted before the click returns (see Drain).
  Mouse(DWORD process, std::function<void()> settle)
      : process_(process), settle_(std::move(settle)) {}

  // Returns false when the click did nothing because the window there is disabled.
  bool Click(POINT screen) const;
  bool Click(HWND control) const;  // at the centre of the control
  bool DoubleClick(POINT screen) const;
  // The close box of a top-level window, found where the window reports it (WM_NCHITTEST).
  bool ClickCloseBox(HWND window) const;

 private:
  // The window a click at `screen` reaches, activated if need be; null when disabled.
  HWND Reach(POINT screen) const;
  DWORD process_;
  std::function<void()> settle_;
};

}  // namespace e2e
