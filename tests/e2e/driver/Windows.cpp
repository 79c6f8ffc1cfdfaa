#include "e2e/driver/Windows.h"

#include <algorithm>

#include "e2e/driver/Waiting.h"

namespace e2e {
namespace {

constexpr UINT kAnswerMilliseconds = 5000;

struct Collect {
  DWORD process;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM parameter) {
  auto* collect = reinterpret_cast<Collect*>(parameter);
  if (ProcessOf(window) == collect->process && IsWindowVisible(window))
    collect->windows.push_back(window);
  return TRUE;
}

}  // namespace

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerMilliseconds,
                           &result)) {
    if (!IsWindow(window)) throw DriverError(L"the window went away while it was asked something");
    throw DriverError(L"the program did not answer message " + std::to_wstring(message) +
                      L" within " + std::to_wstring(kAnswerMilliseconds) + L" ms (" +
                      Describe(window) + L")");
  }
  return static_cast<LRESULT>(result);
}

std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerMilliseconds,
                           &length)) {
    return L"";
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kAnswerMilliseconds, &copied)) {
    return L"";
  }
  text.resize(std::min<std::size_t>(copied, length));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  return name;
}

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

std::wstring Describe(HWND window) {
  if (!IsWindow(window)) return L"(no window)";
  std::wstring text = ClassOf(window) + L" " + Quoted(TextOf(window));
  if (!IsWindowVisible(window)) text += L" hidden";
  if (!IsWindowEnabled(window)) text += L" disabled";
  return text;
}

bool Visible(HWND window) { return IsWindow(window) && IsWindowVisible(window); }
bool Enabled(HWND window) { return IsWindow(window) && IsWindowEnabled(window); }

RECT ScreenRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

RECT ClientOnScreen(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

POINT Centre(const RECT& rect) {
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::vector<HWND> TopLevelWindows(DWORD process) {
  Collect collect{process, {}};
  EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&collect));
  return collect.windows;
}

std::wstring DescribeWindows(DWORD process) {
  const std::vector<HWND> windows = TopLevelWindows(process);
  if (windows.empty()) return L"no window of the program";
  std::wstring text;
  for (const HWND window : windows) {
    if (!text.empty()) text += L"; ";
    text += Describe(window);
    if (ClassOf(window) == L"#32770") {
      // A box: its texts tell what it is about.
      for (const HWND child : Children(window)) {
        if (ClassOf(child) == L"Static" && !TextOf(child).empty())
          text += L" saying " + Quoted(TextOf(child));
      }
    }
  }
  return text;
}

HWND FindWindowByCaption(DWORD process, const std::wstring& caption) {
  for (const HWND window : TopLevelWindows(process)) {
    if (TextOf(window) == caption) return window;
  }
  return nullptr;
}

HWND WaitForWindow(DWORD process, const std::wstring& caption) {
  return WaitFor<HWND>(
      L"a window " + Quoted(caption),
      [&]() -> std::optional<HWND> {
        if (const HWND window = FindWindowByCaption(process, caption)) return window;
        return std::nullopt;
      },
      [&] { return DescribeWindows(process); });
}

void WaitForWindowToGo(DWORD process, const std::wstring& caption) {
  WaitUntil(
      L"the window " + Quoted(caption) + L" to close",
      [&] { return FindWindowByCaption(process, caption) == nullptr; },
      [&] { return DescribeWindows(process); });
}

void WaitForHidden(HWND window, const std::wstring& what) {
  WaitUntil(
      what + L" to close", [&] { return !Visible(window); },
      [&] { return Describe(window) + L" still shown"; });
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

HWND ChildByCaption(HWND parent, const std::wstring& caption, const std::wstring& className) {
  std::wstring seen;
  for (const HWND child : Children(parent)) {
    if (!className.empty() && ClassOf(child) != className) continue;
    if (TextOf(child) == caption) return child;
    seen += L" " + Quoted(TextOf(child));
  }
  throw DriverError(L"no control " + Quoted(caption) + L" in " + Describe(parent) +
                    L"; its controls say" + seen);
}

UINT DpiOf(HWND window) {
  const UINT dpi = GetDpiForWindow(window);
  return dpi ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

HWND ChildAtTwips(HWND parent, int left, int top, const std::wstring& className) {
  const UINT dpi = DpiOf(parent);
  // A point a little inside the control's top-left corner, below the lower edge of a
  // neighbour above it (the main window's text boxes overlap by a few pixels); the first
  // control found there is the one in front, the one a click there reaches.
  const POINT point{TwipsToPixels(left + 60, dpi), TwipsToPixels(top + 120, dpi)};
  for (const HWND child : Children(parent)) {
    if (!className.empty() && ClassOf(child) != className) continue;
    RECT rect = ScreenRect(child);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    if (PtInRect(&rect, point)) return child;
  }
  throw DriverError(L"no " + (className.empty() ? std::wstring(L"control") : className) +
                    L" stands at " + std::to_wstring(left) + L", " + std::to_wstring(top) +
                    L" twips in " + Describe(parent));
}

std::vector<HWND> ChildrenOfClass(HWND parent, const std::wstring& className) {
  std::vector<HWND> found;
  for (const HWND child : Children(parent)) {
    if (IsWindowVisible(child) && ClassOf(child) == className) found.push_back(child);
  }
  std::sort(found.begin(), found.end(), [](HWND a, HWND b) {
    const RECT ra = ScreenRect(a), rb = ScreenRect(b);
    return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
  });
  return found;
}

bool Checked(HWND button) { return Ask(button, BM_GETCHECK) == BST_CHECKED; }

std::vector<std::wstring> ListEntries(HWND list) {
  const bool combo = ClassOf(list) == L"ComboBox";
  // The program may be filling the list while it is read: read it again until one reading
  // holds together.
  for (int attempt = 0; attempt < 20; ++attempt) {
    const auto count = static_cast<int>(Ask(list, combo ? CB_GETCOUNT : LB_GETCOUNT));
    std::vector<std::wstring> entries;
    bool whole = count >= 0;
    for (int i = 0; whole && i < count; ++i) {
      const auto length = Ask(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i);
      // Room to spare, should the entry grow between the two questions.
      std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1024, L'\0');
      const auto copied =
          Ask(list, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
      whole = length >= 0 && copied >= 0 && copied <= length + 1023;
      if (whole) text.resize(static_cast<std::size_t>(copied));
      entries.push_back(text);
    }
    if (whole && static_cast<int>(Ask(list, combo ? CB_GETCOUNT : LB_GETCOUNT)) == count)
      return entries;
    Sleep(10);
  }
  throw DriverError(L"the list " + Describe(list) + L" kept changing while it was read");
}

int ListSelection(HWND list) {
  return static_cast<int>(Ask(list, ClassOf(list) == L"ComboBox" ? CB_GETCURSEL : LB_GETCURSEL));
}

RECT ListEntryRect(HWND list, int index) {
  const auto top = static_cast<int>(Ask(list, LB_GETTOPINDEX));
  const auto height = static_cast<int>(Ask(list, LB_GETITEMHEIGHT, index));
  const RECT client = ClientOnScreen(list);
  const RECT entry{client.left, client.top + (index - top) * height, client.right,
                   client.top + (index - top + 1) * height};
  if (index < top || entry.bottom > client.bottom) {
    throw DriverError(L"entry " + std::to_wstring(index) + L" of the list is out of sight");
  }
  return entry;
}

HWND FocusOf(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(thread, &info)) return nullptr;
  return info.hwndFocus ? info.hwndFocus : info.hwndActive;
}

HWND ActiveOf(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(thread, &info)) return nullptr;
  return info.hwndActive;
}

bool InMenu(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread, &info) && (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE));
}

HWND InFrontOf(HWND window) {
  if (!Visible(window)) return nullptr;
  const HWND top = GetAncestor(window, GA_ROOT);
  auto ownedByTop = [&](HWND other) {
    for (HWND owner = GetWindow(other, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER))
      if (owner == top) return true;
    return false;
  };
  for (const HWND other : TopLevelWindows(ProcessOf(top))) {
    if (other == top) return nullptr;
    const std::wstring kind = ClassOf(other);
    if (kind == L"#32768" || kind == L"ComboLBox" || ownedByTop(other)) continue;
    return other;
  }
  return nullptr;
}

bool InFront(HWND window) { return InFrontOf(window) == nullptr; }

namespace {

struct Repairs {
  int made = 0;
  HWND cover = nullptr;  // in front of the first window raised since the last input
};
Repairs repairs;

}  // namespace

bool RaiseIfBehind(HWND window, Milliseconds grace) {
  if (CameTrueWithin(grace, [&] { return InFront(window); })) return false;
  const HWND cover = InFrontOf(window);
  if (!cover) return false;  // it came to the front, or went, since the last look
  SetWindowPos(GetAncestor(window, GA_ROOT), HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ++repairs.made;
  if (!repairs.cover) repairs.cover = cover;
  return true;
}

int RepairsMade() { return repairs.made; }
void NoteInput() { repairs.cover = nullptr; }
HWND CoverBeforeRepair() { return repairs.cover; }

namespace {

// Posts the change Drain waits for and waits until the edit box reports it, for at most
// `timeout`. True once it does, or once the program has ended.
bool PostedChangeTaken(HWND edit, Milliseconds timeout) {
  // Single-line edit boxes hold at most 0x7FFFFFFE characters.
  constexpr DWORD kLimit = 0x7FFFFFFE;
  DWORD_PTR limit = 0;
  if (!SendMessageTimeoutW(edit, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, kAnswerMilliseconds,
                           &limit)) {
    if (!IsWindow(edit)) return true;  // the program has ended
    throw DriverError(L"the program did not answer for " + std::to_wstring(kAnswerMilliseconds) +
                      L" ms: it hangs");
  }
  const DWORD wanted = static_cast<DWORD>(limit) == kLimit ? kLimit - 1 : kLimit;
  PostMessageW(edit, EM_SETLIMITTEXT, wanted, 0);
  const auto deadline = Clock::now() + timeout;
  for (int look = 0;; ++look) {
    DWORD_PTR now = 0;
    if (!SendMessageTimeoutW(edit, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, kAnswerMilliseconds,
                             &now)) {
      if (!IsWindow(edit)) return true;  // the program has ended meanwhile
      throw DriverError(L"the program did not take messages for " +
                        std::to_wstring(kAnswerMilliseconds) + L" ms: it hangs");
    }
    if (static_cast<DWORD>(now) == wanted) return true;
    if (Clock::now() > deadline) return false;
    // The program mostly gets there within a few of these round trips.
    if (look < 20) {
      SwitchToThread();
    } else {
      Sleep(1);
    }
  }
}

}  // namespace

void Drain(HWND edit) {
  if (!PostedChangeTaken(edit, kPatience)) {
    throw DriverError(L"the program did not get round to the messages posted to it within " +
                      std::to_wstring(kPatience.count()) + L" ms");
  }
}

bool TakesPostedMessages(HWND edit, Milliseconds timeout) {
  return PostedChangeTaken(edit, timeout);
}

}  // namespace e2e
