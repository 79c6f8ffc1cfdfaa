#include <windows.h>

#include <commctrl.h>

#include "ui/model/Lists.h"
#include "ui/win32/ControlPeer.h"
#include "ui/win32/Win32Support.h"
#include "ui/win32/Win32Window.h"

namespace melodex::win32 {
namespace {

// The directory list as an owner-drawn list box: each folder indented by its level, with
// an open or a closed folder in front of its name.
class DirListPeer : public ControlPeer {
 public:
  DirListPeer(Win32Window& window, ui::DirList& folders)
      : ControlPeer(window, folders), folders_(folders) {}

  // The entries are put in anew only when they change, so that the user's scroll position
  // survives everything else.
  void Apply() override {
    EnableWindow(Handle(), folders_.Enabled());
    Win32Window::Quiet quiet(Window());
    const auto count = static_cast<std::size_t>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0));
    if (count != folders_.Entries().size() || shownPath_ != folders_.Path()) {
      SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
      SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
      for (const auto& entry : folders_.Entries()) {
        SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
      }
      SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
      shownPath_ = folders_.Path();
    }
    SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(folders_.ListIndex()), 0);
    InvalidateRect(Handle(), nullptr, TRUE);
  }

  void Relayout() override {
    ControlPeer::Relayout();
    SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, ItemHeight());
  }

  void OnCommand(int code) override {
    const int index = static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
    if (Window().IsQuiet()) return;
    if (code == LBN_SELCHANGE) folders_.OnUserSelect(index);
    if (code == LBN_DBLCLK) folders_.OnUserOpen(index);  // the form may be busy with a message box
    if (code == LBN_SETFOCUS) Window().SyncFocus();
  }

  void OnMeasureItem(MEASUREITEMSTRUCT& item) override { item.itemHeight = ItemHeight(); }

  void OnDrawItem(const DRAWITEMSTRUCT& item) override {
    // An empty list with the focus asks to draw item -1, which is out of range too.
    if (item.itemID >= folders_.Entries().size()) return;
    const auto& entry = folders_.Entries()[item.itemID];
    const bool selected = item.itemState & ODS_SELECTED;
    const HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int unit = Scaled(1, Window().Dpi());
    const int icon = 14 * unit;
    const int left = r.left + 2 * unit + entry.level * 10 * unit;
    const int top = r.top + (r.bottom - r.top - icon * 3 / 4) / 2;
    const HBRUSH yellow = Window().Brush(RGB(255, 220, 90));
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

 private:
  ChildStyle Style() const override {
    return {WC_LISTBOXW,
            WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED |
                LBS_HASSTRINGS,
            WS_EX_CLIENTEDGE};
  }
  void OnCreated() override {
    SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, ItemHeight());
    Apply();
  }
  int ItemHeight() const { return Scaled(18, Window().Dpi()); }

  ui::DirList& folders_;
  std::wstring shownPath_;  // the path whose folders the list box holds
};

}  // namespace

std::unique_ptr<ControlPeer> MakeDirListPeer(Win32Window& window, ui::DirList& folders) {
  return std::make_unique<DirListPeer>(window, folders);
}

}  // namespace melodex::win32
