#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/ScreenReaderName.h"
#include "ui/model/Lists.h"
#include "ui/win32/ControlPeer.h"
#include "ui/win32/Win32Window.h"

namespace melodex::win32 {
namespace {

// The drive list as a drop-down list box.
class DriveListPeer : public ControlPeer {
 public:
  DriveListPeer(Win32Window& window, ui::DriveList& drives)
      : ControlPeer(window, drives), drives_(drives) {}

  // The open list carries the box's name too.
  void ApplyName() override {
    ControlPeer::ApplyName();
    if (list_) NameForScreenReaders(list_, drives_.AccessibleName());
  }

  // The entries are put in anew only when they change, so that an open drop-down survives
  // everything else.
  void Apply() override {
    EnableWindow(Handle(), drives_.Enabled());
    Win32Window::Quiet quiet(Window());
    const auto count = static_cast<std::size_t>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0));
    bool same = count == drives_.Entries().size();
    for (std::size_t i = 0; same && i < count; ++i) same = drives_.Entries()[i].text == Entry(i);
    if (!same) {
      SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
      for (const auto& entry : drives_.Entries()) {
        SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
      }
    }
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(drives_.ListIndex()), 0);
  }

  void Relayout() override {
    ControlPeer::Relayout();
    FitClosedHeight();
  }

  void OnCommand(int code) override {
    const int picked = static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
    // A pick counts once it is final: not while the arrow keys run through the open list.
    if (code == CBN_DROPDOWN) {
      drives_.OnUserDropDown();
    } else if (!Window().IsQuiet() &&
               (code == CBN_SELENDOK ||
                (code == CBN_SELCHANGE && !SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0)))) {
      if (picked != drives_.ListIndex()) drives_.OnUserSelect(picked);
    } else if (code == CBN_SETFOCUS) {
      Window().SyncFocus();
    }
  }

 private:
  ChildStyle Style() const override {
    return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST};
  }
  void OnCreated() override {
    FitClosedHeight();
    // The open list is a window of its own, which a reader reads while it is open: it
    // carries the box's name.
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    if (GetComboBoxInfo(Handle(), &parts)) list_ = parts.hwndList;
    Apply();
  }
  // A drop-down list's height is that of its box and its open list together.
  RECT Place() const override {
    RECT place = ControlPeer::Place();
    place.bottom *= 9;
    return place;
  }

  // The closed box is as high as the design says. Left alone, the window system makes its
  // selection field as high as a line of the font, anew with every font it is given. The
  // frame around the field differs between systems, so it is measured: the box is given one
  // field height, and then the height that leaves the design's room for the field.
  void FitClosedHeight() {
    const auto closed = [this] {
      RECT r;
      GetWindowRect(Handle(), &r);
      return static_cast<int>(r.bottom - r.top);
    };
    constexpr auto kSelectionField = static_cast<WPARAM>(-1);
    const int field =
        std::max(1, static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, kSelectionField, 0)));
    SendMessageW(Handle(), CB_SETITEMHEIGHT, kSelectionField, field);
    const int frame = closed() - field;
    const int wanted = ControlPeer::Place().bottom;
    SendMessageW(Handle(), CB_SETITEMHEIGHT, kSelectionField, std::max(1, wanted - frame));
  }

  std::wstring Entry(std::size_t index) const {
    const LRESULT length = SendMessageW(Handle(), CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
    return text;
  }

  ui::DriveList& drives_;
  HWND list_ = nullptr;  // the open list, null where the system tells none
};

}  // namespace

std::unique_ptr<ControlPeer> MakeDriveListPeer(Win32Window& window, ui::DriveList& drives) {
  return std::make_unique<DriveListPeer>(window, drives);
}

}  // namespace melodex::win32
