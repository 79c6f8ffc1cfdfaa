#include "platform/win32/Win32Backend.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <string>

#include "platform/Dialogs.h"
#include "ui/model/Lists.h"

namespace melodex::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"MelodexForm";
constexpr wchar_t kOwnerClass[] = L"MelodexOwner";
constexpr int kFirstControlId = 100;
constexpr int kFirstMenuId = 1000;
constexpr int kIconResource = 1;

int Pixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

// Texts the program composes break lines with line feed then carriage return; the window
// system draws a line break for carriage return then line feed.
std::wstring ForDisplay(const std::wstring& text) {
  std::wstring shown = text;
  for (std::size_t at = shown.find(L"\n\r"); at != std::wstring::npos;
       at = shown.find(L"\n\r", at + 2)) {
    shown[at] = L'\r';
    shown[at + 1] = L'\n';
  }
  return shown;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

int SystemColorIndex(ui::SystemColor color) {
  switch (color) {
    case ui::SystemColor::WindowText:
      return COLOR_WINDOWTEXT;
    case ui::SystemColor::Window:
      return COLOR_WINDOW;
    case ui::SystemColor::ButtonText:
      return COLOR_BTNTEXT;
    case ui::SystemColor::ButtonFace:
      return COLOR_BTNFACE;
    case ui::SystemColor::HighlightText:
      return COLOR_HIGHLIGHTTEXT;
  }
  return COLOR_WINDOWTEXT;
}

COLORREF ColorOf(const ui::Color& color, COLORREF fallback) {
  switch (color.kind) {
    case ui::Color::Kind::Rgb:
      return RGB((color.value >> 16) & 0xFF, (color.value >> 8) & 0xFF, color.value & 0xFF);
    case ui::Color::Kind::System:
      return GetSysColor(SystemColorIndex(static_cast<ui::SystemColor>(color.value)));
    case ui::Color::Kind::Default:
      break;
  }
  return fallback;
}

void ReportUnexpected(const char* what) {
  std::wstring text = L"Something unexpected went wrong; the action was not completed.";
  if (what && *what) {
    text += kLineBreak;
    text += std::wstring(what, what + std::char_traits<char>::length(what));
  }
  MessageBoxW(nullptr, text.c_str(), kAppTitle, MB_OK | MB_ICONHAND | MB_TASKMODAL);
}

}  // namespace

// The real window of one form.
class Win32Window : public ui::WindowPeer {
 public:
  Win32Window(Win32Backend& backend, ui::Form& form);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  void Show() override;
  void Hide() override { ShowWindow(window_, SW_HIDE); }
  void CaptionChanged() override { SetWindowTextW(window_, form_.Caption().c_str()); }
  void ControlChanged(const ui::Control& control) override;
  void MenuChanged(const ui::MenuItem& item) override;
  void FocusChanged(const ui::Control& control) override;
  void OuterSizeChanged() override;

  HWND Handle() const { return window_; }
  HWND OwnedBox() const;
  HWND HandleOf(const ui::Control& control) const;
  ui::Form& Form() const { return form_; }
  ui::Control* ControlAt(HWND child) const;

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // Tells the model which control has the focus, and gives the button that Enter would
  // press the look of the default button.
  void SyncFocus();

 private:
  struct Child {
    ui::Control* control;
    HWND window;
  };

  DWORD Style() const;
  DWORD ExStyle() const;
  HMENU CreateMenuBar();
  SIZE OuterSize() const;
  // Left, top, width and height in pixels.
  RECT PlaceOf(const ui::Control& control) const;
  void CreateFonts();
  void CreateChildren();
  void ShowIcon(HWND image, int size);
  void Layout();
  void ApplyState(const Child& child);
  void ApplyDrives(HWND box, const ui::DriveList& drives);
  void ApplyFolders(HWND list, const ui::DirList& folders);
  int DirItemHeight() const;
  void DrawFolder(const DRAWITEMSTRUCT& item);
  void PaintLines(HDC dc);
  HBRUSH Brush(COLORREF color);
  HFONT FontFor(const ui::Control& control);
  COLORREF Background() const {
    return ColorOf(form_.Layout().backColor, GetSysColor(COLOR_BTNFACE));
  }
  LRESULT ColorStatic(HDC dc, HWND child);
  void OnCommand(WPARAM wParam, LPARAM lParam);

  Win32Backend& backend_;
  ui::Form& form_;
  HWND window_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  std::vector<Child> children_;
  std::vector<ui::MenuItem*> menuItems_;
  HFONT defaultFont_ = nullptr;
  std::map<const ui::Control*, HFONT> fonts_;
  std::map<COLORREF, HBRUSH> brushes_;
  std::map<HWND, std::wstring> shownFolders_;
  HICON icon_ = nullptr;
  bool placed_ = false;
  bool settingText_ = false;
};

Win32Window::Win32Window(Win32Backend& backend, ui::Form& form) : backend_(backend), form_(form) {
  // New windows open on the primary monitor: size them for its DPI straight away, and again
  // should the window system place them elsewhere.
  dpi_ = GetDpiForSystem();
  const HWND owner = form.Layout().showInTaskbar ? nullptr : backend_.HiddenOwner();
  const HMENU menu = CreateMenuBar();
  const SIZE size = OuterSize();
  window_ =
      CreateWindowExW(ExStyle(), kFormClass, form.Caption().c_str(), Style(), CW_USEDEFAULT,
                      CW_USEDEFAULT, size.cx, size.cy, owner, menu, backend_.instance_, nullptr);
  if (!window_) {
    const DWORD error = GetLastError();
    if (menu) DestroyMenu(menu);
    throw std::runtime_error("cannot create a window (error " + std::to_string(error) + ")");
  }
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  backend_.windows_.push_back(this);
  CreateFonts();
  CreateChildren();
  if (GetDpiForWindow(window_) != dpi_) {
    dpi_ = GetDpiForWindow(window_);
    Layout();
  }
}

Win32Window::~Win32Window() {
  std::erase(backend_.windows_, this);
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
  if (defaultFont_) DeleteObject(defaultFont_);
  for (const auto& [control, font] : fonts_) DeleteObject(font);
  for (const auto& [color, brush] : brushes_) DeleteObject(brush);
  if (icon_) DestroyIcon(icon_);
}

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

SIZE Win32Window::OuterSize() const {
  RECT outer{0, 0, Pixels(form_.Layout().clientWidth, dpi_),
             Pixels(form_.Layout().clientHeight, dpi_)};
  AdjustWindowRectExForDpi(&outer, Style(), !form_.MenuBar().empty(), ExStyle(), dpi_);
  SIZE size{outer.right - outer.left, outer.bottom - outer.top};
  if (form_.OuterWidth() > 0) size.cx = Pixels(form_.OuterWidth(), dpi_);
  if (form_.OuterHeight() > 0) size.cy = Pixels(form_.OuterHeight(), dpi_);
  return size;
}

RECT Win32Window::PlaceOf(const ui::Control& control) const {
  const ui::Rect& r = control.Geometry();
  // A drop-down list's height is that of its box and its open list together.
  const int rows = control.GetKind() == ui::Control::Kind::DriveList ? 9 : 1;
  return {Pixels(r.left, dpi_), Pixels(r.top, dpi_), Pixels(r.width, dpi_),
          Pixels(r.height, dpi_) * rows};
}

void Win32Window::CreateFonts() {
  if (defaultFont_) DeleteObject(defaultFont_);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi_);
  defaultFont_ = CreateFontIndirectW(&metrics.lfMessageFont);
  for (const auto& [control, font] : fonts_) DeleteObject(font);
  fonts_.clear();
}

void Win32Window::ShowIcon(HWND image, int size) {
  const HICON icon = static_cast<HICON>(
      LoadImageW(backend_.instance_, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, size, size, 0));
  if (!icon) return;
  SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  if (icon_) DestroyIcon(icon_);
  icon_ = icon;
}

void Win32Window::CreateChildren() {
  // The tab order is the order of the windows: create the controls in it.
  std::vector<ui::Control*> ordered(form_.Controls());
  std::stable_sort(ordered.begin(), ordered.end(), [](const ui::Control* a, const ui::Control* b) {
    return (a->TabIndex() < 0 ? INT_MAX : a->TabIndex()) <
           (b->TabIndex() < 0 ? INT_MAX : b->TabIndex());
  });
  for (ui::Control* control : ordered) {
    const wchar_t* className = nullptr;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;  // some controls overlap
    DWORD exStyle = 0;
    switch (control->GetKind()) {
      case ui::Control::Kind::TextBox:
        className = WC_EDITW;
        style |= WS_TABSTOP | ES_AUTOHSCROLL;
        exStyle |= WS_EX_CLIENTEDGE;
        break;
      case ui::Control::Kind::CommandButton:
        className = WC_BUTTONW;
        style |= WS_TABSTOP | BS_NOTIFY |
                 (control == form_.DefaultButton() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
      case ui::Control::Kind::CheckBox:
        className = WC_BUTTONW;
        style |= WS_TABSTOP | BS_NOTIFY | BS_CHECKBOX;
        break;
      case ui::Control::Kind::OptionButton:
        className = WC_BUTTONW;
        style |= WS_TABSTOP | BS_NOTIFY | BS_RADIOBUTTON;
        break;
      case ui::Control::Kind::Label:
        className = WC_STATICW;
        style |= SS_LEFT;
        break;
      case ui::Control::Kind::Image:
        className = WC_STATICW;
        style |= SS_ICON | SS_REALSIZECONTROL;
        break;
      case ui::Control::Kind::DriveList:
        className = WC_COMBOBOXW;
        style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
        break;
      case ui::Control::Kind::DirList:
        className = WC_LISTBOXW;
        style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED |
                 LBS_HASSTRINGS;
        exStyle |= WS_EX_CLIENTEDGE;
        break;
      case ui::Control::Kind::Line:
        continue;  // painted by the form
    }
    if (!control->Enabled()) style |= WS_DISABLED;
    // Children join the bottom of the window order as they are made: the order of making
    // is the tab order.
    const auto id = static_cast<UINT_PTR>(kFirstControlId + children_.size());
    const RECT place = PlaceOf(*control);
    const std::wstring text = control->GetKind() == ui::Control::Kind::TextBox
                                  ? control->Text()
                                  : ForDisplay(control->Text());
    const HWND child = CreateWindowExW(exStyle, className, text.c_str(), style, place.left,
                                       place.top, place.right, place.bottom, window_,
                                       reinterpret_cast<HMENU>(id), backend_.instance_, nullptr);
    if (!child) throw std::runtime_error("cannot create a control");
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(*control)), FALSE);
    switch (control->GetKind()) {
      case ui::Control::Kind::OptionButton:
        // Themed option buttons ignore the text colour; these captions are drawn in theirs.
        SetWindowTheme(child, L"", L"");
        break;
      case ui::Control::Kind::TextBox:
        SendMessageW(child, EM_SETLIMITTEXT, 0, 0);
        break;
      case ui::Control::Kind::DirList:
        SendMessageW(child, LB_SETITEMHEIGHT, 0, DirItemHeight());
        break;
      case ui::Control::Kind::Image:
        ShowIcon(child, place.right);
        break;
      default:
        break;
    }
    children_.push_back({control, child});
    // Text and enabled state went into the window as it was made; the rest follows here.
    switch (control->GetKind()) {
      case ui::Control::Kind::CheckBox:
      case ui::Control::Kind::OptionButton:
      case ui::Control::Kind::DriveList:
      case ui::Control::Kind::DirList:
        ApplyState(children_.back());
        break;
      default:
        break;
    }
  }
}

// Everything sized in pixels anew, for a new DPI.
void Win32Window::Layout() {
  CreateFonts();
  const SIZE size = OuterSize();
  SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (const Child& child : children_) {
    const RECT place = PlaceOf(*child.control);
    MoveWindow(child.window, place.left, place.top, place.right, place.bottom, FALSE);
    SendMessageW(child.window, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(*child.control)),
                 FALSE);
    if (child.control->GetKind() == ui::Control::Kind::DirList) {
      SendMessageW(child.window, LB_SETITEMHEIGHT, 0, DirItemHeight());
    }
    if (child.control->GetKind() == ui::Control::Kind::Image) ShowIcon(child.window, place.right);
  }
  InvalidateRect(window_, nullptr, TRUE);
}

HFONT Win32Window::FontFor(const ui::Control& control) {
  if (control.GetKind() != ui::Control::Kind::Label) return defaultFont_;
  const ui::Font& font = static_cast<const ui::Label&>(control).Appearance().font;
  if (font.name.empty()) return defaultFont_;
  LOGFONTW look{};
  look.lfHeight = -MulDiv(font.points, static_cast<int>(dpi_), 72);
  look.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  look.lfItalic = font.italic;
  look.lfUnderline = font.underline;
  look.lfCharSet = DEFAULT_CHARSET;
  look.lfQuality = CLEARTYPE_QUALITY;
  // The old bitmap font has become a TrueType font of a slightly different name.
  const std::wstring face = font.name == L"MS Sans Serif" ? L"Microsoft Sans Serif" : font.name;
  face.copy(look.lfFaceName, LF_FACESIZE - 1);
  const HFONT created = CreateFontIndirectW(&look);
  fonts_[&control] = created;
  return created;
}

HBRUSH Win32Window::Brush(COLORREF color) {
  HBRUSH& brush = brushes_[color];
  if (!brush) brush = CreateSolidBrush(color);
  return brush;
}

void Win32Window::ApplyState(const Child& child) {
  const ui::Control& control = *child.control;
  EnableWindow(child.window, control.Enabled());
  if (control.GetKind() == ui::Control::Kind::DriveList) {
    ApplyDrives(child.window, static_cast<const ui::DriveList&>(control));
  } else if (control.GetKind() == ui::Control::Kind::DirList) {
    ApplyFolders(child.window, static_cast<const ui::DirList&>(control));
  } else if (control.GetKind() != ui::Control::Kind::Image) {
    const std::wstring text = control.GetKind() == ui::Control::Kind::TextBox
                                  ? control.Text()
                                  : ForDisplay(control.Text());
    if (TextOf(child.window) != text) {
      settingText_ = true;
      SetWindowTextW(child.window, text.c_str());
      settingText_ = false;
    }
  }
  if (control.GetKind() == ui::Control::Kind::CheckBox) {
    const auto state = static_cast<const ui::CheckBox&>(control).Value();
    SendMessageW(child.window, BM_SETCHECK,
                 state == ui::CheckBox::State::Checked  ? BST_CHECKED
                 : state == ui::CheckBox::State::Grayed ? BST_INDETERMINATE
                                                        : BST_UNCHECKED,
                 0);
  }
  if (control.GetKind() == ui::Control::Kind::OptionButton) {
    SendMessageW(
        child.window, BM_SETCHECK,
        static_cast<const ui::OptionButton&>(control).Value() ? BST_CHECKED : BST_UNCHECKED, 0);
    // Checking an option button makes it the group's only tab stop; here every option keeps
    // its own place in the tab order.
    SetWindowLongPtrW(child.window, GWL_STYLE,
                      GetWindowLongPtrW(child.window, GWL_STYLE) | WS_TABSTOP);
  }
  if (control.GetKind() == ui::Control::Kind::Label) InvalidateRect(child.window, nullptr, TRUE);
}

// Lists are rebuilt only when their entries change, so that the user's scroll position and
// an open drop-down survive everything else.
void Win32Window::ApplyDrives(HWND box, const ui::DriveList& drives) {
  settingText_ = true;
  const auto count = static_cast<std::size_t>(SendMessageW(box, CB_GETCOUNT, 0, 0));
  bool same = count == drives.Entries().size();
  for (std::size_t i = 0; same && i < count; ++i) {
    const LRESULT length = SendMessageW(box, CB_GETLBTEXTLEN, i, 0);
    std::wstring text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, L'\0');
    if (length > 0) SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    same = drives.Entries()[i].text == text;
  }
  if (!same) {
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (const auto& entry : drives.Entries()) {
      SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
    }
  }
  SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(drives.ListIndex()), 0);
  settingText_ = false;
}

void Win32Window::ApplyFolders(HWND list, const ui::DirList& folders) {
  settingText_ = true;
  const auto count = static_cast<std::size_t>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  bool same = count == folders.Entries().size() && shownFolders_[list] == folders.Path();
  if (!same) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const auto& entry : folders.Entries()) {
      SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    shownFolders_[list] = folders.Path();
  }
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(folders.ListIndex()), 0);
  InvalidateRect(list, nullptr, TRUE);
  settingText_ = false;
}

int Win32Window::DirItemHeight() const {
  return MulDiv(18, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
}

// An entry of a directory list: indented by its level, with an open or a closed folder.
void Win32Window::DrawFolder(const DRAWITEMSTRUCT& item) {
  const auto* list = static_cast<const ui::DirList*>(ControlAt(item.hwndItem));
  if (!list || item.itemID == static_cast<UINT>(-1) || item.itemID >= list->Entries().size())
    return;
  const auto& entry = list->Entries()[item.itemID];
  const bool selected = item.itemState & ODS_SELECTED;
  const HDC dc = item.hDC;
  RECT r = item.rcItem;
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const int unit = MulDiv(1, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
  const int icon = 14 * unit;
  const int left = r.left + 2 * unit + entry.level * 10 * unit;
  const int top = r.top + (r.bottom - r.top - icon * 3 / 4) / 2;
  const HBRUSH yellow = Brush(RGB(255, 220, 90));
  const HPEN pen = CreatePen(PS_SOLID, unit, RGB(128, 96, 0));
  const HGDIOBJ oldPen = SelectObject(dc, pen);
  const HGDIOBJ oldBrush = SelectObject(dc, entry.open ? yellow : GetSysColorBrush(COLOR_WINDOW));
  Rectangle(dc, left, top + 2 * unit, left + icon, top + icon * 3 / 4);
  Rectangle(dc, left, top, left + icon / 2, top + 3 * unit);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT text = r;
  text.left = left + icon + 4 * unit;
  DrawTextW(dc, entry.text.c_str(), static_cast<int>(entry.text.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

HWND Win32Window::HandleOf(const ui::Control& control) const {
  for (const Child& child : children_) {
    if (child.control == &control) return child.window;
  }
  return nullptr;
}

ui::Control* Win32Window::ControlAt(HWND window) const {
  for (const Child& child : children_) {
    if (child.window == window) return child.control;
  }
  return nullptr;
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
  // While a message box of this window is up, the box stays in front of it: the window
  // itself is disabled and would otherwise cover the one thing the user can answer.
  const HWND box = IsWindowEnabled(window_) ? nullptr : OwnedBox();
  if (box) BringWindowToTop(box);
  SetForegroundWindow(box ? box : window_);
}

// A visible, enabled window of the program that this window owns: the modal box it waits
// for. (GetLastActivePopup does not know it everywhere.)
HWND Win32Window::OwnedBox() const {
  struct Search {
    HWND owner;
    HWND found = nullptr;
  } search{window_};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND candidate, LPARAM parameter) -> BOOL {
        auto* s = reinterpret_cast<Search*>(parameter);
        if (GetWindow(candidate, GW_OWNER) == s->owner && IsWindowVisible(candidate) &&
            IsWindowEnabled(candidate)) {
          s->found = candidate;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void Win32Window::ControlChanged(const ui::Control& control) {
  for (const Child& child : children_) {
    if (child.control == &control) ApplyState(child);
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
  const HWND child = HandleOf(control);
  if (child && GetActiveWindow() == window_ && GetFocus() != child) ::SetFocus(child);
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

void Win32Window::SyncFocus() {
  const HWND focus = GetFocus();
  if (ui::Control* control = ControlAt(focus)) form_.OnUserFocus(*control);
  // The button that Enter presses looks like the default button.
  const ui::CommandButton* target = form_.EnterTarget();
  for (const Child& child : children_) {
    if (child.control->GetKind() != ui::Control::Kind::CommandButton) continue;
    const LONG_PTR style = GetWindowLongPtrW(child.window, GWL_STYLE);
    const bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    if (isDefault != (child.control == target)) {
      SendMessageW(child.window, BM_SETSTYLE,
                   BS_NOTIFY | (child.control == target ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), TRUE);
    }
  }
}

void Win32Window::PaintLines(HDC dc) {
  for (const ui::Control* control : form_.Controls()) {
    if (control->GetKind() != ui::Control::Kind::Line) continue;
    const auto& line = static_cast<const ui::Line&>(*control);
    const int width =
        std::max(1, MulDiv(line.Width(), static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI));
    const HPEN pen =
        CreatePen(PS_SOLID, width, ColorOf(line.LineColor(), GetSysColor(COLOR_WINDOWTEXT)));
    const HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, Pixels(line.X1(), dpi_), Pixels(line.Y1(), dpi_), nullptr);
    LineTo(dc, Pixels(line.X2(), dpi_), Pixels(line.Y2(), dpi_));
    SelectObject(dc, old);
    DeleteObject(pen);
  }
}

LRESULT Win32Window::ColorStatic(HDC dc, HWND child) {
  const ui::Control* control = ControlAt(child);
  COLORREF fore = GetSysColor(COLOR_BTNTEXT);
  COLORREF back = Background();
  if (control && control->GetKind() == ui::Control::Kind::Label) {
    const auto& look = static_cast<const ui::Label*>(control)->Appearance();
    fore = ColorOf(look.foreColor, fore);
    back = ColorOf(look.backColor, back);
  } else if (control && control->GetKind() == ui::Control::Kind::OptionButton) {
    const auto* option = static_cast<const ui::OptionButton*>(control);
    fore = ColorOf(option->ForeColor(), fore);
    back = ColorOf(option->BackColor(), back);
  }
  if (control && !control->Enabled()) fore = GetSysColor(COLOR_GRAYTEXT);
  SetTextColor(dc, fore);
  SetBkColor(dc, back);
  return reinterpret_cast<LRESULT>(Brush(back));
}

void Win32Window::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (lParam == 0 && code == 0 && id >= kFirstMenuId &&
      id < kFirstMenuId + static_cast<int>(menuItems_.size())) {
    menuItems_[id - kFirstMenuId]->Press();
    return;
  }
  if (id == IDCANCEL && (lParam == 0 || !ControlAt(reinterpret_cast<HWND>(lParam)))) {
    form_.PressEscape();  // Esc, from the dialog keyboard interface
    return;
  }
  ui::Control* control = ControlAt(reinterpret_cast<HWND>(lParam));
  // Enter with no button to press arrives as IDOK from no control: the focused control may
  // take it itself.
  if (id == IDOK && !control) {
    SyncFocus();
    ui::Control* focused = form_.Focused();
    if (focused && focused->WantsEnter() && focused->Enabled()) focused->OnEnter();
    return;
  }
  if (!control || GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != id) return;
  if (control->GetKind() == ui::Control::Kind::DriveList) {
    auto* drives = static_cast<ui::DriveList*>(control);
    const HWND box = reinterpret_cast<HWND>(lParam);
    const int picked = static_cast<int>(SendMessageW(box, CB_GETCURSEL, 0, 0));
    // A pick counts once it is final: not while the arrow keys run through the open list.
    if (code == CBN_DROPDOWN) {
      drives->OnUserDropDown();
    } else if (!settingText_ &&
               (code == CBN_SELENDOK ||
                (code == CBN_SELCHANGE && !SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0)))) {
      if (picked != drives->ListIndex()) drives->OnUserSelect(picked);
    } else if (code == CBN_SETFOCUS) {
      SyncFocus();
    }
    return;
  }
  if (control->GetKind() == ui::Control::Kind::DirList) {
    auto* folders = static_cast<ui::DirList*>(control);
    const int index =
        static_cast<int>(SendMessageW(reinterpret_cast<HWND>(lParam), LB_GETCURSEL, 0, 0));
    if (settingText_) return;
    if (code == LBN_SELCHANGE) folders->OnUserSelect(index);
    if (code == LBN_DBLCLK) folders->OnUserOpen(index);  // the form may be busy with a message box
    if (code == LBN_SETFOCUS) SyncFocus();
    return;
  }
  switch (code) {
    case EN_CHANGE:
      if (!settingText_ && control->GetKind() == ui::Control::Kind::TextBox) {
        static_cast<ui::TextBox*>(control)->OnUserEdit(TextOf(reinterpret_cast<HWND>(lParam)));
      }
      break;
    case EN_SETFOCUS:
    case BN_SETFOCUS:
      SyncFocus();
      break;
    case BN_CLICKED:
      if (control->GetKind() != ui::Control::Kind::TextBox) {
        SyncFocus();
        control->Press();  // the form may be gone after this
      }
      break;
  }
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
      RECT client;
      GetClientRect(window_, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, Brush(Background()));
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window_, &paint);
      PaintLines(dc);
      EndPaint(window_, &paint);
      return 0;
    }
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = DirItemHeight();
      return TRUE;
    case WM_DRAWITEM:
      DrawFolder(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
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

LRESULT CALLBACK Win32Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  // Nothing thrown may unwind into the window system.
  try {
    return self->OnMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    ReportUnexpected(error.what());
  } catch (...) {
    ReportUnexpected(nullptr);
  }
  return 0;
}

Win32Backend::Win32Backend(HINSTANCE instance) : instance_(instance) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
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
  WNDCLASSEXW owner{};
  owner.cbSize = sizeof owner;
  owner.lpfnWndProc = DefWindowProcW;
  owner.hInstance = instance;
  owner.lpszClassName = kOwnerClass;
  RegisterClassExW(&owner);
}

Win32Backend::~Win32Backend() {
  if (hiddenOwner_) DestroyWindow(hiddenOwner_);
}

std::unique_ptr<ui::WindowPeer> Win32Backend::Realize(ui::Form& form) {
  return std::make_unique<Win32Window>(*this, form);
}

void Win32Backend::EndProgram() {
  ended_ = true;
  for (Win32Window* window : windows_) ShowWindow(window->Handle(), SW_HIDE);
  PostQuitMessage(0);
}

HWND Win32Backend::HiddenOwner() {
  if (!hiddenOwner_) {
    hiddenOwner_ = CreateWindowExW(0, kOwnerClass, kAppTitle, WS_POPUP, 0, 0, 0, 0, nullptr,
                                   nullptr, instance_, nullptr);
  }
  return hiddenOwner_;
}

Win32Window* Win32Backend::FindWindowFor(HWND window) const {
  const HWND root = GetAncestor(window, GA_ROOT);
  for (Win32Window* candidate : windows_) {
    if (candidate->Handle() == root) return candidate;
  }
  return nullptr;
}

HWND Win32Backend::WindowOf(const ui::Form& form) const {
  for (Win32Window* window : windows_) {
    if (&window->Form() == &form) return window->Handle();
  }
  return nullptr;
}

HWND Win32Backend::WindowOf(const ui::Control& control) const {
  for (Win32Window* window : windows_) {
    if (const HWND child = window->HandleOf(control)) return child;
  }
  return nullptr;
}

bool Win32Backend::PreTranslate(MSG& message) {
  Win32Window* window = message.hwnd ? FindWindowFor(message.hwnd) : nullptr;
  if (!window) return false;
  ui::Form& form = window->Form();
  if (message.message == WM_SYSCHAR || message.message == WM_CHAR) {
    const auto key = static_cast<wchar_t>(message.wParam);
    const ui::Control* focused = window->ControlAt(GetFocus());
    const bool typing = focused && focused->GetKind() == ui::Control::Kind::TextBox;
    if (message.message == WM_CHAR && (typing || key < L' '))
      return IsDialogMessageW(window->Handle(), &message);
    window->SyncFocus();
    const bool known =
        std::any_of(form.Controls().begin(), form.Controls().end(), [&](const ui::Control* c) {
          return c->Enabled() && c->AccessKey() != 0 &&
                 c->AccessKey() == static_cast<wchar_t>(std::towupper(key));
        });
    if (message.message == WM_SYSCHAR && !known) return false;  // the menu bar's own keys
    // Access keys follow the program's rules, not the dialog manager's; a plain letter
    // outside a text box is not one.
    if (message.message == WM_SYSCHAR) form.PressAccessKey(key);
    return true;
  }
  return IsDialogMessageW(window->Handle(), &message);
}

void Win32Backend::Dispatch(MSG& message) {
  try {
    if (PreTranslate(message)) return;
  } catch (const std::exception& error) {
    ReportUnexpected(error.what());
    return;
  } catch (...) {
    ReportUnexpected(nullptr);
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

bool Win32Backend::PumpPending() {
  MSG message;
  while (!ended_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ended_ = true;
      break;
    }
    Dispatch(message);
  }
  return !ended_;
}

}  // namespace melodex::win32
