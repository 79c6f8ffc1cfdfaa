// The about box as a real window: its outer size, the buttons out of sight, the keyboard.
#include <string>

#include "support/Screenshot.h"
#include "ui/about/frmAbout.h"
#include "win32/RealWindows.h"

namespace melodex::testing {
namespace {

using AboutBoxWin32Test = RealWindows;

TEST_F(AboutBoxWin32Test, OpensAtItsOuterSizeWithTwoButtonsOutOfSight) {
  frmAbout& about = app.AboutBox();
  about.Load();  // centred on its first showing wherever it stood before
  SetWindowPos(Real(about), nullptr, 100, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Main().About.Press();
  windows.PumpPending();
  const HWND window = Real(about);
  ASSERT_TRUE(IsWindowVisible(window));
  const UINT dpi = GetDpiForWindow(window);
  ASSERT_EQ(dpi, ExpectedDpi());
  RECT frame, client;
  GetWindowRect(window, &frame);
  GetClientRect(window, &client);
  EXPECT_EQ(frame.right - frame.left, Px(5820, dpi));
  EXPECT_EQ(frame.bottom - frame.top, Px(3450, dpi));
  MONITORINFO monitor{sizeof monitor};
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
  EXPECT_NEAR(frame.left + frame.right, monitor.rcWork.left + monitor.rcWork.right, 2);
  for (const ui::CommandButton* hidden : {&about.Command4, &about.Command5}) {
    EXPECT_GE(PlaceOf(*hidden).top, client.bottom) << hidden->Name();
  }
  EXPECT_LT(PlaceOf(about.cmdSysInfo).bottom, client.bottom);
  EXPECT_EQ(TextOf(window), L"About");
  EXPECT_FALSE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_NE(GetWindow(window, GW_OWNER), nullptr) << "owned by a hidden window: no taskbar button";
  EXPECT_TRUE(
      SaveWindowPng(window, ScreenshotPath(L"about-box-" + std::to_wstring(dpi) + L"dpi.png")));
}

TEST_F(AboutBoxWin32Test, TabReachesCommand5AndSpaceShowsTheSecretOnce) {
  Main().About.Press();
  windows.PumpPending();
  frmAbout& about = app.AboutBox();
  EXPECT_NE(SendMessageW(Real(about.Image1), STM_GETICON, 0, 0), 0) << "the program's icon";
  Focus(about.cmdOK);
  std::vector<std::string> visited;
  for (int i = 0; i < 4; ++i) {
    Key(VK_TAB);
    visited.emplace_back(FocusedIn(about) ? FocusedIn(about)->Name() : "?");
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"cmdSysInfo", "Command4", "Command5", "cmdOK"}));

  Focus(about.Command5);
  Key(VK_SPACE);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(dialogs.shown[0].message.text.find(L"Secret number 3") != std::wstring::npos);
  EXPECT_FALSE(IsWindowEnabled(Real(about.Command5)));

  Focus(about.Command4);
  Key(VK_TAB);
  EXPECT_EQ(FocusedIn(about), &about.cmdOK) << "the disabled button is skipped";
  Key(VK_SPACE);  // Close
  EXPECT_FALSE(about.Loaded());
  Main().About.Press();
  windows.PumpPending();
  EXPECT_TRUE(IsWindowEnabled(Real(app.AboutBox().Command5))) << "a fresh box";
}

TEST_F(AboutBoxWin32Test, EscClosesItFromAnyControl) {
  Main().About.Press();
  windows.PumpPending();
  const HWND window = Real(app.AboutBox());
  Focus(app.AboutBox().Command4);
  Key(VK_ESCAPE);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(app.AboutBox().Loaded()) << "the next showing builds it afresh";
}

}  // namespace
}  // namespace melodex::testing
