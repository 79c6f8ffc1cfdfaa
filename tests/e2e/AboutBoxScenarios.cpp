// The about box driven from outside: its size, Esc and reopening, the hidden button found
// with Tab, and System Information found through the registry of the test prefix.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "e2e/Expected.h"
#include "e2e/Scenario.h"
#include "e2e/driver/Files.h"
#include "e2e/driver/Waiting.h"
#include "e2e/driver/Windows.h"
#include "support/MachineValue.h"
#include "support/StandIn.h"

namespace e2e {
namespace {

using melodex::testing::MachineValue;
namespace standin = melodex::testing::standin;

class AboutBox : public Scenario {
 protected:
  HWND Open() {
    App().Activate(App().Main());
    App().Menu(L'h', L'a');
    return App().Window(kAboutCaption);
  }
  // The stand-in for the System Information tool, copied to `path`.
  void PlaceStandIn(const std::wstring& path) {
    MakeFolder(path.substr(0, path.find_last_of(L'\\')));
    CopyOver(standin::Program(), path);
  }
  // The command line the stand-in was started with, once it has run.
  std::optional<std::wstring> WaitForMarker(const std::wstring& program) {
    const auto run = standin::WaitForRun(program);
    if (!run) return std::nullopt;
    return run->commandLine;
  }

  MachineValue msinfo{L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH"};
  MachineValue location{L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO"};
};

TEST_F(AboutBox, OpensAtItsSetSizeWithTwoButtonsOutOfSightAndEscClosesIt) {
  Melodex& app = App();
  const HWND about = Open();
  const UINT dpi = DpiOf(about);
  const RECT frame = ScreenRect(about);
  EXPECT_EQ(frame.right - frame.left, TwipsToPixels(5820, dpi));
  EXPECT_EQ(frame.bottom - frame.top, TwipsToPixels(3450, dpi));
  const RECT client = ClientOnScreen(about);
  for (const wchar_t* hidden : {L"Command4", L"Command5"}) {
    RECT rect = ScreenRect(app.Control(about, hidden));
    EXPECT_FALSE(IntersectRect(&rect, &rect, &client)) << Narrow(hidden) << " can be seen";
  }
  app.Snapshot(about, L"e2e-about-box");

  app.Click(about, L"&System Info...");  // leaves the focus on a button that is not "Close"
  app.AnswerMessageBox(kAppTitle, kOk);
  app.Press(VK_ESCAPE);
  WaitUntil(
      L"Esc to close the about box", [&] { return !IsWindow(about); },
      [&] { return app.Windows(); });

  // The main window is there to use, and the next "&About" builds a new box.
  const HWND again = Open();
  EXPECT_TRUE(Visible(again));
  app.Click(again, L"Close");
  WaitUntil(
      L"\"Close\" to close the about box", [&] { return !IsWindow(again); },
      [&] { return app.Windows(); });
}

TEST_F(AboutBox, TabReachesCommand5AndSpaceShowsHiddenMessage3OncePerOpening) {
  Melodex& app = App();
  HWND about = Open();
  EXPECT_EQ(TextOf(app.Focused()), L"Close");
  EXPECT_EQ(app.TabTo(L"Command4"), 2) << "after \"Close\" and \"&System Info...\"";
  app.Press(VK_SPACE);  // "Command4" does nothing
  app.ExpectNoBox();
  EXPECT_EQ(app.TabTo(L"Command5"), 1);
  app.Press(VK_SPACE);
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), HiddenMessage(3));
  const HWND command5 = app.Control(about, L"Command5");
  EXPECT_FALSE(Enabled(command5));
  // Tab now goes round without it.
  app.Activate(about);
  app.TabTo(L"Command4");
  app.Press(VK_TAB);
  app.Settle();
  EXPECT_EQ(TextOf(app.Focused()), L"Close");

  // "&About" while it is open brings the same box forward, Command5 still disabled.
  EXPECT_EQ(Open(), about);
  EXPECT_FALSE(Enabled(command5));

  app.Activate(about);
  app.Press(VK_ESCAPE);
  WaitUntil(
      L"the about box to close", [&] { return !IsWindow(about); }, [&] { return app.Windows(); });
  about = Open();
  EXPECT_TRUE(Enabled(app.Control(about, L"Command5"))) << "a fresh box";
  app.TabTo(L"Command5");
  app.Press(VK_RETURN);
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), HiddenMessage(3));
}

TEST_F(AboutBox, SystemInformationWithoutRegistryEntriesSaysItIsUnavailable) {
  Melodex& app = App();
  const HWND about = Open();
  app.Alt(L's');
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), kSysInfoUnavailable);
  EXPECT_TRUE(Visible(about)) << "the about box stays open";
  app.ExpectNoBox();
}

TEST_F(AboutBox, SystemInformationStartsTheProgramTheFirstEntryNames) {
  Melodex& app = App();
  const std::wstring program = In(L"Shared Tools\\msinfo stand in.exe");
  PlaceStandIn(program);
  ASSERT_TRUE(msinfo.Set(program)) << "cannot set the registry value";
  const HWND about = Open();
  app.Click(about, L"&System Info...");
  const auto marker = WaitForMarker(program);
  ASSERT_TRUE(marker.has_value()) << "the program named in the registry did not run";
  EXPECT_NE(marker->find(program), std::wstring::npos)
      << "started as that very file, blanks and all: " << Narrow(*marker);
  app.ExpectNoBox();
  EXPECT_TRUE(Visible(about));
}

TEST_F(AboutBox, SystemInformationNeverStartsWhatABareFirstEntryWouldFindFirst) {
  Melodex& app = App();
  // Read as a bare command line, the entry would run "...\Shared.exe" before looking further.
  const std::wstring decoy = In(L"Shared.exe");
  PlaceStandIn(decoy);
  ASSERT_TRUE(msinfo.Set(In(L"Shared Tools\\msinfo32.exe"))) << "cannot set the registry value";
  const HWND about = Open();
  app.Click(about, L"&System Info...");
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), kSysInfoUnavailable);
  EXPECT_FALSE(standin::HasRun(decoy)) << "the decoy was started";
  EXPECT_TRUE(Visible(about));
}

TEST_F(AboutBox, SystemInformationFindsMsinfo32InTheFolderTheSecondEntryNames) {
  Melodex& app = App();
  const std::wstring folder = In(L"Tools Folder");
  PlaceStandIn(folder + L"\\MSINFO32.EXE");
  ASSERT_TRUE(location.Set(folder)) << "cannot set the registry value";
  Open();
  app.Alt(L's');
  const auto marker = WaitForMarker(folder + L"\\MSINFO32.EXE");
  ASSERT_TRUE(marker.has_value()) << "MSINFO32.EXE in the folder did not run";
  EXPECT_NE(marker->find(folder + L"\\MSINFO32.EXE"), std::wstring::npos) << Narrow(*marker);
  app.ExpectNoBox();

  // A folder without the program: the message.
  ASSERT_TRUE(location.Set(In(L"nowhere"))) << "cannot set the registry value";
  app.Alt(L's');
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), kSysInfoUnavailable);
}

TEST_F(AboutBox, TheMainWindowStaysUsableWhileItIsOpen) {
  Melodex& app = App();
  const HWND about = Open();
  app.Activate(app.Main());
  app.ClickMain(L"&Back color");
  const HWND chooser = app.Window(kColoursCaption);
  app.Click(chooser, L"Black");
  app.Click(chooser, L"&Ok");
  app.WaitForHidden(chooser, L"the colour chooser");
  EXPECT_EQ(app.Text(field::kBackColour), L"#000000");
  EXPECT_TRUE(Visible(about));
}

}  // namespace
}  // namespace e2e
