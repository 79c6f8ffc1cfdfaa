// The folder picker, the colour chooser and the help window as real windows.
#include <string>
#include <vector>

#include "support/Screenshot.h"
#include "ui/dialogs/Form2.h"
#include "ui/dialogs/Form3.h"
#include "ui/dialogs/Form4.h"
#include "win32/RealWindows.h"

namespace melodex::testing {
namespace {

// Whether any pixel of the screen's rectangle, or of the control as the screen shows it, has
// exactly that colour.
bool ShowsColour(const RECT& r, COLORREF colour) {
  const HDC screen = GetDC(nullptr);
  bool found = false;
  for (int y = r.top; y < r.bottom && !found; ++y) {
    for (int x = r.left; x < r.right && !found; ++x) found = GetPixel(screen, x, y) == colour;
  }
  ReleaseDC(nullptr, screen);
  return found;
}
bool ShowsColour(HWND control, COLORREF colour) {
  RECT r;
  GetWindowRect(control, &r);
  return ShowsColour(r, colour);
}

std::string NameOf(const ui::Control* control) {
  return std::string(control ? control->Name() : "(none)");
}

// A scratch tree to pick folders from, and the process standing in it.
class FolderPickerWin32Test : public RealWindows {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    GetCurrentDirectoryW(MAX_PATH, previous_);
    root_ = std::wstring(temp) + L"melodex-picker-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(root_.c_str(), nullptr);
    CreateDirectoryW((root_ + L"\\Music").c_str(), nullptr);
    CloseHandle(CreateFileW((root_ + L"\\Music\\01_Intro.mp3").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr));
    SetCurrentDirectoryW(root_.c_str());
    wchar_t full[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, full);  // as the system spells it
    root_ = full;
    RealWindows::SetUp();
  }
  void TearDown() override {
    RealWindows::TearDown();
    SetCurrentDirectoryW(previous_);
    DeleteFileW((root_ + L"\\Music\\01_Intro.mp3").c_str());
    RemoveDirectoryW((root_ + L"\\Music").c_str());
    RemoveDirectoryW(root_.c_str());
  }

  // Double-clicks the entry of the real folder list that reads `name`.
  void DoubleClickFolder(HWND list, const std::wstring& name) {
    const int index = static_cast<int>(
        SendMessageW(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(name.c_str())));
    ASSERT_GE(index, 0) << "no entry " << ::testing::PrintToString(name);
    RECT item;
    SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
      PostMessageW(list, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
    }
    windows.PumpPending();
  }

  std::wstring root_;
  wchar_t previous_[MAX_PATH] = L"";
};

TEST_F(FolderPickerWin32Test, DoubleClicksOpenAFolderAndOkFillsTheMusicFolder) {
  Click(Main().Command1);
  Form2& picker = app.FolderPicker();
  ASSERT_TRUE(IsWindowVisible(Real(picker)));
  EXPECT_EQ(TextOf(Real(picker)), L"MP3 dir");
  const HWND list = Real(picker.Dir1);

  SendMessageW(list, LB_SETCURSEL, 0, 0);
  DoubleClickFolder(list, L"Music");
  EXPECT_EQ(picker.Dir1.Path(), root_ + L"\\Music");
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0),
            static_cast<LRESULT>(picker.Dir1.Entries().size()));
  EXPECT_TRUE(SaveWindowPng(
      Real(picker),
      ScreenshotPath(L"folder-picker-" + std::to_wstring(ExpectedDpi()) + L"dpi.png")));
  RECT top;  // the top folder's outline stands a little in from the list's edge
  SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&top));
  MapWindowPoints(list, HWND_DESKTOP, reinterpret_cast<POINT*>(&top), 2);
  const int in = MulDiv(2, static_cast<int>(GetDpiForWindow(list)), 96);
  EXPECT_FALSE(ShowsColour({top.left, top.top, top.left + in, top.bottom}, RGB(128, 96, 0)));
  EXPECT_TRUE(
      ShowsColour({top.left + in, top.top, top.left + in + 1, top.bottom}, RGB(128, 96, 0)));
  const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  EXPECT_TRUE(ShowsColour(top, text)) << "its name";
  EXPECT_FALSE(ShowsColour({top.left, top.top, top.left + in, top.bottom}, text)) << "no focus";

  Click(picker.Command1);
  EXPECT_EQ(Main().Text1.Text(), root_ + L"\\Music");
  EXPECT_EQ(TextOf(Real(Main().Text1)), root_ + L"\\Music");
  EXPECT_FALSE(IsWindowVisible(Real(picker)));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(FolderPickerWin32Test, ADriveFromTheListFillsTheOutputFolder) {
  Click(Main().Command13);
  Form2& picker = app.FolderPicker();
  const HWND box = Real(picker.Drive1);
  ASSERT_GE(SendMessageW(box, CB_GETCOUNT, 0, 0), 2) << "Wine has at least C: and Z:";
  Focus(picker.Drive1);
  EXPECT_EQ(picker.Focused(), &picker.Drive1);
  const LRESULT before = SendMessageW(box, CB_GETCURSEL, 0, 0);
  // The box's entries are put in anew when, and only when, they differ from the model's.
  const std::wstring current = picker.Drive1.Drive();
  SendMessageW(box, CB_SETITEMDATA, 0, 42);
  picker.Drive1.SetDrive(picker.Drive1.Entries()[before == 0 ? 1 : 0].drive);
  EXPECT_EQ(SendMessageW(box, CB_GETITEMDATA, 0, 0), 42);
  SendMessageW(box, CB_DELETESTRING, 0, 0);
  SendMessageW(box, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(L"?"));
  picker.Drive1.SetDrive(current);
  std::wstring first(static_cast<std::size_t>(SendMessageW(box, CB_GETLBTEXTLEN, 0, 0)), L'\0');
  first.resize(static_cast<std::size_t>(
      SendMessageW(box, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first.data()))));
  EXPECT_EQ(first, picker.Drive1.Entries()[0].text);

  Key(VK_DOWN);  // the closed box steps to the next drive

  const LRESULT after = SendMessageW(box, CB_GETCURSEL, 0, 0);
  ASSERT_EQ(after, before + 1);
  const std::wstring drive = TextOf(box).substr(0, 2);  // "z:"
  EXPECT_EQ(DriveOf(picker.Dir1.Path()),
            std::wstring(1, static_cast<wchar_t>(towupper(drive[0]))) + L":");
  // Arrows in the open list pick nothing until Enter closes it.
  SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
  Key(VK_UP);
  EXPECT_EQ(picker.Drive1.ListIndex(), after);
  Key(VK_RETURN);
  EXPECT_EQ(picker.Drive1.ListIndex(), before);
  // Opened again, the list shows a drive that has come meanwhile.
  ASSERT_FALSE(GetLogicalDrives() & (1u << (L'Q' - L'A')));
  ASSERT_TRUE(DefineDosDeviceW(0, L"Q:", root_.c_str()));
  SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_GE(SendMessageW(box, CB_FINDSTRING, -1, reinterpret_cast<LPARAM>(L"q:")), 0);
  SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
  DefineDosDeviceW(DDD_REMOVE_DEFINITION, L"Q:", nullptr);
  Click(picker.Command1);
  EXPECT_EQ(Main().Text11.Text(), picker.Dir1.Path());
  EXPECT_FALSE(IsWindowVisible(Real(picker)));
}

TEST_F(FolderPickerWin32Test, EnterOpensTheHighlightedFolder) {
  Click(Main().Command1);
  Form2& picker = app.FolderPicker();
  const HWND list = Real(picker.Dir1);
  // The lists show the model's enabled state, as every control does.
  for (ui::Control* lists : std::initializer_list<ui::Control*>{&picker.Dir1, &picker.Drive1}) {
    lists->SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(Real(*lists))) << lists->Name();
    lists->SetEnabled(true);
  }
  Focus(picker.Command1);
  Focus(picker.Dir1);
  EXPECT_EQ(picker.Focused(), &picker.Dir1) << "the model knows the focus";
  const int index = static_cast<int>(
      SendMessageW(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(L"Music")));
  ASSERT_GE(index, 0);
  // Made two rows high and scrolled to the open folder, the list keeps that scroll position
  // when the same folder is shown again.
  RECT outer, inner;
  GetWindowRect(list, &outer);
  GetClientRect(list, &inner);
  const auto row = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  SetWindowPos(list, nullptr, 0, 0, outer.right - outer.left,
               outer.bottom - outer.top - inner.bottom + 2 * row, SWP_NOMOVE | SWP_NOZORDER);
  SendMessageW(list, LB_SETTOPINDEX, picker.Dir1.ListIndex(), 0);
  picker.Dir1.SetPath(picker.Dir1.Path());
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), picker.Dir1.ListIndex());
  SendMessageW(list, LB_SETCURSEL, index, 0);  // and told, as the list tells of a user's choice
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));

  Key(VK_RETURN);

  EXPECT_EQ(picker.Dir1.Path(), root_ + L"\\Music");
  EXPECT_TRUE(IsWindowVisible(Real(picker))) << "Enter opened the folder; it pressed no button";
}

using ColourChooserWin32Test = RealWindows;

TEST_F(ColourChooserWin32Test, CaptionsAreDrawnInTheirOwnColoursOnGrey) {
  Click(Main().Command3);
  Form3& chooser = app.ColourChooser();
  const HWND window = Real(chooser);
  ASSERT_TRUE(IsWindowVisible(window));
  UpdateWindow(window);
  struct Case {
    const ui::OptionButton& option;
    COLORREF colour;
  } cases[] = {{chooser.Option3, RGB(255, 0, 0)},   {chooser.Option4, RGB(0, 0, 255)},
               {chooser.Option5, RGB(0, 255, 0)},   {chooser.Option6, RGB(255, 255, 0)},
               {chooser.Option7, RGB(255, 0, 255)}, {chooser.Option8, RGB(192, 192, 192)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.option.Name());
    EXPECT_TRUE(ShowsColour(Real(c.option), c.colour));
    EXPECT_TRUE(ShowsColour(Real(c.option), RGB(128, 128, 128)));
  }
  EXPECT_FALSE(ShowsColour(Real(chooser.Option1), RGB(255, 0, 0)));
  EXPECT_TRUE(SaveWindowPng(
      window, ScreenshotPath(L"colour-chooser-" + std::to_wstring(ExpectedDpi()) + L"dpi.png")));
}

TEST_F(ColourChooserWin32Test, TabAndArrowsMoveTheFocusSpaceChooses) {
  Click(Main().Command9);
  Form3& chooser = app.ColourChooser();
  Focus(chooser.Command2);
  Key(VK_TAB);
  EXPECT_EQ(NameOf(FocusedIn(chooser)), "Option1");
  EXPECT_EQ(SendMessageW(Real(chooser.Option1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_FALSE(chooser.Option1.Value()) << "the focus alone chooses no colour";

  Key(VK_SPACE);
  EXPECT_TRUE(chooser.Option1.Value());
  Key(VK_DOWN);  // arrows move among the options; Space or a click chooses
  EXPECT_EQ(NameOf(FocusedIn(chooser)), "Option2");
  EXPECT_TRUE(chooser.Option1.Value());
  Key(VK_SPACE);
  EXPECT_TRUE(chooser.Option2.Value());
  EXPECT_FALSE(chooser.Option1.Value());
  EXPECT_EQ(SendMessageW(Real(chooser.Option1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(Real(chooser.Option2), BM_GETCHECK, 0, 0), BST_CHECKED);

  Click(chooser.Option3);
  Click(chooser.Command1);
  EXPECT_EQ(Main().Text9.Text(), L"#FF0000");
  EXPECT_EQ(TextOf(Real(Main().Text9)), L"#FF0000");
  EXPECT_FALSE(IsWindowVisible(Real(chooser)));
}

using HelpWindowWin32Test = RealWindows;

TEST_F(HelpWindowWin32Test, ShowsEachPieceOnALineOfItsOwn) {
  Main().help2.Press();
  windows.PumpPending();
  Form4& help = app.HelpWindow();
  const HWND window = Real(help);
  ASSERT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(TextOf(window), L"Help!!!!!!!!!!!!!!!!!!!!!!!!!!");
  // The window system draws a line break for carriage return then line feed.
  EXPECT_EQ(TextOf(Real(help.Label2)),
            L" Ok Help is what you get...\r\n\r\n"
            L"First you Select the MP3 Dir, that must be a directory containig files with the MP3 "
            L"Extention\r\n"
            L"     (future versions have selectable extentions).\r\n\r\n"
            L"You Need to enter a valid URL to your MP3s on the web\r\n\r\n"
            L"Enter an output dir where the HTML file will be stored\r\n\r\n"
            L"Than select the colors you want to use in your Page \r\n\r\n"
            L"Give a Page title and hit GO!\r\n\r\n"
            L"That is all you have to do... aint it easy?");

  LOGFONTW font{};  // its size at each DPI: the layout test
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Real(help.Label1), WM_GETFONT, 0, 0)),
             sizeof font, &font);
  EXPECT_EQ(font.lfWeight, FW_BOLD);
  EXPECT_TRUE(font.lfItalic && font.lfUnderline);
  const HDC dc = GetDC(window);
  const HGDIOBJ old = SelectObject(dc, CreateFontIndirectW(&font));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  EXPECT_TRUE(metrics.tmPitchAndFamily & TMPF_TRUETYPE) << "drawn smooth at every size";
  DeleteObject(SelectObject(dc, old));
  ReleaseDC(window, dc);
  UpdateWindow(window);
  EXPECT_TRUE(ShowsColour(Real(help.Label1), RGB(0, 0, 192)));
  EXPECT_TRUE(ShowsColour(Real(help.Label1), GetSysColor(COLOR_WINDOW)));
  EXPECT_TRUE(SaveWindowPng(
      window, ScreenshotPath(L"help-window-" + std::to_wstring(ExpectedDpi()) + L"dpi.png")));

  Click(help.Command1);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(GetForegroundWindow(), main);
}

}  // namespace
}  // namespace melodex::testing
