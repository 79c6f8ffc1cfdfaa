// What a form's window does with its messages: its own, and those of its children, which it
// hands to the children's peers.
#include "platform/Error.h"
#include "ui/win32/ControlPeer.h"
#include "ui/win32/Win32Support.h"
#include "ui/win32/Win32Window.h"

namespace melodex::win32 {

LRESULT CALLBACK Win32Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The object comes with the window's first message, so that no message of its creation
  // misses it.
  if (message == WM_NCCREATE) {
    auto* created =
        static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    created->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  try {
    return self->OnMessage(message, wParam, lParam);
  } catch (const Error& error) {
    ReportUnexpected(error.What());
  } catch (...) {
    ReportUnexpected();
  }
  return 0;
}

LRESULT Win32Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case DM_GETDEFID: {
      SyncFocus();
      const ui::CommandButton* target = form_.EnterTarget();
      const HWND button = target ? HandleOf(*target) : nullptr;
      return button ? MAKELRESULT(GetDlgCtrlID(button), DC_HASDEFID) : 0;
    }
    case WM_CLOSE:
      form_.CloseBox();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        SyncFocus();
      } else if (const ui::Control* focused = form_.Focused()) {
        if (const HWND child = HandleOf(*focused)) ::SetFocus(child);
      }
      return 0;
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(window_, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, Brush(Background()));
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window_, &paint);
      for (const auto& peer : peers_) peer->Paint(dc);
      EndPaint(window_, &paint);
      return 0;
    }
    case WM_MEASUREITEM: {
      auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (ControlPeer* peer = PeerWithId(item.CtlID)) peer->OnMeasureItem(item);
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (ControlPeer* peer = PeerOf(item.hwndItem)) peer->OnDrawItem(item);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const auto dc = reinterpret_cast<HDC>(wParam);
      if (ControlPeer* peer = PeerOf(reinterpret_cast<HWND>(lParam))) {
        return reinterpret_cast<LRESULT>(peer->OnColor(dc));
      }
      return reinterpret_cast<LRESULT>(SetColors(dc, GetSysColor(COLOR_BTNTEXT), Background()));
    }
    case WM_GETDPISCALEDSIZE:
      // Moving to a screen of another DPI, the window keeps its client area exact, which
      // scaling its outer size would not: the system suggests this size with WM_DPICHANGED.
      *reinterpret_cast<SIZE*>(lParam) = OuterSize(static_cast<UINT>(wParam));
      return TRUE;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wParam);
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      Layout();
      return 0;
    }
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void Win32Window::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  const auto child = reinterpret_cast<HWND>(lParam);
  if (!child && code == 0 && id >= kFirstMenuId &&
      id < kFirstMenuId + static_cast<int>(menuItems_.size())) {
    menuItems_[id - kFirstMenuId]->Press();
    return;
  }
  ControlPeer* peer = PeerOf(child);
  if (id == IDCANCEL && !peer) {
    form_.PressEscape();  // Esc, from the dialog keyboard interface
    return;
  }
  // Enter with no button to press arrives as IDOK from no control: the focused control may
  // take it itself.
  if (id == IDOK && !peer) {
    SyncFocus();
    ui::Control* focused = form_.Focused();
    if (focused && focused->WantsEnter() && focused->Enabled()) focused->OnEnter();
    return;
  }
  if (!peer || GetDlgCtrlID(child) != id) return;
  peer->OnCommand(code);  // the form may be gone after this
}

void Win32Window::SyncFocus() {
  if (ui::Control* control = ControlAt(GetFocus())) form_.OnUserFocus(*control);
  // The button that Enter presses looks like the default button.
  const ui::CommandButton* target = form_.EnterTarget();
  for (const auto& peer : peers_) peer->ShowAsEnterTarget(&peer->Model() == target);
}

}  // namespace melodex::win32
