#include "ui/win32/Win32Window.h"

#include <algorithm>
#include <climits>
#include <string>

#include "platform/Error.h"
#include "platform/win32/SystemMessage.h"
#include "ui/win32/ControlPeer.h"
#include "ui/win32/Win32Backend.h"
#include "ui/win32/Win32Support.h"

namespace melodex::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"MelodexForm";

}  // namespace

void Win32Window::RegisterClass(HINSTANCE instance) {
  WNDCLASSEXW form{};
  form.cbSize = sizeof form;
  form.lpfnWndProc = &Win32Window::Procedure;
  form.hInstance = instance;
  form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  form.hIcon = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  form.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
  form.lpszClassName = kFormClass;
  RegisterClassExW(&form);
}

Win32Window::Win32Window(Win32Backend& backend, ui::Form& form) : backend_(backend), form_(form) {
  // New windows open on the primary monitor: size them for its DPI straight away, and again
  // should the window system place them elsewhere.
  dpi_ = GetDpiForSystem();
  const HWND owner = form.Layout().showInTaskbar ? nullptr : backend_.HiddenOwner();
  const HMENU menu = CreateMenuBar();
  const SIZE size = OuterSize(dpi_);
  // The window knows this object from its first message on (WM_NCCREATE).
  if (!CreateWindowExW(ExStyle(), kFormClass, form.Caption().c_str(), Style(), CW_USEDEFAULT,
                       CW_USEDEFAULT, size.cx, size.cy, owner, menu, backend_.Instance(), this)) {
    const DWORD error = GetLastError();
    if (menu) DestroyMenu(menu);
    throw Error(L"cannot create a window (error " + ErrorNumber(error) + L")");
  }
  backend_.Add(*this);
  CreateFonts();
  CreateChildren();
  if (GetDpiForWindow(window_) != dpi_) {
    dpi_ = GetDpiForWindow(window_);
    const SIZE exact = OuterSize(dpi_);
    SetWindowPos(window_, nullptr, 0, 0, exact.cx, exact.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
  }
}

Win32Window::~Win32Window() {
  backend_.Remove(*this);
  // No message of the window's end reaches this object, which is going.
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
  if (defaultFont_) DeleteObject(defaultFont_);
  for (const auto& [color, brush] : brushes_) DeleteObject(brush);
}

HINSTANCE Win32Window::Instance() const { return backend_.Instance(); }

DWORD Win32Window::Style() const { return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN; }

DWORD Win32Window::ExStyle() const {
  DWORD style = WS_EX_CONTROLPARENT;
  if (form_.Layout().border == ui::BorderStyle::FixedToolWindow) style |= WS_EX_TOOLWINDOW;
  // A tool window keeps a taskbar button only when asked to.
  if (form_.Layout().showInTaskbar) style |= WS_EX_APPWINDOW;
  return style;
}

HMENU Win32Window::CreateMenuBar() {
  if (form_.MenuBar().empty()) return nullptr;
  const auto append = [this](HMENU menu, ui::MenuItem* item) {
    menuItems_.push_back(item);
    AppendMenuW(menu, MF_STRING | (item->Enabled() ? MF_ENABLED : MF_GRAYED),
                kFirstMenuId + menuItems_.size() - 1, item->Caption().c_str());
  };
  const HMENU bar = CreateMenu();
  for (ui::MenuItem* item : form_.MenuBar()) {
    if (item->Items().empty()) {
      append(bar, item);
      continue;
    }
    const HMENU popup = CreatePopupMenu();
    for (ui::MenuItem* entry : item->Items()) append(popup, entry);
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), item->Caption().c_str());
  }
  return bar;
}

SIZE Win32Window::OuterSize(UINT dpi) const {
  RECT outer{0, 0, Pixels(form_.Layout().clientWidth, dpi),
             Pixels(form_.Layout().clientHeight, dpi)};
  AdjustWindowRectExForDpi(&outer, Style(), !form_.MenuBar().empty(), ExStyle(), dpi);
  SIZE size{outer.right - outer.left, outer.bottom - outer.top};
  if (form_.OuterWidth() > 0) size.cx = Pixels(form_.OuterWidth(), dpi);
  if (form_.OuterHeight() > 0) size.cy = Pixels(form_.OuterHeight(), dpi);
  return size;
}

void Win32Window::CreateFonts() {
  if (defaultFont_) DeleteObject(defaultFont_);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi_);
  defaultFont_ = CreateFontIndirectW(&metrics.lfMessageFont);
}

void Win32Window::CreateChildren() {
  // The tab order is the order of the windows: create the controls in it.
  std::vector<ui::Control*> ordered(form_.Controls());
  std::stable_sort(ordered.begin(), ordered.end(), [](const ui::Control* a, const ui::Control* b) {
    return (a->TabIndex() < 0 ? INT_MAX : a->TabIndex()) <
           (b->TabIndex() < 0 ? INT_MAX : b->TabIndex());
  });
  for (ui::Control* control : ordered) {
    // Known by its id before it exists: a child reports to its peer while it is being made.
    peers_.push_back(MakePeer(*this, *control));
    peers_.back()->Create(kFirstControlId + static_cast<int>(peers_.size()) - 1);
  }
}

void Win32Window::Layout() {
  CreateFonts();
  for (const auto& peer : peers_) peer->Relayout();
  InvalidateRect(window_, nullptr, TRUE);
}

COLORREF Win32Window::Background() const {
  return ColorOf(form_.Layout().backColor, GetSysColor(COLOR_BTNFACE));
}

HBRUSH Win32Window::Brush(COLORREF color) {
  HBRUSH& brush = brushes_[color];
  if (!brush) brush = CreateSolidBrush(color);
  return brush;
}

HBRUSH Win32Window::SetColors(HDC dc, COLORREF fore, COLORREF back) {
  SetTextColor(dc, fore);
  SetBkColor(dc, back);
  return Brush(back);
}

ControlPeer* Win32Window::PeerWithId(UINT id) const {
  const std::size_t index = id - kFirstControlId;
  return id >= kFirstControlId && index < peers_.size() ? peers_[index].get() : nullptr;
}

ControlPeer* Win32Window::PeerOf(HWND child) const {
  if (!child) return nullptr;
  ControlPeer* peer = PeerWithId(static_cast<UINT>(GetDlgCtrlID(child)));
  return peer && peer->Handle() == child ? peer : nullptr;
}

HWND Win32Window::HandleOf(const ui::Control& control) const {
  for (const auto& peer : peers_) {
    if (&peer->Model() == &control) return peer->Handle();
  }
  return nullptr;
}

ui::Control* Win32Window::ControlAt(HWND child) const {
  const ControlPeer* peer = PeerOf(child);
  return peer ? &peer->Model() : nullptr;
}

void Win32Window::Show() {
  if (!placed_ && form_.Layout().centered) {
    RECT frame;
    GetWindowRect(window_, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  placed_ = true;
  if (IsWindowVisible(window_) && !IsIconic(window_)) {
    BringWindowToTop(window_);  // shown already: to the front
  } else {
    ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
  }
  // While a message box of this window is up, the box takes the keyboard: the window itself
  // is disabled. The box, owned by the window, stands in front of it anyway.
  const HWND box = IsWindowEnabled(window_) ? nullptr : OwnedBox();
  SetForegroundWindow(box ? box : window_);
}

namespace {

struct BoxSearch {
  HWND owner;
  HWND found = nullptr;
};

BOOL CALLBACK FindOwnedBox(HWND candidate, LPARAM parameter) {
  auto* search = reinterpret_cast<BoxSearch*>(parameter);
  if (GetWindow(candidate, GW_OWNER) == search->owner && IsWindowVisible(candidate) &&
      IsWindowEnabled(candidate)) {
    search->found = candidate;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

// A visible, enabled window of the program that this window owns: the modal box it waits
// for. (GetLastActivePopup does not know it everywhere.)
HWND Win32Window::OwnedBox() const {
  BoxSearch search{window_};
  EnumThreadWindows(GetCurrentThreadId(), FindOwnedBox, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void Win32Window::ControlChanged(const ui::Control& control) {
  for (const auto& peer : peers_) {
    if (&peer->Model() == &control) {
      peer->ApplyName();
      peer->Apply();
    }
  }
  SyncFocus();
}

void Win32Window::MenuChanged(const ui::MenuItem& item) {
  const auto at = std::find(menuItems_.begin(), menuItems_.end(), &item);
  if (at == menuItems_.end()) return;
  EnableMenuItem(GetMenu(window_), static_cast<UINT>(kFirstMenuId + (at - menuItems_.begin())),
                 MF_BYCOMMAND | (item.Enabled() ? MF_ENABLED : MF_GRAYED));
  if (IsWindowVisible(window_)) DrawMenuBar(window_);
}

void Win32Window::FocusChanged(const ui::Control& control) {
  // Only a control that takes the focus is given it, and each has a window of its own.
  const HWND child = HandleOf(control);
  if (GetActiveWindow() == window_ && GetFocus() != child) ::SetFocus(child);
}

void Win32Window::OuterSizeChanged() {
  RECT frame;
  GetWindowRect(window_, &frame);
  const int width =
      form_.OuterWidth() > 0 ? Pixels(form_.OuterWidth(), dpi_) : frame.right - frame.left;
  const int height =
      form_.OuterHeight() > 0 ? Pixels(form_.OuterHeight(), dpi_) : frame.bottom - frame.top;
  SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace melodex::win32
