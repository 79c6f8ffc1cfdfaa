// The help window driven from outside: its text, one window however often it is asked for,
// and "&Ok" back to the main window.
#include <gtest/gtest.h>

#include "e2e/Expected.h"
#include "e2e/Scenario.h"
#include "e2e/driver/Waiting.h"
#include "e2e/driver/Windows.h"

namespace e2e {
namespace {

class HelpWindow : public Scenario {};

TEST_F(HelpWindow, ShowsTheHelpTextOnceHoweverOftenItIsAskedFor) {
  Melodex& app = App();
  app.Retype(field::kTitle, L"kept");
  app.Menu(L'h', L'e');
  const HWND help = app.Window(kHelpCaption);
  const std::vector<HWND> labels = ChildrenOfClass(help, L"Static");
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(TextOf(labels[0]), L"Help? Do you Need help?");
  EXPECT_EQ(TextOf(labels[1]), HelpTextShown());
  EXPECT_EQ(ChildrenOfClass(help, L"Button").size(), 1u);
  app.Snapshot(help, L"e2e-help-window");

  app.Activate(app.Main());
  app.Menu(L'h', L'e');
  WaitUntil(
      L"the help window to come to the front",
      [&] { return ActiveOf(app.Program().MainThread()) == help; }, [&] { return app.Windows(); });
  int shown = 0;
  for (const HWND window : TopLevelWindows(app.Id())) shown += TextOf(window) == kHelpCaption;
  EXPECT_EQ(shown, 1);

  app.Click(help, L"&Ok");
  app.WaitForHidden(help, L"the help window");
  EXPECT_EQ(app.FrontAsLeft(), app.Main()) << "the main window comes forward";
  EXPECT_EQ(app.Text(field::kTitle), L"kept");
  app.ExpectNoBox();
}

}  // namespace
}  // namespace e2e
