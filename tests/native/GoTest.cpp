// "&Go" run through the main window: the title it asks for, and what it tells the user.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/InMemoryProgram.h"
#include "support/PageExample.h"

namespace melodex::testing {
namespace {

// "&Go" with the folders filled in and enabled, as the readiness test leaves it.
class GoTest : public ProgramTest {
 protected:
  GoTest() {
    files.AddFolder(L"C:\\MP3");
    files.AddFolder(L"C:\\Out");
    Main().Text1.OnUserEdit(L"C:\\MP3");
    Main().Text10.OnUserEdit(L"music/");
    Main().Text11.OnUserEdit(L"C:\\Out");
    Main().Command2.SetEnabled(true);
  }
  std::string Page() { return files.ReadFile(L"C:\\Out\\mp3list.html").value_or("<no page>"); }
};

TEST_F(GoTest, WritesAnUntitledPageWhenTheTitleBoxIsCancelledAndAsksAgainNextTime) {
  Main().Command2.Press();

  EXPECT_EQ(Main().Text8.Text(), L"");
  EXPECT_TRUE(Page().starts_with(ExpectedHead("")));
  EXPECT_EQ(dialogs.MessageTexts(), std::vector<std::wstring>{L"All Done, Page is Ready!"});

  dialogs.shown.clear();
  Main().Command2.Press();
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_TRUE(dialogs.shown[0].isInputBox);
}

TEST_F(GoTest, TakesATitleOfBlanksWithoutAsking) {
  Main().Text8.OnUserEdit(L" ");

  Main().Command2.Press();

  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(Page().starts_with(ExpectedHead(" ")));
}

// Each failure leaves the older page as it was, no temporary file, and a message that names
// the path and the system's reason instead of the completion message.
TEST(GoFailureTest, ReportsEveryFailureAndKeepsTheOlderPage) {
  struct Case {
    const char* name;
    std::function<void(InMemoryFileSystem&)> stage;
    std::wstring outputFolder, path, reason;
  } cases[] = {
      {"output folder missing", [](auto&) {}, L"C:\\Gone", L"C:\\Gone\\mp3list.html",
       kReasonPathNotFound},
      {"output folder read-only", [](auto& f) { f.DenyWrites(L"C:\\Out"); }, L"C:\\Out",
       L"C:\\Out\\mp3list.html", kReasonAccessDenied},
      {"disk full during the run", [](auto& f) { f.SetCapacity(L"C:", 400); }, L"C:\\Out",
       L"C:\\Out\\mp3list.html", kReasonDiskFull},
      {"music drive not ready", [](auto& f) { f.SetReady(L"M:", false); }, L"C:\\Out",
       L"M:\\Music\\*.mp3", kReasonNotReady},
      {"music on a share that is gone", [](auto&) {}, L"C:\\Out", L"\\\\gone\\music\\*.mp3",
       kReasonPathNotFound},
      {"output drive not ready", [](auto& f) { f.SetReady(L"C:", false); }, L"C:\\Out",
       L"C:\\Out\\mp3list.html", kReasonNotReady},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    InMemoryProgram program;
    InMemoryFileSystem& fs = program.files;
    fs.AddFolder(L"C:\\Out");
    fs.AddFile(L"C:\\Out\\mp3list.html", "the older page\r\n");
    fs.AddRoot(L"M:");
    fs.AddFolder(L"M:\\Music");
    for (int i = 0; i < 50; ++i) fs.AddFile(L"M:\\Music\\track " + std::to_wstring(i) + L".mp3");
    c.stage(fs);
    Form1& f = program.Main();
    f.Text1.OnUserEdit(c.path.starts_with(L"\\\\") ? L"\\\\gone\\music" : L"M:\\Music");
    f.Text11.OnUserEdit(c.outputFolder);
    f.Text8.OnUserEdit(L"My Songs");
    f.Command2.SetEnabled(true);

    f.Command2.Press();

    fs.SetReady(L"C:", true);
    EXPECT_EQ(fs.ReadFile(L"C:\\Out\\mp3list.html"), "the older page\r\n");
    EXPECT_EQ(fs.ListFolder(L"C:\\Out"), std::vector<std::wstring>{L"mp3list.html"});
    ASSERT_EQ(program.dialogs.shown.size(), 1u);
    EXPECT_EQ(program.dialogs.shown[0].message,
              (MessageBoxRequest{
                  .text = L"The page was not written.\n\r\n\r" + c.path + L"\n\r" + c.reason,
                  .title = L"Error",
                  .icon = MessageIcon::Critical,
                  .helpFile = L"DEMO.HLP",
                  .helpContext = 1000}));
  }
}

}  // namespace
}  // namespace melodex::testing
