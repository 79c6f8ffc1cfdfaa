// The system's message box and the input box as a person sees and answers them. The person
// acts from a timer of this thread, which the box's own message loop runs once the box is up.
#include <functional>
#include <string>

#include "Melodex.h"
#include "platform/Error.h"
#include "platform/win32/Win32Dialogs.h"
#include "ui/dialogs/Form2.h"
#include "ui/dialogs/Form4.h"
#include "win32/RealWindows.h"

namespace melodex::testing {
namespace {

constexpr wchar_t kProgram[] = L"Boxes test";

// The person: looks at the box, then says which button to press.
std::function<int(HWND)> person;

// The dialog box of this thread that is up, or null.
HWND BoxUp() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM result) -> BOOL {
        wchar_t name[8] = L"";
        GetClassNameW(window, name, 8);
        if (!IsWindowVisible(window) || std::wstring(name) != L"#32770") return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

void CALLBACK AtTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND box = BoxUp();
  if (!box) return;  // not shown yet: the next tick
  KillTimer(nullptr, timer);
  PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(person(box)), 0);
}

// The icon a message box shows, or null.
HICON IconOf(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsWindowVisible(child) && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      return reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
  }
  return nullptr;
}

// The program's windows stand behind the boxes: the main window, active, and the help window.
class BoxesWin32Test : public RealWindows {
 protected:
  void SetUp() override {
    RealWindows::SetUp();
    app.HelpWindow().Show();
    app.FolderPicker().Load();  // hidden
    SetActiveWindow(main);
    windows.PumpPending();
  }
  template <class Show>
  auto Answered(std::function<int(HWND)> at, Show show) {
    person = [&](HWND box) {
      EXPECT_FALSE(IsWindowEnabled(main));
      EXPECT_FALSE(IsWindowEnabled(Real(app.HelpWindow())));
      EXPECT_TRUE(IsWindowEnabled(Real(app.FolderPicker()))) << "usable, should it be shown";
      return at(box);
    };
    SetTimer(nullptr, 0, 10, &AtTheBox);
    const auto answer = show();
    EXPECT_EQ(GetActiveWindow(), main) << "the keyboard is back where it was";
    EXPECT_TRUE(IsWindowEnabled(Real(app.HelpWindow())));
    return answer;
  }

  win32::Win32Dialogs boxes{kProgram};
};

TEST_F(BoxesWin32Test, EachButtonOfAMessageBoxGivesItsAnswer) {
  using enum MessageButtons;
  using enum MessageIcon;
  struct Row {
    MessageButtons buttons;
    MessageIcon icon;
    int defaultButton, defaultId, press;
    MessageAnswer answer;
  } rows[] = {
      {Ok, None, 1, IDOK, IDOK, MessageAnswer::Ok},
      {OkCancel, Question, 2, IDCANCEL, IDCANCEL, MessageAnswer::Cancel},
      {AbortRetryIgnore, Critical, 3, IDIGNORE, IDABORT, MessageAnswer::Abort},
      {AbortRetryIgnore, None, 1, IDABORT, IDRETRY, MessageAnswer::Retry},
      {AbortRetryIgnore, None, 2, IDRETRY, IDIGNORE, MessageAnswer::Ignore},
      {YesNo, Question, 1, IDYES, IDYES, MessageAnswer::Yes},
      {YesNo, None, 2, IDNO, IDNO, MessageAnswer::No},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.press);
    const MessageAnswer answer = Answered(
        [&](HWND box) {
          EXPECT_EQ(TextOf(box), row.press == IDOK ? L"Title" : kProgram);
          EXPECT_NE(GetDlgItem(box, row.press), nullptr);
          EXPECT_EQ(GetFocus(), GetDlgItem(box, row.defaultId));
          EXPECT_EQ(IconOf(box), row.icon == None       ? nullptr
                                 : row.icon == Critical ? LoadIconW(nullptr, IDI_HAND)
                                                        : LoadIconW(nullptr, IDI_QUESTION));
          return row.press;
        },
        [&] {
          return boxes.ShowMessage({.text = L"Sure?",
                                    .title = row.press == IDOK ? L"Title" : L"",
                                    .buttons = row.buttons,
                                    .icon = row.icon,
                                    .defaultButton = row.defaultButton});
        });
    EXPECT_EQ(answer, row.answer);
  }
}

TEST_F(BoxesWin32Test, TheInputBoxAsksWithItsPromptAndGivesWhatWasTyped) {
  const std::wstring typed = Answered(
      [&](HWND box) {
        EXPECT_EQ(TextOf(box), L"Ask");
        EXPECT_EQ(GetForegroundWindow(), box);
        // The main window, called forward, keeps its box in front, though another window of
        // the program stands before the box.
        const HWND other = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0,
                                           0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        Main().Show();
        EXPECT_EQ(GetForegroundWindow(), box);
        DestroyWindow(other);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        EXPECT_EQ(font.lfHeight, -MulDiv(8, static_cast<int>(GetDpiForWindow(box)), 72));
        EXPECT_FALSE(font.lfItalic);
        RECT frame;
        GetWindowRect(box, &frame);
        MONITORINFO monitor{sizeof monitor};
        GetMonitorInfoW(MonitorFromWindow(box, MONITOR_DEFAULTTOPRIMARY), &monitor);
        EXPECT_NEAR(frame.left + frame.right, monitor.rcWork.left + monitor.rcWork.right, 2);
        RECT size{0, 0, 246, 84};  // in dialog units
        MapDialogRect(box, &size);
        RECT client;
        GetClientRect(box, &client);
        EXPECT_EQ(client.right, size.right);
        EXPECT_EQ(client.bottom, size.bottom);
        // Its controls in their tab order, with where they stand in dialog units.
        struct Item {
          const wchar_t* text;
          LONG style;
          RECT place;
        } items[] = {{L"Why?", SS_NOPREFIX, {7, 7, 170, 48}},
                     {L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, {189, 7, 50, 14}},
                     {L"Cancel", WS_TABSTOP, {189, 25, 50, 14}},
                     {L"before", ES_AUTOHSCROLL | WS_TABSTOP, {7, 63, 232, 13}}};
        HWND child = GetWindow(box, GW_CHILD);
        for (const Item& item : items) {
          SCOPED_TRACE(::testing::PrintToString(std::wstring(item.text)));
          EXPECT_EQ(TextOf(child), item.text);
          EXPECT_EQ(GetWindowLongW(child, GWL_STYLE) & item.style, item.style);
          RECT place = item.place;  // left, top, width, height
          MapDialogRect(box, &place);
          RECT real;
          GetWindowRect(child, &real);
          MapWindowPoints(HWND_DESKTOP, box, reinterpret_cast<POINT*>(&real), 2);
          const RECT want{place.left, place.top, place.left + place.right,
                          place.top + place.bottom};
          EXPECT_TRUE(EqualRect(&real, &want));
          if (item.text != items[3].text) child = GetWindow(child, GW_HWNDNEXT);
        }
        EXPECT_EQ(GetFocus(), child);
        EXPECT_EQ(SendMessageW(child, EM_GETSEL, 0, 0), MAKELRESULT(0, 6)) << "all selected";
        EXPECT_EQ(ReaderName(child), L"Why?");
        SetWindowTextW(child, L"typed");
        return IDOK;
      },
      [&] { return boxes.InputBox(L"Why?", L"Ask", L"before"); });
  EXPECT_EQ(typed, L"typed");

  EXPECT_EQ(Answered(
                [&](HWND box) {
                  EXPECT_EQ(TextOf(box), kProgram);
                  return IDCANCEL;
                },
                [&] { return boxes.InputBox(L"Why?", L"", L"before"); }),
            L"");
}

// An error that no window expected, thrown by what a click or an access key set off, reaches
// the person as a box of the program's, says why when it can, and the program goes on.
TEST_F(BoxesWin32Test, AnErrorNoWindowExpectedIsToldInABoxAndTheProgramGoesOn) {
  const HWND button = Real(Main().Command12);  // "&URL to MP3s"
  const std::wstring unexpected = L"Something unexpected went wrong; the action was not completed.";
  const std::wstring why = unexpected + kLineBreak + L"the planted error";
  struct Case {
    const char* what;
    bool byKey;
    bool known;
    std::wstring told;
  } cases[] = {
      {"a click, our error", false, true, why},
      {"a click, any other", false, false, unexpected},
      {"an access key, our error", true, true, why},
      {"an access key, any other", true, false, unexpected},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Main().Command12.Click = [known = c.known] {
      if (known) throw Error(L"the planted error");
      throw 0;
    };
    std::wstring told, title;
    person = [&](HWND box) {
      told = TextOf(GetDlgItem(box, 0xFFFF));
      title = TextOf(box);
      return IDOK;
    };
    SetTimer(nullptr, 0, 10, &AtTheBox);
    if (c.byKey) {
      PostMessageW(button, WM_SYSCHAR, L'u', 1 | (1 << 29));
      windows.PumpPending();
    } else {
      SendMessageW(button, BM_CLICK, 0, 0);
    }
    EXPECT_EQ(told, c.told);
    EXPECT_EQ(title, kAppTitle);
    EXPECT_FALSE(windows.Ended());
    EXPECT_TRUE(IsWindowEnabled(main));
  }
}

}  // namespace
}  // namespace melodex::testing
