// Every message box and input box of the program, letter for letter with its title, buttons,
// icon and default button, each saved as a screenshot; and F1 in a box, with and without the
// help file.
#include <gtest/gtest.h>

#include <iostream>
#include <set>

#include "e2e/Expected.h"
#include "e2e/Scenario.h"
#include "e2e/driver/Files.h"
#include "e2e/driver/Waiting.h"
#include "e2e/driver/Windows.h"
#include "support/Screenshot.h"

namespace e2e {
namespace {

class MessageBoxes : public Scenario {
 protected:
  // Reads the box, saves its picture, answers it.
  MessageBoxSeen Seen(const std::wstring& title, const std::wstring& answer,
                      const std::wstring& picture) {
    const HWND box = App().Box(title);
    const MessageBoxSeen seen = App().SeeMessageBox(title);
    App().Snapshot(box, L"e2e-box-" + picture);
    App().Answer(box, answer);
    return seen;
  }
  InputBoxSeen SeenInput(const std::wstring& title, const std::wstring& picture) {
    const HWND box = App().Box(title);
    App().Snapshot(box, L"e2e-box-" + picture);
    return ReadInputBox(box);
  }
};

TEST_F(MessageBoxes, EveryBoxOfTheProgramLetterForLetter) {
  Melodex& app = App();
  const HWND main = app.Main();

  app.Alt(L'u');
  EXPECT_EQ(SeenInput(L"MP3 URL", L"url-prompt"), kUrlPrompt);
  app.Press(VK_ESCAPE);
  EXPECT_EQ(Seen(L"Error", kOk, L"no-valid-url"), kNoValidUrl);

  app.ClickMain(L"&Quit");
  EXPECT_EQ(Seen(L"Exit", kNo, L"quit"), kQuitQuestion);

  app.Click(app.Field(field::kTitle));
  app.Press(VK_RETURN);
  EXPECT_EQ(Seen(L"Enter box", kRetry, L"enter-box"), kEnterBox);
  EXPECT_EQ(Seen(kAppTitle, kOk, L"enter-retry"), kRetryAnswer);
  EXPECT_EQ(Seen(L"Enter box", kAbort, L"enter-box-again"), kEnterBox);
  EXPECT_EQ(Seen(kAppTitle, kOk, L"enter-abort"), kAbortAnswer);
  app.Press(VK_RETURN);
  EXPECT_EQ(Seen(L"Enter box", kIgnore, L"enter-box-third"), kEnterBox);
  EXPECT_EQ(Seen(kAppTitle, kOk, L"enter-ignore"), kIgnoreAnswer);

  app.ClickSecretPlace();
  EXPECT_EQ(Seen(kAppTitle, kOk, L"hidden-1"), HiddenMessage(1));
  app.TabTo(L"Command11");
  app.Press(VK_SPACE);
  EXPECT_EQ(Seen(kAppTitle, kOk, L"hidden-2"), HiddenMessage(2));
  app.Menu(L'h', L'b');
  EXPECT_EQ(Seen(kAppTitle, kOk, L"contact"), kContact);

  app.Menu(L'h', L'a');
  const HWND about = app.Window(kAboutCaption);
  app.TabTo(L"Command5");
  app.Press(VK_SPACE);
  EXPECT_EQ(Seen(kAppTitle, kOk, L"hidden-3"), HiddenMessage(3));
  app.Click(about, L"&System Info...");
  EXPECT_EQ(Seen(kAppTitle, kOk, L"sysinfo-unavailable"), kSysInfoUnavailable);
  app.Click(about, L"Close");

  MakeFolder(In(L"empty"));
  app.ClickMain(L"MP3 &Directory");
  const HWND picker = app.Window(kPickerCaption);
  app.OpenFolder(picker, L"empty");
  app.Click(picker, L"&Ok");
  EXPECT_EQ(Seen(L"Error", kCancel, L"no-mp3s"), kNoMp3s);
  app.Pointer().ClickCloseBox(picker);
  app.WaitForHidden(picker, L"the picker");

  // "&Go" into a folder that is not there: the title prompt, then the failure.
  app.Activate(main);
  app.Retype(field::kOutputFolder, In(L"missing"));
  app.Alt(L'u');
  app.AnswerInputBox(L"MP3 URL", L"http://example.org/");
  app.ClickMain(L"&Go");
  EXPECT_EQ(SeenInput(L"Title", L"title-prompt"), kTitlePrompt);
  app.Type(L"T");
  app.Press(VK_RETURN);
  const MessageBoxSeen failure = Seen(L"Error", kOk, L"page-not-written");
  const std::wstring opening =
      L"The page was not written." + kBreak + kBreak + In(L"missing\\mp3list.html") + kBreak;
  EXPECT_TRUE(failure.text.starts_with(opening)) << Narrow(Describe(failure));
  EXPECT_GT(failure.text.size(), opening.size()) << "the system's reason follows the path";
  EXPECT_EQ(failure,
            PageNotWritten(In(L"missing\\mp3list.html"), failure.text.substr(opening.size())));

  app.Retype(field::kOutputFolder, Folder());
  app.ClickMain(L"&Go");
  EXPECT_EQ(Seen(kAppTitle, kOk, L"all-done"), kAllDone);
}

TEST_F(MessageBoxes, F1WithoutTheHelpFileShowsTheProgramsHelpWindowUsableWhileTheBoxWaits) {
  Melodex& app = App();
  for (const bool helpSeenBefore : {false, true}) {
    SCOPED_TRACE(helpSeenBefore ? "the help window was open and closed before"
                                : "the help window was never open before");
    app.Alt(L'u');
    app.AnswerInputBox(L"MP3 URL", L"", /*cancel=*/true);
    const HWND box = app.Box(L"Error");
    app.Keys().PressF1();
    const HWND help = app.Window(kHelpCaption);
    EXPECT_TRUE(Visible(box)) << "the box waits for its answer";
    ASSERT_TRUE(Enabled(help)) << "the help window can be read and closed while the box is up";
    EXPECT_EQ(TextOf(ChildrenOfClass(help, L"Static").at(1)), HelpTextShown());
    app.Click(help, L"&Ok");
    app.WaitForHidden(help, L"the help window");
    app.Activate(box);
    app.Answer(box, kOk);
    app.ExpectNoBox();
    EXPECT_EQ(app.FrontAsLeft(), app.Main());
  }
}

TEST_F(MessageBoxes, AfterTheHelpWindowsOkTheBoxIsStillInFrontOfTheMainWindow) {
  Melodex& app = App();
  app.Alt(L'u');
  app.AnswerInputBox(L"MP3 URL", L"", /*cancel=*/true);
  const HWND box = app.Box(L"Error");
  app.Keys().PressF1();
  const HWND help = app.Window(kHelpCaption);
  app.Click(help, L"&Ok");
  app.WaitForHidden(help, L"the help window");
  // The main window is brought forward, and the box it waits for with it: the box is the
  // active window, the one the keyboard goes to.
  EXPECT_EQ(app.FrontAsLeft(), box) << Narrow(app.Windows());
  // The box is still to be answered, so it must still be where the user can click it.
  const HWND ok = BoxButton(box, kOk);
  const HWND there = WindowFromPoint(Centre(ScreenRect(ok)));
  EXPECT_EQ(there, ok) << "in front of the box's OK button: " << Narrow(Describe(there))
                       << "; the box is hidden behind the main window, which it keeps disabled";
  app.Activate(box);  // as through the taskbar or Alt+Tab
  app.Answer(box, kOk);
}

std::set<HWND> AllWindows() {
  std::set<HWND> windows;
  EnumWindows(
      [](HWND window, LPARAM set) {
        if (IsWindowVisible(window)) reinterpret_cast<std::set<HWND>*>(set)->insert(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

TEST_F(MessageBoxes, F1WithDemoHlpBesideTheProgramOpensTheSystemHelpViewer) {
  // A copy of the program with a help file beside it.
  const std::wstring exe = In(L"program\\melodex.exe");
  MakeFolder(In(L"program"));
  CopyOver(MelodexExe(), exe);
  WriteBytes(In(L"program\\DEMO.HLP"), "not really a help file\r\n");
  Start(exe);
  Melodex& app = App();

  app.Alt(L'u');
  app.AnswerInputBox(L"MP3 URL", L"", /*cancel=*/true);
  const HWND box = app.Box(L"Error");
  const std::set<HWND> before = AllWindows();
  app.Keys().PressF1();
  // The system's help viewer, a program of its own, shows up.
  const HWND viewer = WaitFor<HWND>(
      L"a window of another program (the help viewer)",
      [&]() -> std::optional<HWND> {
        for (const HWND window : AllWindows()) {
          if (!before.contains(window) && ProcessOf(window) != app.Id() &&
              ProcessOf(window) != GetCurrentProcessId())
            return window;
        }
        return std::nullopt;
      },
      [&] { return app.Windows(); }, Milliseconds(30000));
  const DWORD viewerProcess = ProcessOf(viewer);
  auto viewerWindows = [&] {
    std::wstring shown;
    for (const HWND window : AllWindows()) {
      if (ProcessOf(window) != viewerProcess) continue;
      shown += L" [" + Describe(window);
      for (const HWND child : Children(window))
        if (ClassOf(child) == L"Static" && !TextOf(child).empty())
          shown += L" saying " + Quoted(TextOf(child));
      shown += L"]";
    }
    return shown;
  };
  // The viewer was given the help file: it names it, in its window or in a box about it.
  WaitUntil(
      L"the help viewer to name DEMO.HLP",
      [&] { return viewerWindows().find(L"DEMO.HLP") != std::wstring::npos; },
      [&] { return viewerWindows(); }, Milliseconds(30000));
  const std::wstring shown = viewerWindows();
  std::cout << "F1 with DEMO.HLP beside the program showed:" << Narrow(shown) << "\n";
  RecordProperty("help_viewer", Narrow(shown));
  // The program waits for the viewer meanwhile, so no waiting for the program here.
  melodex::testing::SaveWindowPng(viewer, melodex::testing::ScreenshotPath(L"e2e-help-viewer.png"));

  // The viewer's boxes answered (a click on each one's button, posted as BM_CLICK since they
  // belong to another program) until the program is done with the viewer and goes on.
  WaitUntil(
      L"the program to go on once the help viewer's boxes are answered",
      [&] {
        for (const HWND window : AllWindows()) {
          if (ProcessOf(window) != viewerProcess || !IsBox(window)) continue;
          const std::vector<HWND> buttons = ChildrenOfClass(window, L"Button");
          if (!buttons.empty()) PostMessageW(buttons[0], BM_CLICK, 0, 0);
        }
        return app.TakesMessages(Milliseconds(100));
      },
      [&] { return viewerWindows(); }, Milliseconds(30000));
  app.Settle();
  const bool ownWindow = FindWindowByCaption(app.Id(), kHelpCaption) != nullptr;
  const std::wstring after = viewerWindows();
  std::cout << "Then the viewer showed:" << Narrow(after.empty() ? L" nothing" : after)
            << "\nand the program's own help window " << (ownWindow ? "showed" : "did not show")
            << "\n";
  RecordProperty("own_help_window", ownWindow ? "shown" : "not shown");
  EndProcess(viewerProcess);
  if (ownWindow) {
    const HWND help = FindWindowByCaption(app.Id(), kHelpCaption);
    app.Click(help, L"&Ok");
    app.WaitForHidden(help, L"the help window");
  }
  app.Activate(box);
  app.Answer(box, kOk);
  app.ExpectNoBox();
}

}  // namespace
}  // namespace e2e
