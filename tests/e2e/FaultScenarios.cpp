// Faults of real file systems while Melodex writes its page. Faults: a disk that fills up,
// an output folder that turns read-only, an output folder removed after "&Go" was enabled, a
// music folder on a drive that goes away, a folder of names that Windows forbids; faults.sh
// prepares each on the Linux side and runs one of these scenarios, and run any other way
// they are skipped. PageFaults: folders deeper than the old limit of paths, a page marked
// read-only and an output folder longer than the system takes, which need nothing prepared.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <vector>

#include "e2e/Expected.h"
#include "e2e/Scenario.h"
#include "e2e/driver/Files.h"
#include "e2e/driver/Process.h"
#include "e2e/driver/Waiting.h"
#include "e2e/driver/Windows.h"
#include "support/Win32Files.h"

namespace e2e {
namespace {

class FaultScenario : public Scenario {
 protected:
  // Fills the fields by typing and the address prompt, so that "&Go" is enabled.
  void Prepare(const std::wstring& music, const std::wstring& output) {
    Melodex& app = App();
    app.Retype(field::kMusicFolder, music);
    app.Retype(field::kOutputFolder, output);
    app.Retype(field::kTitle, L"Before the fault");
    app.Alt(L'u');
    app.AnswerInputBox(L"MP3 URL", L"http://example.org/");
  }

  // "&Go", and what it shows.
  MessageBoxSeen Go(const std::wstring& title) {
    App().ClickMain(L"&Go");
    return App().AnswerMessageBox(title, kOk);
  }

  // The failure as the program reports it, with the system's reason (whatever its words)
  // taken from what it showed.
  void ExpectFailureNaming(const MessageBoxSeen& seen, const std::wstring& path) {
    const std::wstring opening = L"The page was not written." + kBreak + kBreak + path + kBreak;
    ASSERT_TRUE(seen.text.starts_with(opening)) << Narrow(Describe(seen));
    EXPECT_GT(seen.text.size(), opening.size()) << "the reason follows the path";
    EXPECT_EQ(seen, PageNotWritten(path, seen.text.substr(opening.size())));
  }

  // Puts the text on the clipboard and pastes it over the text box's content, as Ctrl+A and
  // Ctrl+V would (keys posted from outside carry no Ctrl).
  void PasteInto(Place place, const std::wstring& text) {
    const HWND owner =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    ASSERT_TRUE(SetClipboardData(CF_UNICODETEXT, memory));
    CloseClipboard();
    DestroyWindow(owner);
    const HWND box = App().Field(place);
    App().Click(box);
    PostMessageW(box, EM_SETSEL, 0, -1);
    PostMessageW(box, WM_PASTE, 0, 0);
    App().Settle();
    WaitUntil(
        L"the text box to hold the pasted text", [&] { return App().Text(place) == text; },
        [&] { return std::to_wstring(App().Text(place).size()) + L" characters"; });
  }

  void ExpectStillRunning() {
    App().Settle();
    EXPECT_TRUE(App().Program().Running()) << "the program is still there";
    EXPECT_TRUE(Process::Responsive(App().Main(), 2000)) << "and answers";
  }
};

class Faults : public FaultScenario {
 protected:
  void SetUp() override {
    drive_ = Environment(L"MELODEX_E2E_FAULT_DRIVE");
    control_ = WindowsPath(Environment(L"MELODEX_E2E_FAULT_CONTROL"));
    if (control_.empty()) GTEST_SKIP() << "a fault scenario runs only through tests/e2e/faults.sh";
    Scenario::SetUp();
  }

  // Asks faults.sh for a change of the file system now; empty when done, else why not.
  std::wstring Request(const std::wstring& action) {
    WriteBytes(control_ + L"\\" + action + L".request", "");
    const std::wstring done = control_ + L"\\" + action + L".done";
    WaitUntil(
        L"the Linux side to carry out " + Quoted(action), [&] { return Exists(done); },
        [] { return L"no answer"; }, Milliseconds(30000));
    const std::string answer = ReadBytes(done).value_or("");
    return answer.starts_with("ok") ? L"" : std::wstring(answer.begin(), answer.end());
  }

  std::wstring drive_;
  std::wstring control_;
};

TEST_F(Faults, TheDiskFillsDuringTheRun) {
  Melodex& app = App();
  const std::wstring out = drive_ + L"\\out";
  MakeFolder(out);
  MakeMusic(L"few", {L"01_First.mp3", L"02_Second.mp3"});
  // A page of this folder is several times larger than the 128 KiB of the drive.
  std::vector<std::wstring> names;
  for (int i = 0; i < 1500; ++i)
    names.push_back(L"Track " + std::to_wstring(1000 + i) +
                    L" - a rather long title so that the page grows quickly.mp3");
  MakeMusic(L"many", names);

  Prepare(In(L"few"), out);
  EXPECT_EQ(Go(kAppTitle), kAllDone);
  const auto before = ReadBytes(out + L"\\mp3list.html");
  ASSERT_TRUE(before.has_value());

  app.Retype(field::kMusicFolder, In(L"many"));
  app.ClickMain(L"&Go");
  const HWND box = app.Box(L"Error");
  app.Snapshot(box, L"e2e-box-disk-full");
  ExpectFailureNaming(app.AnswerMessageBox(L"Error", kOk), out + L"\\mp3list.html");
  EXPECT_EQ(ReadBytes(out + L"\\mp3list.html"), before) << "the previous page is untouched";
  EXPECT_EQ(ListFolder(out), std::vector<std::wstring>{L"mp3list.html"})
      << "no temporary file left";
  ExpectStillRunning();

  // Room again (a smaller page): it writes.
  app.Retype(field::kMusicFolder, In(L"few"));
  app.Retype(field::kTitle, L"After the fault");
  EXPECT_EQ(Go(kAppTitle), kAllDone);
  EXPECT_NE(ReadBytes(out + L"\\mp3list.html"), before);
}

TEST_F(Faults, TheOutputFolderTurnsReadOnly) {
  Melodex& app = App();
  const std::wstring out = drive_ + L"\\out";
  MakeFolder(out);
  MakeMusic(L"music", {L"01_First.mp3"});
  Prepare(In(L"music"), out);
  EXPECT_EQ(Go(kAppTitle), kAllDone);
  const auto before = ReadBytes(out + L"\\mp3list.html");
  ASSERT_TRUE(before.has_value());

  const std::wstring refused = Request(L"remount-ro");
  if (!refused.empty())
    GTEST_SKIP() << "the machine refuses a read-only remount: " << Narrow(refused);
  app.Retype(field::kTitle, L"After the fault");
  ExpectFailureNaming(Go(L"Error"), out + L"\\mp3list.html");
  EXPECT_EQ(ReadBytes(out + L"\\mp3list.html"), before) << "the previous page is untouched";
  EXPECT_EQ(ListFolder(out), std::vector<std::wstring>{L"mp3list.html"})
      << "no temporary file left";
  ExpectStillRunning();
}

TEST_F(Faults, TheOutputFolderIsRemovedAfterGoWasEnabled) {
  Melodex& app = App();
  MakeMusic(L"music", {L"01_First.mp3"});
  const std::wstring out = In(L"out");
  MakeFolder(out);
  // Chosen in the picker, which enables "&Go".
  app.Alt(L'u');
  app.AnswerInputBox(L"MP3 URL", L"http://example.org/");
  app.Retype(field::kMusicFolder, In(L"music"));
  app.ClickMain(L"&Output Directory");
  const HWND picker = app.Window(kPickerCaption);
  app.OpenFolder(picker, L"out");
  app.Click(picker, L"&Ok");
  app.WaitForHidden(picker, L"the picker");
  ASSERT_TRUE(Enabled(app.Control(app.Main(), L"&Go")));

  RemoveTree(out);
  ASSERT_FALSE(Exists(out));
  const std::vector<std::wstring> around = ListFolder(Folder());
  app.ClickMain(L"&Go");
  app.AnswerInputBox(L"Title", L"Gone");  // no title yet: it asks first
  ExpectFailureNaming(app.AnswerMessageBox(L"Error", kOk), out + L"\\mp3list.html");
  EXPECT_FALSE(Exists(out)) << "the folder is not made again";
  EXPECT_EQ(ListFolder(Folder()), around) << "nothing is written beside it";
  ExpectStillRunning();
}

TEST_F(Faults, TheMusicFolderIsOnADriveThatGoesAway) {
  Melodex& app = App();
  const std::wstring letter(1, static_cast<wchar_t>(std::towlower(drive_[0])));
  MakeFolder(drive_ + L"\\music");
  for (const wchar_t* name : {L"01_First.mp3", L"02_Second.mp3"})
    WriteBytes(drive_ + L"\\music\\" + name, "");
  const std::wstring out = In(L"out");
  MakeFolder(out);

  // The music folder picked on its drive.
  app.ClickMain(L"MP3 &Directory");
  const HWND picker = app.Window(kPickerCaption);
  app.PickDrive(picker, letter + L":");
  app.OpenFolder(picker, L"music");
  app.Click(picker, L"&Ok");
  app.WaitForHidden(picker, L"the picker");
  const std::wstring music = drive_ + L"\\music";
  ASSERT_EQ(app.Text(field::kMusicFolder), music);
  app.Retype(field::kOutputFolder, out);
  app.Retype(field::kTitle, L"Before the fault");
  app.Alt(L'u');
  app.AnswerInputBox(L"MP3 URL", L"http://example.org/");
  EXPECT_EQ(Go(kAppTitle), kAllDone);
  const auto before = ReadBytes(out + L"\\mp3list.html");
  ASSERT_TRUE(before.has_value());
  ASSERT_NE(before->find("02_Second.mp3"), std::string::npos);

  const std::wstring refused = Request(L"drive-away");
  if (!refused.empty()) GTEST_SKIP() << "the drive cannot be taken away: " << Narrow(refused);
  app.Retype(field::kTitle, L"After the fault");
  app.ClickMain(L"&Go");
  const HWND box = WaitFor<HWND>(
      L"a box after \"&Go\"",
      [&]() -> std::optional<HWND> {
        for (const HWND window : TopLevelWindows(app.Id()))
          if (IsBox(window)) return window;
        return std::nullopt;
      },
      [&] { return app.Windows(); });
  app.Settle();  // the program is done showing it
  const MessageBoxSeen seen = ReadMessageBox(box);
  app.Answer(box, kOk);
  EXPECT_EQ(seen.title, L"Error") << "the music folder cannot be searched, yet the program said "
                                  << Narrow(Describe(seen));
  EXPECT_NE(seen.text.find(music), std::wstring::npos) << "the message names the music folder";
  EXPECT_EQ(ReadBytes(out + L"\\mp3list.html"), before)
      << "the page of the music that can no longer be read replaced the previous page";
  EXPECT_EQ(ListFolder(out), std::vector<std::wstring>{L"mp3list.html"})
      << "no temporary file left";
  ExpectStillRunning();

  // The picker: the drive is still listed, but cannot be read.
  app.ClickMain(L"MP3 &Directory");
  app.Window(kPickerCaption);
  app.PickDrive(picker, L"c:");
  WaitUntil(
      L"the picker to show drive C:", [&] { return app.ShownPath(picker) == Folder(); },
      [&] { return Quoted(app.ShownPath(picker)); });
  app.PickDrive(picker, letter + L":");
  EXPECT_EQ(app.AnswerMessageBox(L"Error", kOk),
            (MessageBoxSeen{
                L"Error", L"Drive " + letter + L": is not ready.", {kOk}, BoxIcon::Critical, kOk}));
  app.Settle();
  EXPECT_EQ(app.ShownPath(picker), Folder()) << "the picker stays where it was";
  EXPECT_TRUE(
      ListEntries(app.DriveList(picker))[ListSelection(app.DriveList(picker))].starts_with(L"c:"))
      << "and its drive list goes back to the drive it showed";
  ExpectStillRunning();
}

TEST_F(Faults, NamesWindowsForbidsCannotBreakThePage) {
  // faults.sh made these names on the Linux side, on the fault's drive; a link line holds
  // none of their quotes, brackets or line breaks raw.
  struct Link {
    std::wstring name;
    std::wstring line;
  };
  const std::wstring base = L"http://example.org/";
  const std::vector<Link> links = {
      {L"x\" onmouseover=\"alert(1)\" y=\".mp3",
       LinkLine(base + L"x%22 onmouseover=%22alert(1)%22 y=%22.mp3",
                L"x&quot; onmouseover=&quot;alert1&quot; y=&quot;")},
      {L"a<b>.mp3", LinkLine(base + L"a%3Cb%3E.mp3", L"a&lt;b&gt;")},
      {L"<script>x.mp3", LinkLine(base + L"%3Cscript%3Ex.mp3", L"&lt;script&gt;x")},
      {L"q?x.mp3", LinkLine(base + L"q%3Fx.mp3", L"q&#63;x")},
      {L"new\nline.mp3", LinkLine(base + L"new%0Aline.mp3", L"new&#10;line")},
      {L"tab\tx.mp3", LinkLine(base + L"tab%09x.mp3", L"tab&#9;x")},
      {L"star*pipe|colon:.mp3",
       LinkLine(base + L"star%2Apipe%7Ccolon%3A.mp3", L"star&#42;pipe&#124;colon&#58;")},
      {L"back\\slash.mp3", LinkLine(base + L"back%5Cslash.mp3", L"back&#92;slash")},
      {L"cc\u0080.mp3", LinkLine(base + L"cc%C2%80.mp3", L"cc&#65533;")},
  };
  const std::wstring out = In(L"out");
  MakeFolder(out);
  Prepare(drive_ + L"\\", out);
  App().Retype(field::kTitle, L"Names");
  EXPECT_EQ(Go(kAppTitle), kAllDone);

  // The links stand in the order the folder keeps the names.
  std::vector<std::wstring> expected;
  for (const std::wstring& name : ListFolder(drive_, L"*.mp3")) {
    const auto link = std::ranges::find(links, name, &Link::name);
    if (link == links.end()) {
      ADD_FAILURE() << "a name the scene did not make: " << Narrow(name);
      continue;
    }
    expected.push_back(link->line);
  }
  EXPECT_EQ(expected.size(), links.size()) << "Wine shows every name the Linux side made";
  EXPECT_EQ(ReadBytes(out + L"\\mp3list.html"), PageBytes({.title = L"Names"}, expected));
}

class PageFaults : public FaultScenario {
 protected:
  // Nested folders from `top` down to a path of exactly `length` characters, made from
  // outside; the names below `top`, in order.
  static std::vector<std::wstring> MakeDeepFolder(const std::wstring& top, std::size_t length) {
    std::vector<std::wstring> names;
    std::wstring folder = top;
    MakeFolder(folder);
    for (wchar_t letter = L'a'; folder.size() < length; ++letter) {
      std::size_t room = length - folder.size() - 1;
      if (room > 100) room = std::min<std::size_t>(100, room - 2);  // leaves room for one more
      names.emplace_back(room, letter);
      folder += L"\\" + names.back();
      MakeFolder(folder);
    }
    return names;
  }

  static std::wstring Joined(std::wstring folder, const std::vector<std::wstring>& names) {
    for (const std::wstring& name : names) folder += L"\\" + name;
    return folder;
  }

  // Both folders chosen in the picker, folder by folder, and a page written over an old one.
  void WriteThePageIntoFoldersOf(std::size_t length) {
    Melodex& app = App();
    const std::vector<std::wstring> musicNames = MakeDeepFolder(In(L"m"), length);
    const std::vector<std::wstring> outNames = MakeDeepFolder(In(L"o"), length);
    const std::wstring music = Joined(In(L"m"), musicNames);
    const std::wstring out = Joined(In(L"o"), outNames);
    ASSERT_EQ(music.size(), length);
    ASSERT_EQ(out.size(), length);
    for (const wchar_t* name : {L"01_First.mp3", L"02_Second.mp3"})
      WriteBytes(music + L"\\" + name, "");
    const std::wstring page = out + L"\\mp3list.html";
    WriteBytes(page, "the old page\r\n");

    app.ClickMain(L"MP3 &Directory");
    const HWND picker = app.Window(kPickerCaption);
    app.OpenFolder(picker, L"m");
    for (const std::wstring& name : musicNames) app.OpenFolder(picker, name);
    app.Click(picker, L"&Ok");
    app.WaitForHidden(picker, L"the picker");
    EXPECT_EQ(app.Text(field::kMusicFolder), music);

    app.ClickMain(L"&Output Directory");
    app.Window(kPickerCaption);
    EXPECT_EQ(app.ShownPath(picker), music) << "the picker opens where it was left";
    app.OpenFolder(picker, Folder().substr(Folder().find_last_of(L'\\') + 1));
    app.OpenFolder(picker, L"o");
    for (const std::wstring& name : outNames) app.OpenFolder(picker, name);
    app.Click(picker, L"&Ok");
    app.WaitForHidden(picker, L"the picker");
    EXPECT_EQ(app.Text(field::kOutputFolder), out);

    app.Retype(field::kTitle, L"Deep");
    app.Alt(L'u');
    app.AnswerInputBox(L"MP3 URL", L"http://example.org/");
    EXPECT_EQ(Go(kAppTitle), kAllDone);
    std::vector<std::wstring> links;
    for (const std::wstring& name : ListFolder(music, L"*.mp3")) {
      links.push_back(LinkLine(L"http://example.org/" + name,
                               name == L"01_First.mp3" ? L" First" : L" Second"));
    }
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(ReadBytes(page), PageBytes({.title = L"Deep"}, links)) << "the old page replaced";
    EXPECT_EQ(ListFolder(out), std::vector<std::wstring>{L"mp3list.html"})
        << "no temporary file left";
  }
};

TEST_F(PageFaults, FoldersOf300Characters) { WriteThePageIntoFoldersOf(300); }

TEST_F(PageFaults, FoldersOf1000Characters) { WriteThePageIntoFoldersOf(1000); }

TEST_F(PageFaults, APageMarkedReadOnlyIsNotReplaced) {
  MakeMusic(L"music", {L"01_First.mp3"});
  const std::wstring out = In(L"out");
  MakeFolder(out);
  const std::wstring page = out + L"\\mp3list.html";
  WriteBytes(page, "the old page\r\n");
  ASSERT_TRUE(SetFileAttributesW(page.c_str(), FILE_ATTRIBUTE_READONLY));  // as attrib +r does
  Prepare(In(L"music"), out);

  EXPECT_EQ(Go(L"Error"),
            PageNotWritten(page, melodex::testing::SystemReason(ERROR_ACCESS_DENIED)));
  EXPECT_EQ(ReadBytes(page), "the old page\r\n");
  EXPECT_TRUE(GetFileAttributesW(page.c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(ListFolder(out), std::vector<std::wstring>{L"mp3list.html"})
      << "no temporary file left";
  ExpectStillRunning();
}

// A path of 32,768 characters more than the decoy's would lead some systems (Wine, which
// counts its length in bytes round at 65,536) to the decoy: the page would replace it, its
// temporary page landing on "decoyabc" first. An output folder that long is refused before
// anything is written, with the program's error box.
TEST_F(PageFaults, AnOutputFolderLongerThanTheSystemTakesIsRefused) {
  MakeMusic(L"music", {L"01_First.mp3"});
  const std::wstring out = In(L"out");
  MakeFolder(out);
  Prepare(In(L"music"), out);
  EXPECT_EQ(Go(kAppTitle), kAllDone);
  const auto page = ReadBytes(out + L"\\mp3list.html");
  ASSERT_TRUE(page.has_value());
  const std::wstring decoy = In(L"decoy");
  WriteBytes(decoy, "decoy\r\n");
  const std::vector<std::wstring> around = ListFolder(Folder());

  const std::wstring pageName = L"\\mp3list.html";
  std::wstring folder = decoy + L"abc";
  while (folder.size() + pageName.size() < decoy.size() + 32768) {
    const std::size_t room = decoy.size() + 32768 - pageName.size() - folder.size();
    folder += L"\\" + std::wstring((room >= 103 ? 101 : room) - 1, L'x');
  }
  ASSERT_EQ(folder.size() + pageName.size(), decoy.size() + 32768);
  // Pasted, as a person would enter a path this long.
  PasteInto(field::kOutputFolder, folder);

  // The box is wider than the screen, which keeps its icon out of sight; the rest is read.
  const MessageBoxSeen seen = Go(L"Error");
  const MessageBoxSeen expected =
      PageNotWritten(folder + pageName, melodex::testing::SystemReason(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_TRUE(seen.text == expected.text)
      << "the box reads " << Narrow(seen.text.substr(0, 200)) << "...";
  EXPECT_EQ(seen.buttons, expected.buttons);
  EXPECT_EQ(seen.defaultButton, expected.defaultButton);
  EXPECT_EQ(ReadBytes(decoy), "decoy\r\n");
  EXPECT_EQ(ReadBytes(out + L"\\mp3list.html"), page) << "the last page stays as it was";
  EXPECT_EQ(ListFolder(Folder()), around) << "nothing written beside the decoy";
  ExpectStillRunning();
}

}  // namespace
}  // namespace e2e
