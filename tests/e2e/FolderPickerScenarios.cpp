// The folder picker ("MP3 dir") driven from outside: folders opened by double-clicks,
// drives picked from its list, what its "&Ok" fills and checks.
#include <gtest/gtest.h>

#include "e2e/Expected.h"
#include "e2e/Scenario.h"
#include "e2e/driver/Files.h"
#include "e2e/driver/Waiting.h"
#include "e2e/driver/Windows.h"

namespace e2e {
namespace {

// A file of the scenario's own on the test prefix's drive C:, gone again afterwards.
class ScopedFile {
 public:
  explicit ScopedFile(std::wstring path) : path_(std::move(path)) { WriteBytes(path_, ""); }
  ~ScopedFile() { DeleteFileW(path_.c_str()); }
  ScopedFile(const ScopedFile&) = delete;
  ScopedFile& operator=(const ScopedFile&) = delete;

 private:
  std::wstring path_;
};

class FolderPicker : public Scenario {
 protected:
  HWND Go() { return App().Control(App().Main(), L"&Go"); }
  HWND Open(const std::wstring& button) {
    App().ClickMain(button);
    return App().Window(kPickerCaption);
  }
  void Ok(HWND picker) { App().Click(picker, L"&Ok"); }
};

TEST_F(FolderPicker, DoubleClicksOpenFoldersAndASingleClickOnlyHighlights) {
  Melodex& app = App();
  MakeMusic(L"music", {L"a.mp3"});
  MakeFolder(In(L"music\\live"));
  const HWND picker = Open(L"MP3 &Directory");
  const HWND list = app.FolderList(picker);
  EXPECT_EQ(app.ShownPath(picker), Folder());

  // One click on "music": highlighted, not opened.
  const std::vector<std::wstring> entries = ListEntries(list);
  const auto music = std::find(entries.begin(), entries.end(), L"music") - entries.begin();
  ASSERT_LT(music, static_cast<long long>(entries.size()));
  app.Pointer().Click(Centre(ListEntryRect(list, static_cast<int>(music))));
  app.Settle();
  EXPECT_EQ(ListEntries(list), entries);
  EXPECT_EQ(ListSelection(list), music);

  app.OpenFolder(picker, L"music");
  EXPECT_EQ(app.ShownPath(picker), In(L"music"));
  EXPECT_EQ(ListEntries(list).back(), L"live") << "the sub-folders follow the open folders";
  app.OpenFolder(picker, L"live");
  app.OpenFolder(picker, L"c:\\");
  ASSERT_TRUE(ListFolder(L"C:", L"*.mp3").empty()) << "the root of C: holds no music";
  EXPECT_EQ(app.ShownPath(picker), L"C:\\");
  Ok(picker);  // a folder without MP3 files
  EXPECT_EQ(app.AnswerMessageBox(L"Error", kOk), kNoMp3s);
  EXPECT_TRUE(Visible(picker)) << "the picker stays open";
  EXPECT_EQ(app.Text(field::kMusicFolder), L"C:\\");
}

TEST_F(FolderPicker, AFolderGoneSinceItWasListedCannotBeOpenedAndThePickerStaysWhereItWas) {
  Melodex& app = App();
  MakeMusic(L"music", {L"a.mp3"});
  const HWND picker = Open(L"MP3 &Directory");
  const std::vector<std::wstring> entries = ListEntries(app.FolderList(picker));
  RemoveTree(In(L"music"));  // while the list still shows it
  ASSERT_FALSE(Exists(In(L"music")));
  const HWND list = app.FolderList(picker);
  const auto music = std::find(entries.begin(), entries.end(), L"music") - entries.begin();
  app.Pointer().DoubleClick(Centre(ListEntryRect(list, static_cast<int>(music))));
  const MessageBoxSeen seen = app.AnswerMessageBox(L"Error", kOk);
  const std::wstring opening =
      L"The folder cannot be opened." + kBreak + kBreak + In(L"music") + kBreak;
  EXPECT_TRUE(seen.text.starts_with(opening)) << Narrow(Describe(seen));
  EXPECT_EQ(seen, (MessageBoxSeen{L"Error", seen.text, {kOk}, BoxIcon::Critical, kOk}));
  EXPECT_GT(seen.text.size(), opening.size()) << "the system's reason follows the path";
  EXPECT_EQ(ListEntries(list), entries) << "the picker stays where it was";
  EXPECT_TRUE(Visible(picker));
}

TEST_F(FolderPicker, ADriveRootWithMusicIsTakenWithOneBackslash) {
  Melodex& app = App();
  // The test prefix's drive C: is the scenarios' own.
  const ScopedFile song(L"C:\\e2e-root-song.mp3");
  const HWND picker = Open(L"MP3 &Directory");
  app.OpenFolder(picker, L"c:\\");
  Ok(picker);
  app.WaitForHidden(picker, L"the picker");
  EXPECT_EQ(app.Text(field::kMusicFolder), L"C:\\");
  app.ExpectNoBox();
}

TEST_F(FolderPicker, PicksDrivesFromItsDriveList) {
  Melodex& app = App();
  const HWND picker = Open(L"&Output Directory");
  const std::vector<std::wstring> drives = ListEntries(app.DriveList(picker));
  ASSERT_GE(drives.size(), 2u);
  EXPECT_TRUE(drives[0].starts_with(L"c:")) << Narrow(drives[0]);
  EXPECT_EQ(ListEntries(app.DriveList(picker))[ListSelection(app.DriveList(picker))].substr(0, 2),
            L"c:");

  app.PickDrive(picker, L"z:");
  WaitUntil(
      L"the folder list to show drive Z:", [&] { return app.ShownPath(picker) == L"Z:\\"; },
      [&] { return Quoted(app.ShownPath(picker)); });
  app.PickDrive(picker, L"c:");
  WaitUntil(
      L"the folder list to come back to the working folder, the current one on C:",
      [&] { return app.ShownPath(picker) == Folder(); },
      [&] { return Quoted(app.ShownPath(picker)); });
  app.PickDrive(picker, L"z:");
  WaitUntil(
      L"drive Z: again", [&] { return app.ShownPath(picker) == L"Z:\\"; },
      [&] { return Quoted(app.ShownPath(picker)); });
  Ok(picker);
  app.WaitForHidden(picker, L"the picker");
  EXPECT_EQ(app.Text(field::kOutputFolder), L"Z:\\");
}

TEST_F(FolderPicker, MusicFolderWithoutMp3sIsRefusedButStaysInTheField) {
  Melodex& app = App();
  MakeMusic(L"empty", {L"readme.txt", L"song.mp3.txt"});
  app.Alt(L'u');
  app.AnswerInputBox(L"MP3 URL", L"http://example.org/");
  app.Retype(field::kOutputFolder, Folder());
  const HWND picker = Open(L"MP3 &Directory");
  app.OpenFolder(picker, L"empty");
  for (const std::wstring& answer : {kCancel, kOk}) {
    Ok(picker);
    EXPECT_EQ(app.AnswerMessageBox(L"Error", answer), kNoMp3s);
    app.Settle();
    EXPECT_TRUE(Visible(picker)) << "the picker stays open after " << Narrow(answer);
    EXPECT_EQ(app.Text(field::kMusicFolder), In(L"empty"));
    EXPECT_TRUE(Enabled(Go())) << "the readiness test ran before the check";
  }
}

TEST_F(FolderPicker, OutputFolderIsTakenWithoutAnyCheckAndTheCloseBoxOnlyHides) {
  Melodex& app = App();
  MakeFolder(In(L"empty"));
  const HWND picker = Open(L"&Output Directory");
  app.OpenFolder(picker, L"empty");
  // The close box hides it like a cancel, keeping its place.
  ASSERT_TRUE(app.Pointer().ClickCloseBox(picker));
  app.WaitForHidden(picker, L"the picker");
  EXPECT_EQ(app.Text(field::kOutputFolder), L"");
  EXPECT_TRUE(IsWindow(picker));

  EXPECT_EQ(Open(L"&Output Directory"), picker) << "the same picker comes back";
  EXPECT_EQ(app.ShownPath(picker), In(L"empty"));
  Ok(picker);
  app.WaitForHidden(picker, L"the picker");
  app.ExpectNoBox();
  EXPECT_EQ(app.Text(field::kOutputFolder), In(L"empty"));
  EXPECT_FALSE(Enabled(Go())) << "no music folder and no address yet";
}

TEST_F(FolderPicker, TheButtonPressedLastDecidesWhatOkFills) {
  Melodex& app = App();
  MakeFolder(In(L"empty"));
  // Opened for the music folder, then "&Output Directory" pressed: OK fills the output
  // folder, without looking for MP3 files.
  const HWND picker = Open(L"MP3 &Directory");
  app.OpenFolder(picker, L"empty");
  EXPECT_EQ(Open(L"&Output Directory"), picker);
  Ok(picker);
  app.WaitForHidden(picker, L"the picker");
  app.ExpectNoBox();
  EXPECT_EQ(app.Text(field::kOutputFolder), In(L"empty"));
  EXPECT_EQ(app.Text(field::kMusicFolder), L"");

  // Opened again, then a colour button: OK does nothing and the picker stays open.
  Open(L"MP3 &Directory");
  app.ClickMain(L"&Back color");
  const HWND chooser = app.Window(kColoursCaption);
  EXPECT_EQ(app.Text(field::kHandOver), L"1");
  Ok(picker);
  app.Settle();
  app.ExpectNoBox();
  EXPECT_TRUE(Visible(picker));
  EXPECT_EQ(app.Text(field::kMusicFolder), L"");
  EXPECT_EQ(app.Text(field::kOutputFolder), In(L"empty"));
  // ...and the colour chooser's OK fills the background colour.
  app.Activate(chooser);
  app.Click(chooser, L"Yellow");
  app.Click(chooser, L"&Ok");
  app.WaitForHidden(chooser, L"the colour chooser");
  EXPECT_EQ(app.Text(field::kBackColour), L"#FFFF66");
}

}  // namespace
}  // namespace e2e
