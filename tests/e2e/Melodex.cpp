#include "e2e/Melodex.h"

#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <iostream>
#include <vector>

#include "e2e/driver/Files.h"
#include "e2e/driver/Waiting.h"
#include "e2e/driver/Windows.h"
#include "support/Screenshot.h"

namespace e2e {

std::wstring MelodexExe() {
  const std::wstring exe = Environment(L"MELODEX_E2E_EXE");
  if (exe.empty()) throw DriverError(L"MELODEX_E2E_EXE does not say where melodex.exe is");
  return WindowsPath(exe);
}

std::wstring WorkFolderFor(const std::wstring& scenario) {
  // A short path on the test prefix's own drive keeps the picker's folder list short.
  return L"C:\\e2e\\" + scenario;
}

Melodex::Melodex(const std::wstring& exe, const std::wstring& folder)
    : process_(std::make_unique<Process>(exe, folder)),
      keyboard_(
          process_->MainThread(), [this] { Drain(handOver_); }, [this] { Settle(); }),
      mouse_(process_->Id(), [this] { Settle(); }) {
  main_ = WaitForWindow(process_->Id(), kMainCaption);
  handOver_ = Field(field::kHandOver);
  Settle();
}

void Melodex::Settle() const {
  Drain(handOver_);
  Drain(handOver_);  // what the program posted to itself meanwhile (a key's character)
  // What the window system still does about it once the program waits for the next message:
  // a modal box asked for shows, and the active window comes to the front. Wine's virtual
  // desktop now and then leaves the window the program activated behind another for good (a
  // dropped-down drive list once put the main window in front of the active picker); a window
  // manager keeps the active window in front, so the driver raises it after a moment.
  WaitUntil(
      L"the screen to show what the program has done",
      [&] {
        if (const HWND active = ActiveOf(process_->MainThread()))
          RaiseIfBehind(active, Milliseconds(100));
        return Unsettled().empty();
      },
      [&] { return Unsettled() + L"; " + Windows(); });
}

bool Melodex::TakesMessages(Milliseconds within) const {
  return TakesPostedMessages(handOver_, within);
}

HWND Melodex::FrontAsLeft() const {
  if (const HWND cover = CoverBeforeRepair()) return cover;
  return ActiveOf(process_->MainThread());
}

std::wstring Melodex::Unsettled() const {
  bool box = false;
  HWND disabled = nullptr;
  for (const HWND window : TopLevelWindows(process_->Id())) {
    if (IsBox(window)) box = true;
    if (!IsWindowEnabled(window)) disabled = window;
  }
  if (disabled && !box) return Describe(disabled) + L" is disabled and no box shows";
  const HWND active = ActiveOf(process_->MainThread());
  if (const HWND cover = active ? InFrontOf(active) : nullptr)
    return Describe(active) + L" is active, but " + Describe(cover) + L" stands in front of it";
  return L"";
}

std::wstring Melodex::Windows() const {
  std::wstring text = DescribeWindows(process_->Id());
  // Where the keys and the mouse go now: a step that waited in vain may have lost its way.
  GUITHREADINFO info{.cbSize = sizeof info};
  if (GetGUIThreadInfo(process_->MainThread(), &info)) {
    text += L"; active: " + Describe(info.hwndActive) + L", focus: " + Describe(info.hwndFocus);
    if (info.hwndCapture) text += L", the mouse held by " + Describe(info.hwndCapture);
  }
  return text;
}

HWND Melodex::Window(const std::wstring& caption) const {
  const HWND window = WaitForWindow(process_->Id(), caption);
  Settle();  // the program is done showing it: activated, with its focus set
  return window;
}

void Melodex::WaitForHidden(HWND window, const std::wstring& what) const {
  e2e::WaitForHidden(window, what);
  Settle();
}

HWND Melodex::Control(HWND window, const std::wstring& caption) const {
  return ChildByCaption(window, caption);
}

HWND Melodex::Field(Place place) const {
  return ChildAtTwips(main_, place.left, place.top, L"Edit");
}

std::wstring Melodex::Text(Place place) const { return TextOf(Field(place)); }

HWND Melodex::Focused() const {
  const HWND focus = FocusOf(process_->MainThread());
  if (!focus) throw DriverError(L"no window of the program has the focus; " + Windows());
  return focus;
}

void Melodex::Click(HWND control) const {
  if (!mouse_.Click(control))
    throw DriverError(L"the click on " + Describe(control) +
                      L" was refused: its window is disabled");
}

void Melodex::Click(HWND window, const std::wstring& caption) const {
  Click(Control(window, caption));
}

void Melodex::Activate(HWND window) const {
  const DWORD thread = process_->MainThread();
  auto active = [&] { return ActiveOf(thread) == window && !InMenu(thread); };
  // A window the program brings forward on its own a moment later (one just asked for) can
  // take the activation back: then it is brought forward again, as a person would.
  for (int attempt = 1;; ++attempt) {
    if (!active()) {
      const RECT frame = ScreenRect(window);
      const RECT client = ClientOnScreen(window);
      bool clicked = false;
      for (int y = frame.top + 2; y < client.top && !clicked; y += 2) {
        const POINT point{frame.left + 30, y};
        if (WindowFromPoint(point) != window ||
            Ask(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)) != HTCAPTION)
          continue;
        // A click that lands on a disabled window (another window came in front meanwhile)
        // does nothing; the taskbar is left then.
        clicked = mouse_.Click(point);
        break;
      }
      // Its caption bar hidden behind other windows, or the click refused: the taskbar
      // brings it to the front.
      if (!clicked) {
        NoteInput();
        SetForegroundWindow(window);
      }
      if (!CameTrueWithin(attempt < 3 ? Milliseconds(2000) : kPatience, active)) {
        if (attempt < 3) continue;
        throw DriverError(L"waited for " + Describe(window) + L" to be active; saw " +
                          Describe(ActiveOf(thread)) + L" active");
      }
    }
    RaiseIfBehind(window, Milliseconds(100));
    Settle();  // which waits for the active window to stand in front
    if (active()) return;
    if (attempt >= 3) throw DriverError(Describe(window) + L" did not stay active; " + Windows());
  }
}

void Melodex::Retype(Place place, const std::wstring& text) const {
  const HWND box = Field(place);
  Click(box);
  WaitUntil(
      L"the text box to take the focus", [&] { return FocusOf(process_->MainThread()) == box; },
      [&] { return Describe(FocusOf(process_->MainThread())) + L" has it"; });
  keyboard_.Press(VK_END);
  for (std::size_t i = TextOf(box).size(); i > 0; --i) keyboard_.Press(VK_BACK);
  keyboard_.Type(text);
  WaitUntil(
      L"the text box to read " + Quoted(text), [&] { return TextOf(box) == text; },
      [&] { return Quoted(TextOf(box)); });
}

void Melodex::Press(UINT key) const { keyboard_.Press(key); }
void Melodex::Alt(wchar_t letter) const { keyboard_.Alt(letter); }
void Melodex::Type(const std::wstring& text) const { keyboard_.Type(text); }

void Melodex::Menu(wchar_t menu, wchar_t item) const {
  keyboard_.Alt(menu);
  WaitUntil(
      L"a drop-down menu to open", [&] { return InMenu(process_->MainThread()); },
      [&] { return Windows(); });
  // In a drop-down menu the item's letter alone chooses it; the menu posts the command once
  // it has closed.
  const auto key = static_cast<UINT>(std::towupper(item));
  keyboard_.Press(key);
  WaitUntil(
      L"the menu to close", [&] { return !InMenu(process_->MainThread()); },
      [&] { return Windows(); });
  Settle();
}

int Melodex::TabTo(const std::wstring& caption, int most) const {
  for (int presses = 1; presses <= most; ++presses) {
    const HWND before = Focused();
    keyboard_.Press(VK_TAB);
    WaitUntil(
        L"Tab to move the focus", [&] { return FocusOf(process_->MainThread()) != before; },
        [&] { return Describe(before) + L" keeps it"; });
    if (TextOf(Focused()) == caption) return presses;
  }
  throw DriverError(L"Tab did not reach " + Quoted(caption) + L" in " + std::to_wstring(most) +
                    L" presses");
}

HWND Melodex::Box(const std::wstring& title) const {
  const HWND box = WaitFor<HWND>(
      L"a box titled " + Quoted(title),
      [&]() -> std::optional<HWND> {
        for (const HWND window : TopLevelWindows(process_->Id())) {
          if (IsBox(window) && TextOf(window) == title) return window;
        }
        return std::nullopt;
      },
      [&] { return Windows(); });
  Settle();  // shown by now, the keyboard's focus in it
  return box;
}

MessageBoxSeen Melodex::SeeMessageBox(const std::wstring& title) const {
  return ReadMessageBox(Box(title));
}

void Melodex::Answer(HWND box, const std::wstring& button) const {
  Click(BoxButton(box, button));
  WaitUntil(
      L"the box to close on " + Quoted(button), [&] { return !Visible(box); },
      [&] { return Windows(); });
}

MessageBoxSeen Melodex::AnswerMessageBox(const std::wstring& title,
                                         const std::wstring& button) const {
  const HWND box = Box(title);
  MessageBoxSeen seen = ReadMessageBox(box);
  Answer(box, button);
  return seen;
}

InputBoxSeen Melodex::AnswerInputBox(const std::wstring& title, const std::wstring& text,
                                     bool cancel) const {
  const HWND box = Box(title);
  const InputBoxSeen seen = ReadInputBox(box);
  const HWND edit = ChildrenOfClass(box, L"Edit").at(0);
  WaitUntil(
      L"the input box's edit box to have the focus",
      [&] { return FocusOf(process_->MainThread()) == edit; },
      [&] { return Describe(FocusOf(process_->MainThread())) + L" has it"; });
  keyboard_.Type(text);
  WaitUntil(
      L"the input box to read " + Quoted(text), [&] { return TextOf(edit) == text; },
      [&] { return Quoted(TextOf(edit)); });
  keyboard_.Press(cancel ? VK_ESCAPE : VK_RETURN);
  WaitUntil(
      L"the input box to close", [&] { return !Visible(box); }, [&] { return Windows(); });
  return seen;
}

void Melodex::ExpectNoBox() const {
  Settle();
  for (const HWND window : TopLevelWindows(process_->Id())) {
    if (IsBox(window)) throw DriverError(L"expected no box, but saw " + Windows());
  }
}

HWND Melodex::FolderList(HWND picker) const { return ChildrenOfClass(picker, L"ListBox").at(0); }
HWND Melodex::DriveList(HWND picker) const { return ChildrenOfClass(picker, L"ComboBox").at(0); }

std::wstring Melodex::ShownPath(HWND picker) const {
  // The open folders are the entries down to the selected one, which is the current folder
  // after each change of path; a root entry reads "c:\".
  const std::vector<std::wstring> entries = ListEntries(FolderList(picker));
  const int current = ListSelection(FolderList(picker));
  std::wstring path;
  for (int i = 0; i <= current && i < static_cast<int>(entries.size()); ++i) {
    if (i == 0) {
      path = entries[0];
      if (path.size() >= 2 && path[1] == L':')
        path[0] = static_cast<wchar_t>(std::towupper(path[0]));
    } else {
      if (path.back() != L'\\') path += L'\\';
      path += entries[i];
    }
  }
  return path;
}

void Melodex::OpenFolder(HWND picker, const std::wstring& entry) const {
  const HWND list = FolderList(picker);
  const std::vector<std::wstring> entries = ListEntries(list);
  const int current = ListSelection(list);
  int index = -1;
  // A sub-folder of the shown one, or else one of the path's own folders.
  for (int i = current + 1; i < static_cast<int>(entries.size()) && index < 0; ++i)
    if (entries[i] == entry) index = i;
  for (int i = 0; i <= current && index < 0; ++i)
    if (entries[i] == entry) index = i;
  if (index < 0) {
    std::wstring seen;
    for (const auto& text : entries) seen += L" " + Quoted(text);
    throw DriverError(L"the folder list has no entry " + Quoted(entry) + L"; it shows" + seen);
  }
  // Scroll it into sight with the list's scroll bar, as a person would.
  for (int tries = 0; tries < 100; ++tries) {
    const auto top = static_cast<int>(Ask(list, LB_GETTOPINDEX));
    const RECT client = ClientOnScreen(list);
    const auto height = static_cast<int>(Ask(list, LB_GETITEMHEIGHT, index));
    if (index < top) {
      PostMessageW(list, WM_VSCROLL, SB_LINEUP, 0);
    } else if (client.top + (index - top + 1) * height > client.bottom) {
      PostMessageW(list, WM_VSCROLL, SB_LINEDOWN, 0);
    } else {
      break;
    }
    Settle();
  }
  const std::wstring before = ShownPath(picker);
  if (!mouse_.DoubleClick(Centre(ListEntryRect(list, index))))
    throw DriverError(L"the folder list refused the double-click: its window is disabled");
  WaitUntil(
      L"the folder list to open " + Quoted(entry),
      [&] {
        const auto now = ListEntries(list);
        const int at = ListSelection(list);
        return at >= 0 && at < static_cast<int>(now.size()) && now[at] == entry &&
               (ShownPath(picker) != before || index == current);
      },
      [&] {
        return L"the list showing " + Quoted(ShownPath(picker)) + L" with entry " +
               std::to_wstring(ListSelection(list)) + L" selected, " +
               std::to_wstring(Ask(list, LB_GETTOPINDEX)) + L" at the top; " + Windows();
      });
}

void Melodex::PickDrive(HWND picker, const std::wstring& drive) const {
  const HWND box = DriveList(picker);
  // The dropped-down list is a window of its own, in front of everything.
  auto droppedList = [&]() -> std::optional<HWND> {
    for (const HWND window : TopLevelWindows(process_->Id())) {
      if (ClassOf(window) == L"ComboLBox") return window;
    }
    return std::nullopt;
  };
  auto state = [&] {
    return L"focus on " + Describe(FocusOf(process_->MainThread())) + L", the box says it is " +
           (Ask(box, CB_GETDROPPEDSTATE) ? L"" : L"not ") + L"dropped down; " + Windows();
  };
  // The list drops down while the program takes the click. Once in some 3,000 picks, on a
  // machine under load, it did not, for a cause not found: a person would click again.
  for (int click = 1; !droppedList(); ++click) {
    if (click > 3) throw DriverError(L"three clicks did not drop the drive list down; " + state());
    if (click > 1)
      std::cerr << Narrow(L"the drive list did not drop down on a click: " + state()) << "\n";
    Click(box);
  }
  const HWND dropped = *droppedList();
  const std::vector<std::wstring> entries = ListEntries(box);
  int index = -1;
  for (int i = 0; i < static_cast<int>(entries.size()) && index < 0; ++i)
    if (entries[i].starts_with(drive)) index = i;
  if (index < 0) {
    std::wstring seen;
    for (const auto& text : entries) seen += L" " + Quoted(text);
    Press(VK_ESCAPE);
    throw DriverError(L"the drive list has no drive " + Quoted(drive) + L"; it lists" + seen);
  }
  const auto height = static_cast<int>(Ask(dropped, LB_GETITEMHEIGHT, index));
  const auto top = static_cast<int>(Ask(dropped, LB_GETTOPINDEX));
  const RECT client = ClientOnScreen(dropped);
  const POINT point{(client.left + client.right) / 2,
                    client.top + (index - top) * height + height / 2};
  if (!mouse_.Click(point)) throw DriverError(L"the dropped-down drive list refused the click");
  WaitUntil(
      L"the drive list to close on " + Quoted(entries[index]), [&] { return !Visible(dropped); },
      [&] { return Windows(); });
}

namespace {

// The screen's pixels in one row, as 0xRRGGBB.
std::vector<std::uint32_t> ScreenRow(int left, int right, int y) {
  const int width = right - left;
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -1;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::uint32_t* bits = nullptr;
  const HBITMAP bitmap =
      CreateDIBSection(screen, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, width, 1, screen, left, y, SRCCOPY);
  GdiFlush();
  std::vector<std::uint32_t> row(bits, bits + width);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  for (auto& pixel : row) pixel &= 0xFFFFFF;
  return row;
}

bool Ink(std::uint32_t pixel, std::uint32_t background) {
  int difference = 0;
  for (int shift = 0; shift < 24; shift += 8)
    difference += std::abs(static_cast<int>((pixel >> shift) & 0xFF) -
                           static_cast<int>((background >> shift) & 0xFF));
  return difference > 150;
}

}  // namespace

POINT Melodex::ClickSecretPlace() const {
  const RECT frame = ScreenRect(main_);
  const RECT client = ClientOnScreen(main_);
  // The menu bar lies right above the client area.
  int top = client.top - 1;
  while (top > frame.top &&
         Ask(main_, WM_NCHITTEST, 0, MAKELPARAM(client.left + 2, top - 1)) == HTMENU)
    --top;
  const int bottom = client.top;
  if (bottom - top < 4) throw DriverError(L"the main window shows no menu bar");
  const int middle = (top + bottom) / 2;
  // Where the words on the bar end: columns with dark pixels on the grey bar, once the bar
  // shows on the screen (its picture gets there a moment after the program drew it).
  const int lastInk = WaitFor<int>(
      L"words on the main window's menu bar",
      [&]() -> std::optional<int> {
        int last = -1;
        for (int y = top + 2; y < bottom - 2; ++y) {
          const std::vector<std::uint32_t> row = ScreenRow(client.left, client.right, y);
          const std::uint32_t background = row.back();
          for (int x = 0; x < static_cast<int>(row.size()); ++x)
            if (Ink(row[x], background)) last = std::max(last, x);
        }
        if (last < 0) return std::nullopt;
        return last;
      },
      [] { return L"a bare bar"; });
  const int helpEnd = client.left + lastInk;

  for (int x = helpEnd + 4; x < std::min<int>(helpEnd + 90, client.right - 2); x += 3) {
    const POINT point{x, middle};
    mouse_.Click(point);
    Settle();
    // A drop-down menu (the click hit "&Help" after all) or a menu left selected: leave it.
    for (int i = 0; i < 3 && InMenu(process_->MainThread()); ++i) {
      keyboard_.Press(VK_ESCAPE);
      Settle();
    }
    for (const HWND window : TopLevelWindows(process_->Id())) {
      if (IsBox(window)) return point;
    }
  }
  throw DriverError(L"no place on the menu bar right of the word ending at x=" +
                    std::to_wstring(helpEnd) + L" showed a message; " + Windows());
}

void Melodex::Snapshot(HWND window, const std::wstring& name) const {
  Settle();
  melodex::testing::SaveWindowPng(window, melodex::testing::ScreenshotPath(name + L".png"));
}

}  // namespace e2e
