#include "e2e/driver/Mouse.h"

#include <string>

#include "e2e/driver/Waiting.h"
#include "e2e/driver/Windows.h"

namespace e2e {
namespace {

std::wstring Where(POINT point) {
  return std::to_wstring(point.x) + L", " + std::to_wstring(point.y);
}

LPARAM Position(POINT point) { return MAKELPARAM(point.x, point.y); }

POINT InClient(HWND window, POINT screen) {
  ScreenToClient(window, &screen);
  return screen;
}

}  // namespace

HWND Mouse::Reach(POINT screen) const {
  // What lies under the pointer is read off a settled screen: Wine's virtual desktop now and
  // then puts the active window behind another a moment after it came forward, and the
  // settling raises it again, as a window manager would, before the click picks its window.
  settle_();
  const HWND target = WindowFromPoint(screen);
  if (!target || ProcessOf(target) != process_) {
    throw DriverError(L"at " + Where(screen) + L" the screen shows " +
                      (target ? Describe(target) : std::wstring(L"nothing")) +
                      L", not a window of the program");
  }
  const HWND top = GetAncestor(target, GA_ROOT);
  if (!IsWindowEnabled(top) || !IsWindowEnabled(target)) return nullptr;
  DWORD thread = GetWindowThreadProcessId(top, nullptr);
  if (ActiveOf(thread) != top && ClassOf(top) != L"#32768" && ClassOf(top) != L"ComboLBox") {
    SetForegroundWindow(top);
    WaitUntil(
        Describe(top) + L" to become active on a click", [&] { return ActiveOf(thread) == top; },
        [&] { return Describe(ActiveOf(thread)) + L" active"; });
    RaiseIfBehind(top, Milliseconds(100));
  }
  SetCursorPos(screen.x, screen.y);
  return target;
}

bool Mouse::Click(POINT screen) const {
  const HWND target = Reach(screen);
  if (!target) return false;
  // Whatever the program still has to do about the window coming forward is done before
  // the button goes down: a focus change between down and up would swallow the click.
  settle_();
  NoteInput();
  const auto hit = static_cast<int>(Ask(target, WM_NCHITTEST, 0, Position(screen)));
  if (hit == HTCLIENT) {
    const LPARAM at = Position(InClient(target, screen));
    PostMessageW(target, WM_MOUSEMOVE, 0, at);
    PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(target, WM_LBUTTONUP, 0, at);
  } else {
    PostMessageW(target, WM_NCMOUSEMOVE, hit, Position(screen));
    PostMessageW(target, WM_NCLBUTTONDOWN, hit, Position(screen));
    PostMessageW(target, WM_LBUTTONUP, 0, Position(screen));
  }
  settle_();
  return true;
}

bool Mouse::Click(HWND control) const {
  settle_();  // the part of it in sight is looked for on a settled screen too (see Reach)
  RECT rect = ScreenRect(control);
  // Only the part of the control inside its window can be seen, and so clicked.
  const RECT client = ClientOnScreen(GetAncestor(control, GA_ROOT));
  IntersectRect(&rect, &rect, &client);
  if (IsRectEmpty(&rect)) {
    throw DriverError(L"cannot click " + Describe(control) +
                      L": it lies outside its window, out of sight");
  }
  // Its middle, or else a part that no other window covers.
  if (!IsWindowEnabled(control)) return Click(Centre(rect));
  const POINT middle = Centre(rect);
  if (WindowFromPoint(middle) == control) return Click(middle);
  for (int y = rect.top + 1; y < rect.bottom; y += 3) {
    for (int x = rect.left + 1; x < rect.right; x += 3) {
      if (WindowFromPoint(POINT{x, y}) == control) return Click(POINT{x, y});
    }
  }
  throw DriverError(L"cannot click " + Describe(control) + L": other windows cover it (" +
                    Describe(WindowFromPoint(middle)) + L" is in front of its middle)");
}

bool Mouse::DoubleClick(POINT screen) const {
  const HWND target = Reach(screen);
  if (!target) return false;
  // As for a single click: the pointer's move is done with before the button goes down. A
  // list box holds the mouse from the first press on, and a move still on its way would
  // take its selection back to where the pointer was before.
  settle_();
  NoteInput();
  const LPARAM at = Position(InClient(target, screen));
  PostMessageW(target, WM_MOUSEMOVE, 0, at);
  PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(target, WM_LBUTTONUP, 0, at);
  PostMessageW(target, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageW(target, WM_LBUTTONUP, 0, at);
  settle_();
  return true;
}

bool Mouse::ClickCloseBox(HWND window) const {
  const RECT frame = ScreenRect(window);
  const RECT client = ClientOnScreen(window);
  // In the caption bar (above the menu bar, if any), from the right edge inwards.
  for (int y = frame.top + 2; y < client.top; y += 2) {
    for (int x = frame.right - 2; x > frame.right - 80 && x > frame.left; x -= 2) {
      const POINT point{x, y};
      if (Ask(window, WM_NCHITTEST, 0, Position(point)) == HTCLOSE) return Click(point);
    }
  }
  throw DriverError(L"no close box on " + Describe(window));
}

}  // namespace e2e
