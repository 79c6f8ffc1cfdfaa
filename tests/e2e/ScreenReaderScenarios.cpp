// Every window and box read as a screen reader reads it, from outside: each control a person
// can reach has a name, and a text box is named after the words a person sees beside it.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <cstdlib>
#include <limits>
#include <set>

#include "e2e/Scenario.h"
#include "e2e/driver/Accessible.h"
#include "e2e/driver/Waiting.h"
#include "e2e/driver/Windows.h"

namespace e2e {
namespace {

// What a control's caption reads as on the screen: an "&" marks the access key and "&&"
// shows one, unless the control shows its text as it is.
std::wstring OnScreen(HWND control) {
  const std::wstring text = TextOf(control);
  if (ClassOf(control) == L"Static" && (GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX))
    return text;
  std::wstring shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return shown;
}

// The words a person reads as a text box's label: the nearest caption that starts on the
// box's row to its left, or in the box's column above it.
std::wstring LabelOf(HWND box, HWND window) {
  constexpr long kTouching = 2;  // pixels by which neighbours may overlap or stand out of line
  const RECT r = ScreenRect(box);
  long nearest = std::numeric_limits<long>::max();
  std::wstring label = L"(none)";
  for (const HWND other : Children(window)) {
    const std::wstring kind = ClassOf(other);
    if (other == box || !IsWindowVisible(other) || (kind != L"Button" && kind != L"Static") ||
        TextOf(other).empty())
      continue;
    const RECT o = ScreenRect(other);
    long gap = nearest;
    if (o.right <= r.left + kTouching && std::abs(o.top - r.top) <= kTouching) {
      gap = r.left - o.right;
    } else if (o.bottom <= r.top + kTouching && std::abs(o.left - r.left) <= kTouching) {
      gap = r.top - o.bottom;
    }
    if (gap < nearest) {
      nearest = gap;
      label = OnScreen(other);
    }
  }
  return label;
}

class ScreenReader : public Scenario {
 protected:
  // Reads every control of the window that the keyboard or the mouse can reach.
  void ExpectEveryControlNamed(HWND window, const std::wstring& what) {
    SCOPED_TRACE(Narrow(what));
    std::set<std::wstring> boxNames;
    int reached = 0;
    for (const HWND control : Children(window)) {
      const LONG style = GetWindowLongW(control, GWL_STYLE);
      if (!(style & WS_VISIBLE) || !(style & WS_TABSTOP) || !IsWindowEnabled(control)) continue;
      ++reached;
      const AccessibleSeen seen = ReadAccessible(control);
      const std::string described = Narrow(Describe(control) + L" read as " + Quoted(seen.name));
      EXPECT_FALSE(seen.name.empty()) << described;
      EXPECT_EQ(seen.role, StandardRole(control)) << described;
      // A list named by the entry it stands on tells nothing of what the list is for.
      const std::wstring kind = ClassOf(control);
      if (kind == L"ComboBox" || kind == L"ListBox") {
        EXPECT_NE(seen.name, TextOf(control)) << described;
      }
      if (seen.role != ROLE_SYSTEM_TEXT) continue;
      EXPECT_EQ(seen.name, LabelOf(control, window)) << described;
      EXPECT_TRUE(boxNames.insert(seen.name).second)
          << "another text box has its name; " << described;
      EXPECT_EQ(seen.value, TextOf(control)) << described;
    }
    EXPECT_GT(reached, 0) << Narrow(DescribeWindows(App().Id()));
  }
};

TEST_F(ScreenReader, EveryControlHasANameAndATextBoxIsNamedAfterItsLabel) {
  Melodex& app = App();
  const HWND main = app.Main();
  ExpectEveryControlNamed(main, L"the main window");

  app.ClickMain(L"MP3 &Directory");
  const HWND picker = app.Window(kPickerCaption);
  ExpectEveryControlNamed(picker, L"the folder picker");
  // The drive list's open list is a window of its own, which a reader reads while it is open.
  HWND openList = nullptr;
  do {
    openList = FindWindowExW(nullptr, openList, L"ComboLBox", nullptr);
  } while (openList && ProcessOf(openList) != app.Id());
  ASSERT_TRUE(openList) << "the drive list has no list window";
  EXPECT_EQ(ReadAccessible(openList).name, ReadAccessible(app.DriveList(picker)).name);
  app.Pointer().ClickCloseBox(picker);
  app.WaitForHidden(picker, L"the folder picker");

  app.Activate(main);
  app.ClickMain(L"&Back color");
  const HWND colours = app.Window(kColoursCaption);
  ExpectEveryControlNamed(colours, L"the colour chooser");
  app.Click(colours, L"&Cancel");
  app.WaitForHidden(colours, L"the colour chooser");

  app.Activate(main);
  app.Menu(L'h', L'e');
  const HWND help = app.Window(kHelpCaption);
  ExpectEveryControlNamed(help, L"the help window");
  app.Click(help, L"&Ok");
  app.WaitForHidden(help, L"the help window");

  app.Activate(main);
  app.Menu(L'h', L'a');
  const HWND about = app.Window(kAboutCaption);
  ExpectEveryControlNamed(about, L"the about box");
  app.Click(about, L"Close");
  WaitUntil(
      L"\"Close\" to close the about box", [&] { return !IsWindow(about); },
      [&] { return app.Windows(); });

  app.Activate(main);
  app.Alt(L'u');
  ExpectEveryControlNamed(app.Box(L"MP3 URL"), L"the input box");
  app.Press(VK_ESCAPE);
  const HWND error = app.Box(L"Error");
  ExpectEveryControlNamed(error, L"a message box");
  app.Answer(error, L"OK");
}

}  // namespace
}  // namespace e2e
