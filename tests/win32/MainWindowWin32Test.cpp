// The main window as a real window: where its controls stand at the screen's DPI, what they
// say, and what the keyboard and mouse do to it through the one message loop.
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/win32/ScreenReaderName.h"
#include "support/Screenshot.h"
#include "ui/dialogs/Form4.h"
#include "win32/RealWindows.h"

namespace melodex::testing {
namespace {

using MainWindowWin32Test = RealWindows;

TEST_F(MainWindowWin32Test, ControlsStandAtTheirPlacesAtTheScreenDpi) {
  const UINT dpi = GetDpiForWindow(main);
  ASSERT_EQ(dpi, ExpectedDpi()) << "the test prefix sets the screen's DPI";

  struct Place {
    const char* name;
    int left, top, width, height;
    const wchar_t* caption;
  } places[] = {
      {"Command1", 0, 120, 1335, 255, L"MP3 &Directory"},
      {"Text1", 1320, 120, 3015, 285, L""},
      {"Command12", 0, 360, 1335, 255, L"&URL to MP3s"},
      {"Text10", 1320, 360, 3015, 285, L""},
      {"Command13", 0, 600, 1335, 255, L"&Output Directory"},
      {"Text11", 1320, 600, 3015, 285, L""},
      {"Command3", 0, 840, 1335, 255, L"&Back color"},
      {"Text3", 1320, 840, 855, 285, L"#FFFFFF"},
      {"Command4", 0, 1080, 1335, 255, L"&Text color"},
      {"Text4", 1320, 1080, 855, 285, L"#000000"},
      {"Command5", 0, 1320, 1335, 255, L"&Link color"},
      {"Text5", 1320, 1320, 855, 285, L"#0000FF"},
      {"Command6", 0, 1560, 1335, 255, L"&Activelink Color"},
      {"Text6", 1320, 1560, 855, 285, L"#00FF00"},
      {"Command7", 0, 1800, 1335, 255, L"&Visitedlink color"},
      {"Text7", 1320, 1800, 855, 285, L"#FF0000"},
      {"Command9", 0, 2040, 1335, 255, L"&Tiltle color"},
      {"Text9", 1320, 2040, 855, 285, L"#FF0000"},
      {"Label1", 2400, 960, 1935, 255, L"Page Title:"},
      {"Text8", 2400, 1200, 1935, 285, L""},
      {"Check1", 2400, 1440, 1935, 255, L"List Centered"},
      {"Command2", 2400, 1800, 1935, 255, L"&Go"},
      {"Command8", 2400, 2040, 1935, 255, L"&Quit"},
      {"Text2", 120, 2520, 2175, 285, L"Temp text space"},
      {"Command10", 3120, 3000, 975, 375, L"Command10"},
      {"Command11", 1200, 3000, 1695, 375, L"Command11"},
  };
  for (const Place& place : places) {
    SCOPED_TRACE(place.name);
    const ui::Control* control = nullptr;
    for (const ui::Control* c : Main().Controls()) {
      if (c->Name() == place.name) control = c;
    }
    ASSERT_NE(control, nullptr);
    const HWND real = Real(*control);
    ASSERT_NE(real, nullptr);
    RECT r;
    GetWindowRect(real, &r);
    MapWindowPoints(HWND_DESKTOP, main, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, Px(place.left, dpi));
    EXPECT_EQ(r.top, Px(place.top, dpi));
    EXPECT_EQ(r.right - r.left, Px(place.width, dpi));
    EXPECT_EQ(r.bottom - r.top, Px(place.height, dpi));
    EXPECT_EQ(TextOf(real), place.caption);
    if (std::string(place.name) == "Check1") {
      EXPECT_EQ(SendMessageW(real, BM_GETCHECK, 0, 0), BST_CHECKED) << "checked from the start";
    }
    const bool disabled =
        std::string(place.name) == "Command2" || std::string(place.name) == "Text2";
    EXPECT_EQ(IsWindowEnabled(real) != FALSE, !disabled);
  }
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, Px(4500, dpi));
  EXPECT_EQ(client.bottom, Px(2445, dpi));
  EXPECT_EQ(TextOf(main), L"Brixel's Melodex v1.5 \u00df1");
  const LONG_PTR exStyle = GetWindowLongPtrW(main, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(exStyle & WS_EX_APPWINDOW) << "a taskbar button all the same";
  const LONG_PTR style = GetWindowLongPtrW(main, GWL_STYLE);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
}

TEST_F(MainWindowWin32Test, OpensCentredWithItsMenuBar) {
  // Another window, shown for the first time, is centred wherever it stood before.
  app.HelpWindow().Load();
  SetWindowPos(Real(app.HelpWindow()), nullptr, 3, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  app.HelpWindow().Show();
  for (const HWND window : {main, Real(app.HelpWindow())}) {
    RECT frame;
    GetWindowRect(window, &frame);
    MONITORINFO monitor{sizeof monitor};
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    EXPECT_NEAR((frame.left + frame.right) / 2, (monitor.rcWork.left + monitor.rcWork.right) / 2,
                1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, (monitor.rcWork.top + monitor.rcWork.bottom) / 2,
                1);
  }

  const HMENU bar = GetMenu(main);
  ASSERT_EQ(GetMenuItemCount(bar), 4);
  std::vector<std::wstring> captions;
  for (int i = 0; i < 4; ++i) {
    wchar_t text[64] = L"";
    GetMenuStringW(bar, i, text, 64, MF_BYPOSITION);
    captions.push_back(text);
  }
  EXPECT_EQ(captions, (std::vector<std::wstring>{L"&File", L"&Help", L"", L" "}));
  const HMENU helpMenu = GetSubMenu(bar, 1);
  ASSERT_EQ(GetMenuItemCount(helpMenu), 3) << "no separator";
  wchar_t text[64] = L"";
  GetMenuStringW(helpMenu, 2, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"Contact &Brixel");
  GetMenuStringW(GetSubMenu(bar, 0), 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"E&xit");

  EXPECT_TRUE(SaveWindowPng(
      main, ScreenshotPath(L"main-window-" + std::to_wstring(ExpectedDpi()) + L"dpi.png")));
}

// What the controls leave of the window shows the form's colour, out to its far corner.
TEST_F(MainWindowWin32Test, ItsBackgroundFillsTheWholeClientArea) {
  RECT client;
  GetClientRect(main, &client);
  const HDC screen = GetDC(main);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(SendMessageW(main, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  EXPECT_EQ(GetPixel(dc, client.right - 1, client.bottom - 1), GetSysColor(COLOR_BTNFACE));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(main, screen);
}

TEST_F(MainWindowWin32Test, TextTypedReachesTheModelAndTextSetByCodeTheWindow) {
  Focus(Main().Text1);
  Type(L"C:\\Music");
  EXPECT_EQ(Main().Text1.Text(), L"C:\\Music");

  Main().Text10.SetText(L"http://host/");
  EXPECT_EQ(TextOf(Real(Main().Text10)), L"http://host/");
  EXPECT_EQ(Main().Text10.Text(), L"http://host/");
}

TEST_F(MainWindowWin32Test, DisabledGoIgnoresClicksAndItsAccessKey) {
  SendMessageW(Real(Main().Command2), BM_CLICK, 0, 0);  // Wine clicks disabled buttons too
  Focus(Main().Command1);
  AltKey(L'g');
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MainWindowWin32Test, EnterInATextBoxPressesTheHiddenDefaultButton) {
  // The buttons drawn as the default one: the one Enter presses, and no other.
  const auto drawnAsDefault = [this] {
    std::vector<std::string> names;
    for (const ui::Control* button : Main().Controls()) {
      const LONG_PTR style = GetWindowLongPtrW(Real(*button), GWL_STYLE);
      if (button->GetKind() == ui::Control::Kind::CommandButton &&
          (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        names.emplace_back(button->Name());
    }
    return names;
  };
  Main().Command2.SetEnabled(true);
  dialogs.Answer(MessageAnswer::Ignore);
  Focus(Main().Command12);
  Focus(Main().Text8);
  EXPECT_EQ(drawnAsDefault(),
            std::vector<std::string>{std::string(Main().DefaultButton()->Name())});
  Key(VK_RETURN);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].message.title, L"Enter box");

  dialogs.shown.clear();
  Focus(Main().Command12);
  EXPECT_EQ(drawnAsDefault(), std::vector<std::string>{"Command12"});
  Key(VK_RETURN);  // a focused button takes Enter itself
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.shown[0].title, L"MP3 URL");
}

TEST_F(MainWindowWin32Test, TabFollowsTheModelTabOrder) {
  Focus(Main().Command1);
  std::vector<std::string> visited, expected;
  for (const ui::Control* control : Main().TabOrder()) expected.emplace_back(control->Name());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const ui::Control* focused = FocusedIn(Main());
    visited.emplace_back(focused ? focused->Name() : "?");
    EXPECT_EQ(Main().Focused(), focused) << "the model knows the focus";
    Key(VK_TAB);
  }
  EXPECT_EQ(visited, expected);
  EXPECT_EQ(FocusedIn(Main()), &Main().Command1) << "round to the first again";
}

TEST_F(MainWindowWin32Test, AccessKeysAndTheBlankMenuPlaces) {
  Focus(Main().Command1);
  Type(L"u");
  EXPECT_TRUE(dialogs.shown.empty()) << "a plain letter outside a text box is no access key";
  Focus(Main().Text1);
  AltKey(L'u');
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.shown[0].title, L"MP3 URL");
  EXPECT_EQ(FocusedIn(Main()), &Main().Command12) << "the key moves the focus too";

  dialogs.shown.clear();
  const HMENU bar = GetMenu(main);
  const UINT secret = GetMenuItemID(bar, 3);
  PostMessageW(main, WM_COMMAND, secret, 0);
  windows.PumpPending();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(GetMenuState(bar, 3, MF_BYPOSITION) & MF_GRAYED);
  PostMessageW(main, WM_COMMAND, secret, 0);
  windows.PumpPending();
  EXPECT_EQ(dialogs.shown.size(), 1u) << "a disabled item never fires";
}

TEST_F(MainWindowWin32Test, AReaderHearsTheNameTheModelGivesAControlNow) {
  const HWND box = Real(Main().Text1);
  EXPECT_EQ(ReaderName(box), L"MP3 Directory");
  Main().Text1.SetAccessibleName(L"Music folder");
  EXPECT_EQ(ReaderName(box), L"Music folder");
  EXPECT_EQ(ReaderName(box, Asking::Script), L"Music folder");
  EXPECT_EQ(ReaderName(box, Asking::ScriptOfItself), L"Music folder");
  EXPECT_EQ(ReaderName(box, Asking::ScriptLeavingOut), L"Music folder");
  EXPECT_EQ(ReaderName(box, Asking::FirstPart), ReaderName(box, Asking::System));
  EXPECT_EQ(ReaderState(box), ReaderState(box, Asking::System));
  // Should the system fail to make the standard object or to hand the named one over, the
  // reader gets the system's own.
  win32::HandObjectsOverThrough([](REFIID, WPARAM, IUnknown*) -> LRESULT { return E_FAIL; });
  EXPECT_EQ(ReaderName(box), ReaderName(box, Asking::System));
  win32::HandObjectsOverThrough(nullptr);
  win32::MakeStandardObjectsThrough(
      [](HWND, LONG, REFIID, void**) -> HRESULT { return E_OUTOFMEMORY; });
  EXPECT_EQ(ReaderName(box), ReaderName(box, Asking::System));
  win32::MakeStandardObjectsThrough(nullptr);
  Main().Text1.SetAccessibleName(L"");  // the system's name again
  EXPECT_EQ(ReaderName(box), ReaderName(box, Asking::System));
}

// All a reader hears of one question about a control: the result and what came with it.
struct Heard {
  Heard() { self.vt = VT_I4; }  // lVal 0, CHILDID_SELF: the control itself
  VARIANT self{};
  std::wstring before;  // the control's text before the question
  HRESULT result = E_FAIL;
  BSTR text = nullptr;
  VARIANT value{};
  IDispatch* object = nullptr;
  ITypeInfo* info = nullptr;
  LONG numbers[4] = {-1, -1, -1, -1};
  UINT count = 0;
  DISPID id = 0;
  std::wstring Said() {
    std::wstring said = std::to_wstring(result) + L" " + std::to_wstring(value.vt);
    if (text) said += L" " + std::wstring(text, SysStringLen(text));
    if (value.vt == VT_I4) said += L" " + std::to_wstring(value.lVal);
    if (value.vt == VT_BSTR && value.bstrVal) said += L" " + std::wstring(value.bstrVal);
    said += object || info ? L" an object" : L" no object";
    for (const LONG number : {numbers[0], numbers[1], numbers[2], numbers[3], LONG(count), id})
      said += L" " + std::to_wstring(number);
    SysFreeString(text);
    VariantClear(&value);
    if (object) object->Release();
    if (info) info->Release();
    return said;
  }
};

TEST_F(MainWindowWin32Test, EveryQuestionButTheNameGetsTheSystemsAnswer) {
  const HWND box = Real(Main().Text1);
  const std::wstring text = TextOf(box);
  using A = IAccessible*;
  struct Question {
    const char* what;
    void (*ask)(A, Heard&);
  } questions[] = {
      {"type info count", [](A a, Heard& h) { h.result = a->GetTypeInfoCount(&h.count); }},
      {"type info", [](A a, Heard& h) { h.result = a->GetTypeInfo(0, 0, &h.info); }},
      {"ids of names",
       [](A a, Heard& h) {
         wchar_t member[] = L"accRole";
         LPOLESTR names[] = {member};
         h.result = a->GetIDsOfNames(IID_NULL, names, 1, 0, &h.id);
       }},
      {"role, through IDispatch",
       [](A a, Heard& h) {
         DISPPARAMS none{};
         h.result = a->Invoke(DISPID_ACC_ROLE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &h.value,
                              nullptr, nullptr);
       }},
      {"parent", [](A a, Heard& h) { h.result = a->get_accParent(&h.object); }},
      {"child count", [](A a, Heard& h) { h.result = a->get_accChildCount(&h.numbers[0]); }},
      {"child", [](A a, Heard& h) { h.result = a->get_accChild(h.self, &h.object); }},
      {"description", [](A a, Heard& h) { h.result = a->get_accDescription(h.self, &h.text); }},
      {"help", [](A a, Heard& h) { h.result = a->get_accHelp(h.self, &h.text); }},
      {"help topic",
       [](A a, Heard& h) { h.result = a->get_accHelpTopic(&h.text, h.self, &h.numbers[0]); }},
      {"keyboard shortcut",
       [](A a, Heard& h) { h.result = a->get_accKeyboardShortcut(h.self, &h.text); }},
      {"focus", [](A a, Heard& h) { h.result = a->get_accFocus(&h.value); }},
      {"selection", [](A a, Heard& h) { h.result = a->get_accSelection(&h.value); }},
      {"default action",
       [](A a, Heard& h) { h.result = a->get_accDefaultAction(h.self, &h.text); }},
      {"location",
       [](A a, Heard& h) {
         LONG* n = h.numbers;
         h.result = a->accLocation(&n[0], &n[1], &n[2], &n[3], h.self);
       }},
      {"next", [](A a, Heard& h) { h.result = a->accNavigate(NAVDIR_NEXT, h.self, &h.value); }},
      {"what stands at its middle",
       [](A a, Heard& h) {
         LONG left = 0, top = 0, width = 0, height = 0;
         a->accLocation(&left, &top, &width, &height, h.self);
         h.result = a->accHitTest(left + width / 2, top + height / 2, &h.value);
       }},
      {"select", [](A a, Heard& h) { h.result = a->accSelect(SELFLAG_TAKEFOCUS, h.self); }},
      {"default action done", [](A a, Heard& h) { h.result = a->accDoDefaultAction(h.self); }},
      {"name set",
       [](A a, Heard& h) {
         h.text = SysAllocString(L"Another name");
         h.result = a->put_accName(h.self, h.text);
       }},
      {"value set to the text it has",
       [](A a, Heard& h) {
         h.text = SysAllocString(h.before.c_str());
         h.result = a->put_accValue(h.self, h.text);
       }},
  };
  IAccessible* const named = ReaderObject(box, Asking::Reader);
  IAccessible* const system = ReaderObject(box, Asking::System);
  ASSERT_TRUE(named && system);
  for (const Question& question : questions) {
    Heard fromNamed, fromSystem;
    fromNamed.before = fromSystem.before = text;
    question.ask(named, fromNamed);
    question.ask(system, fromSystem);
    EXPECT_EQ(fromNamed.Said(), fromSystem.Said()) << question.what;
  }
  named->Release();
  system->Release();
  EXPECT_EQ(ReaderName(box), L"MP3 Directory") << "the model's name all along";
  EXPECT_EQ(TextOf(box), text);
}

TEST_F(MainWindowWin32Test, AChildWindowTheProgramDidNotMakeIsNoneOfItsControls) {
  // A button with the id of one of the form's own: pressing it presses nothing.
  const auto id = static_cast<INT_PTR>(GetDlgCtrlID(Real(Main().Command12)));
  const HWND stranger = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 0, 0, 9, 9, main,
                                        reinterpret_cast<HMENU>(id), nullptr, nullptr);
  SendMessageW(stranger, BM_CLICK, 0, 0);
  windows.PumpPending();
  EXPECT_TRUE(dialogs.shown.empty());
  // It is still drawn in the window's colours.
  const HDC dc = GetDC(stranger);
  EXPECT_NE(SendMessageW(main, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(stranger)),
            0);
  EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
  ReleaseDC(stranger, dc);
  DestroyWindow(stranger);
}

TEST_F(MainWindowWin32Test, AWindowTheSystemRefusesToMakeIsAnErrorWithTheSystemsNumber) {
  const HHOOK refuse = SetWindowsHookExW(
      WH_CBT,
      [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
      },
      nullptr, GetCurrentThreadId());
  try {
    app.HelpWindow().Load();
    ADD_FAILURE() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.What(),
              L"cannot create a window (error " + std::to_wstring(GetLastError()) + L")");
  }
  UnhookWindowsHookEx(refuse);
}

TEST_F(MainWindowWin32Test, CloseBoxEndsTheProgram) {
  PostMessageW(main, WM_CLOSE, 0, 0);
  windows.PumpPending();
  EXPECT_TRUE(windows.Ended());
  EXPECT_FALSE(IsWindowVisible(main));
}

}  // namespace
}  // namespace melodex::testing
