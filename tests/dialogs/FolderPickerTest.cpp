// The folder picker driven through the program, on the in-memory platform.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "support/InMemoryProgram.h"
#include "ui/dialogs/Form2.h"
#include "ui/dialogs/HandOver.h"

namespace melodex::testing {
namespace {

const MessageBoxRequest kNoMp3s{.text = L"NO MP3s found in this Directory!!",
                                .title = L"Error",
                                .buttons = MessageButtons::OkCancel,
                                .icon = MessageIcon::Critical,
                                .helpFile = L"DEMO.HLP",
                                .helpContext = 1000};

MessageBoxRequest ErrorBox(std::wstring text) {
  return {.text = std::move(text),
          .title = L"Error",
          .buttons = MessageButtons::Ok,
          .icon = MessageIcon::Critical,
          .helpFile = L"DEMO.HLP",
          .helpContext = 1000};
}

class FolderPickerTest : public ProgramTest {
 protected:
  FolderPickerTest() {
    files.AddRoot(L"C:", L"System");
    files.AddFolder(L"C:\\Music\\Rock");
    files.AddFile(L"C:\\Music\\Rock\\01 Intro.mp3");
    files.AddFolder(L"C:\\Music\\Empty");
    files.AddFolder(L"C:\\Out");
    files.SetCurrentFolder(L"C:\\Music");
  }

  Form2& Picker() { return app.FolderPicker(); }

  // A double click on the entry of Dir1 with that text.
  void Open(const std::wstring& text) {
    const auto& entries = Picker().Dir1.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].text == text) return Picker().Dir1.OnUserOpen(static_cast<int>(i));
    }
    ADD_FAILURE() << "Dir1 shows no " << ::testing::PrintToString(text);
  }

  void PickDrive(const std::wstring& drive) {
    const auto& entries = Picker().Drive1.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].drive == drive) return Picker().Drive1.OnUserSelect(static_cast<int>(i));
    }
    ADD_FAILURE() << "Drive1 shows no " << ::testing::PrintToString(drive);
  }

  void Ok() { Picker().Command1.Press(); }

  std::vector<MessageBoxRequest> Messages() const {
    std::vector<MessageBoxRequest> messages;
    for (const auto& box : dialogs.shown) messages.push_back(box.message);
    return messages;
  }
};

TEST_F(FolderPickerTest, LaysOutItsThreeControls) {
  Main().Command1.Press();
  const Form2& picker = Picker();

  EXPECT_EQ(picker.Caption(), L"MP3 dir");
  EXPECT_EQ(picker.Layout().clientWidth, 2820);
  EXPECT_EQ(picker.Layout().clientHeight, 3900);
  EXPECT_EQ(picker.Dir1.GetKind(), ui::Control::Kind::DirList);
  EXPECT_EQ(picker.Dir1.Geometry(), (ui::Rect{120, 120, 2655, 3015}));
  EXPECT_EQ(picker.Drive1.GetKind(), ui::Control::Kind::DriveList);
  EXPECT_EQ(picker.Drive1.Geometry(), (ui::Rect{120, 3240, 2655, 315}));
  EXPECT_EQ(picker.Dir1.AccessibleName() + L"," + picker.Drive1.AccessibleName(), L"Folder,Drive");
  EXPECT_EQ(picker.Command1.Text(), L"&Ok");
  EXPECT_EQ(picker.Command1.Geometry(), (ui::Rect{120, 3600, 2655, 255}));
  EXPECT_EQ(picker.TabOrder(),
            (std::vector<ui::Control*>{&Picker().Dir1, &Picker().Drive1, &Picker().Command1}));
  EXPECT_EQ(picker.DefaultButton(), nullptr);
  EXPECT_EQ(picker.CancelButton(), nullptr);
}

TEST_F(FolderPickerTest, StartsAtTheProcessCurrentDriveAndFolder) {
  files.AddRoot(L"D:", L"Data");
  files.AddFolder(L"D:\\Songs\\Old");
  files.SetCurrentDrive(L"D:");
  files.SetCurrentFolder(L"D:\\Songs");

  Main().Command1.Press();

  EXPECT_TRUE(Picker().Visible());
  EXPECT_EQ(windows.Front(), &Picker());
  EXPECT_EQ(Picker().Dir1.Path(), L"D:\\Songs");
  EXPECT_EQ(Picker().Drive1.Drive(), L"D:");
  EXPECT_EQ(Picker().Drive1.Entries()[Picker().Drive1.ListIndex()].text, L"d: [Data]");
}

TEST_F(FolderPickerTest, AMusicFolderWithMp3sIsTakenAndThePickerHides) {
  Main().Command3.Press();  // the colour chooser stays open, behind the picker
  Main().Command1.Press();
  Open(L"Rock");
  Ok();

  EXPECT_EQ(windows.changes.back(), "Text1");
  EXPECT_EQ(Main().Text1.Text(), L"C:\\Music\\Rock");
  EXPECT_EQ(files.Searches(), std::vector<std::wstring>{L"C:\\Music\\Rock\\*.mp3"});
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(Picker().Visible());
  EXPECT_EQ(windows.Front(), &Main());
}

// Roots and network folders, as music folder and as output folder: the path as the
// picker hands it over, and the one search it makes.
struct RootCase {
  const char* name;
  std::wstring root;       // where the process stands
  std::wstring open;       // the Dir1 entry then opened, or nothing
  std::wstring path;       // the folder handed over
  std::wstring mp3Search;  // the pattern searched for the music folder
};

class FolderPickerRootTest : public FolderPickerTest,
                             public ::testing::WithParamInterface<RootCase> {
 protected:
  void SetUp() override {
    files.AddRoot(L"\\\\server\\music", L"Shared");
    files.AddFolder(L"\\\\server\\music\\Live");
    files.AddFile(L"\\\\server\\music\\a.mp3");
    files.AddFile(L"\\\\server\\music\\Live\\b.mp3");
    files.AddFile(L"C:\\c.mp3");
    files.SetCurrentDrive(GetParam().root.starts_with(L"C:") ? L"C:" : L"\\\\server\\music");
    files.SetCurrentFolder(GetParam().root);
  }
};

TEST_P(FolderPickerRootTest, MusicFolder) {
  Main().Command1.Press();
  if (!GetParam().open.empty()) Open(GetParam().open);
  Ok();

  EXPECT_EQ(Main().Text1.Text(), GetParam().path);
  EXPECT_EQ(files.Searches(), std::vector<std::wstring>{GetParam().mp3Search});
  EXPECT_TRUE(dialogs.shown.empty()) << "the folder holds an MP3 file";
  EXPECT_FALSE(Picker().Visible());
}

TEST_P(FolderPickerRootTest, OutputFolder) {
  Main().Command13.Press();
  if (!GetParam().open.empty()) Open(GetParam().open);
  Ok();

  EXPECT_EQ(Main().Text11.Text(), GetParam().path);
  EXPECT_TRUE(files.Searches().empty());
  EXPECT_FALSE(Picker().Visible());
}

INSTANTIATE_TEST_SUITE_P(
    RootsAndShares, FolderPickerRootTest,
    ::testing::Values(RootCase{"DriveRoot", L"C:\\Music", L"c:\\", L"C:\\", L"C:\\*.mp3"},
                      RootCase{"ShareRoot", L"\\\\server\\music", L"", L"\\\\server\\music\\",
                               L"\\\\server\\music\\*.mp3"},
                      RootCase{"ShareFolder", L"\\\\server\\music", L"Live",
                               L"\\\\server\\music\\Live", L"\\\\server\\music\\Live\\*.mp3"}),
    [](const auto& info) { return std::string(info.param.name); });

// Whichever button closes the message, the refused folder stays and the picker stays open.
class FolderPickerRefusalTest : public FolderPickerTest,
                                public ::testing::WithParamInterface<MessageAnswer> {};

TEST_P(FolderPickerRefusalTest, AMusicFolderWithoutMp3sIsRefusedButKept) {
  Main().Text10.OnUserEdit(L"http://example.com/");
  Main().Text11.OnUserEdit(L"C:\\Out");
  dialogs.Answer(GetParam());

  Main().Command1.Press();
  Open(L"Empty");
  Ok();

  EXPECT_EQ(Messages(), std::vector<MessageBoxRequest>{kNoMp3s});
  EXPECT_EQ(files.Searches(), std::vector<std::wstring>{L"C:\\Music\\Empty\\*.mp3"});
  EXPECT_TRUE(Picker().Visible()) << "the user may choose another folder";
  EXPECT_EQ(Main().Text1.Text(), L"C:\\Music\\Empty") << "the refused folder stays";
  EXPECT_TRUE(Main().Command2.Enabled()) << "the three fields were filled when it checked";

  // Another choice then goes through.
  Open(L"Music");
  Open(L"Rock");
  Ok();
  EXPECT_EQ(Main().Text1.Text(), L"C:\\Music\\Rock");
  EXPECT_FALSE(Picker().Visible());
}

INSTANTIATE_TEST_SUITE_P(Answers, FolderPickerRefusalTest,
                         ::testing::Values(MessageAnswer::Ok, MessageAnswer::Cancel),
                         [](const auto& info) {
                           return std::string(info.param == MessageAnswer::Ok ? "Ok" : "Cancel");
                         });

TEST_F(FolderPickerTest, ARefusedMusicFolderLeavesGoAsItWasWithoutTheWebAddress) {
  Main().Text11.OnUserEdit(L"C:\\Out");
  Main().Command1.Press();
  Open(L"Empty");
  Ok();

  EXPECT_EQ(Messages(), std::vector<MessageBoxRequest>{kNoMp3s});
  EXPECT_FALSE(Main().Command2.Enabled());
}

TEST_F(FolderPickerTest, OnlyNamesThePageWouldListCountAsMp3s) {
  const struct {
    const char* what;
    std::wstring name;
    unsigned attributes;
    std::wstring shortName;
    bool folder;
    bool taken;
  } cases[] = {
      {"upper-case extension", L"SONG.MP3", InMemoryFileSystem::kNormal, L"", false, true},
      {"read-only file", L"song.mp3", InMemoryFileSystem::kReadOnly, L"", false, true},
      {"match through the short name only", L"song.mp3x", InMemoryFileSystem::kNormal,
       L"SONG~1.MP3", false, false},
      {"hidden file", L"song.mp3", InMemoryFileSystem::kHidden, L"", false, false},
      {"system file", L"song.mp3", InMemoryFileSystem::kSystem, L"", false, false},
      {"folder", L"album.mp3", InMemoryFileSystem::kNormal, L"", true, false},
      {"other extension", L"song.wav", InMemoryFileSystem::kNormal, L"", false, false},
  };
  Main().Command1.Press();
  Open(L"Empty");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::wstring path = L"C:\\Music\\Empty\\" + c.name;
    if (c.folder) {
      files.AddFolder(path);
    } else {
      files.AddFile(path, "", c.attributes, c.shortName);
    }
    dialogs.shown.clear();
    Main().Command1.Press();

    Ok();

    EXPECT_EQ(dialogs.shown.empty(), c.taken);
    EXPECT_EQ(Picker().Visible(), !c.taken);
    files.Remove(path);
  }
}

TEST_F(FolderPickerTest, AMusicFolderThatCannotBeSearchedIsRefusedLikeAnEmptyOne) {
  files.AddRoot(L"E:", L"Disc");
  files.AddFolder(L"E:\\Album");
  files.AddFile(L"E:\\Album\\a.mp3");
  files.SetCurrentFolder(L"E:\\Album");
  Main().Command1.Press();
  PickDrive(L"E:");
  files.SetReady(L"E:", false);  // the disc taken out before OK

  Ok();

  EXPECT_EQ(Messages(), std::vector<MessageBoxRequest>{kNoMp3s});
  EXPECT_EQ(Main().Text1.Text(), L"E:\\Album");
  EXPECT_TRUE(Picker().Visible());
}

TEST_F(FolderPickerTest, TheOutputFolderIsTakenWithoutACheck) {
  Main().Command13.Press();
  Open(L"Empty");
  Ok();

  EXPECT_EQ(Main().Text11.Text(), L"C:\\Music\\Empty");
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_TRUE(files.Searches().empty());
  EXPECT_FALSE(Picker().Visible());
  EXPECT_EQ(windows.Front(), &Main());
}

TEST_F(FolderPickerTest, TheOutputFolderEnablesGoOnlyWithTheOtherTwoFilled) {
  Main().Text1.OnUserEdit(L"C:\\Music\\Rock");
  Main().Command13.Press();
  Ok();
  EXPECT_FALSE(Main().Command2.Enabled()) << "no web address yet";

  Main().Text10.OnUserEdit(L"http://example.com/");
  Main().Command13.Press();
  Ok();
  EXPECT_TRUE(Main().Command2.Enabled());
}

TEST_F(FolderPickerTest, TheNumberPresentAtOkDecidesTheField) {
  // Opened for the music folder, switched to the output folder.
  Main().Command1.Press();
  Main().Command13.Press();
  Open(L"Empty");
  Ok();
  EXPECT_EQ(Main().Text11.Text(), L"C:\\Music\\Empty");
  EXPECT_EQ(Main().Text1.Text(), L"");
  EXPECT_TRUE(dialogs.shown.empty()) << "no MP3 check for the output folder";

  // Opened for the output folder, switched to the music folder.
  Main().Command13.Press();
  Main().Command1.Press();
  Ok();
  EXPECT_EQ(Main().Text1.Text(), L"C:\\Music\\Empty");
  EXPECT_EQ(Messages(), std::vector<MessageBoxRequest>{kNoMp3s});
  EXPECT_EQ(Main().Text11.Text(), L"C:\\Music\\Empty");
  EXPECT_EQ(windows.Realized("Form2"), 1);
}

TEST_F(FolderPickerTest, AColourNumberMakesOkDoNothingUntilAFolderButtonIsPressedAgain) {
  Main().Command1.Press();
  Open(L"Rock");
  Main().Command3.Press();  // "&Back color" while the picker is open
  Picker().Show();          // the user goes back to the picker

  Ok();
  Ok();
  EXPECT_TRUE(Picker().Visible());
  EXPECT_EQ(Main().Text1.Text(), L"");
  EXPECT_EQ(Main().Text11.Text(), L"");
  EXPECT_EQ(Main().Text3.Text(), L"#FFFFFF");
  EXPECT_TRUE(files.Searches().empty());

  Main().Command1.Press();
  Ok();
  EXPECT_EQ(Main().Text1.Text(), L"C:\\Music\\Rock");
  EXPECT_FALSE(Picker().Visible());
}

TEST(HandOverNumberTest, IsTheLeadingNumberOfTheText) {
  using limits = std::numeric_limits<double>;
  const struct {
    std::wstring text;
    double number;
  } cases[] = {
      {L"0", 0},
      {L"9", 9},
      {L"09", 9},
      {L" 9", 9},
      {L"\t6", 6},
      {L"+6", 6},
      {L"-0", 0},
      {L"-9", -9},
      {L"9abc", 9},
      {L"9.5", 9.5},
      {L"6.", 6},
      {L".5", 0.5},
      {L"1e1", 1},
      {L"", 0},
      {L"Temp text space", 0},
      {L"x9", 0},
      {L"-6x", -6},
      // Converted as a whole, to the nearest number: summed digit by digit it would miss 9.
      {L"8.99999999999999999999", 9},
      // Halfway between two numbers, to the even one, unless a digit far beyond puts it above.
      {L"9007199254740993." + std::wstring(801, L'0'), 9007199254740992.0},
      {L"9007199254740993." + std::wstring(800, L'0') + L"1", 9007199254740994.0},
      // At the ends: too large, the least number above 0, too small.
      {L"1" + std::wstring(309, L'0'), limits::infinity()},
      {L"0." + std::wstring(323, L'0') + L"5", limits::denorm_min()},
      {L"0." + std::wstring(324, L'0') + L"9", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HandOverNumber(c.text), c.number) << ::testing::PrintToString(c.text);
  }
  EXPECT_EQ(HandOverNumber(std::wstring_view(L"  9").substr(0, 1)), 0) << "the text given only";
}

TEST_F(FolderPickerTest, TheHandOverFieldIsReadForItsLeadingNumber) {
  const struct {
    std::wstring text;
    const ui::TextBox* filled;  // null: nothing written
  } cases[] = {
      {L"09", &Main().Text11},
      {L"9.5", nullptr},
      {L"Temp text space", &Main().Text1},
  };
  Main().Command1.Press();
  Open(L"Rock");
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.text));
    Main().Text1.SetText(L"");
    Main().Text11.SetText(L"");
    Picker().Show();
    Main().Text2.SetText(c.text);

    Ok();

    EXPECT_EQ(Main().Text1.Text(), c.filled == &Main().Text1 ? L"C:\\Music\\Rock" : L"");
    EXPECT_EQ(Main().Text11.Text(), c.filled == &Main().Text11 ? L"C:\\Music\\Rock" : L"");
    EXPECT_EQ(Picker().Visible(), c.filled == nullptr);
  }
}

TEST_F(FolderPickerTest, KeepsDriveAndFolderBetweenOpenings) {
  files.AddRoot(L"D:", L"Data");
  files.AddFolder(L"D:\\Songs");
  files.AddFile(L"D:\\Songs\\a.mp3");
  files.SetCurrentFolder(L"D:\\Songs");

  Main().Command1.Press();
  PickDrive(L"D:");
  Ok();
  ASSERT_EQ(Main().Text1.Text(), L"D:\\Songs");

  Main().Command13.Press();
  EXPECT_EQ(Picker().Dir1.Path(), L"D:\\Songs") << "the output folder starts at the music folder";
  EXPECT_EQ(Picker().Drive1.Drive(), L"D:");
  EXPECT_EQ(windows.Realized("Form2"), 1);
}

TEST_F(FolderPickerTest, PickingADriveShowsItsCurrentFolderOrElseItsRoot) {
  files.AddRoot(L"D:", L"Data");
  files.AddFolder(L"D:\\Songs\\Old");
  files.SetCurrentFolder(L"D:\\Songs");
  files.AddRoot(L"F:");
  files.AddFolder(L"F:\\Backup");
  files.SetCurrentFolder(L"F:\\Removed");  // the folder the process used there is gone
  Main().Command1.Press();

  PickDrive(L"D:");
  EXPECT_EQ(Picker().Dir1.Path(), L"D:\\Songs");
  PickDrive(L"F:");
  EXPECT_EQ(Picker().Dir1.Path(), L"F:\\");
  EXPECT_EQ(Picker().Drive1.Drive(), L"F:");
  PickDrive(L"C:");
  EXPECT_EQ(Picker().Dir1.Path(), L"C:\\Music") << "the process's folder there, not the last shown";
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(FolderPickerTest, ADriveThatIsNotReadyIsReportedAndThePickerStaysWhereItWas) {
  files.AddRoot(L"E:", L"Disc");
  files.SetReady(L"E:", false);
  Main().Command1.Press();
  Open(L"Rock");

  PickDrive(L"E:");

  EXPECT_EQ(Messages(), std::vector<MessageBoxRequest>{ErrorBox(L"Drive e: is not ready.")});
  EXPECT_EQ(Picker().Drive1.Drive(), L"C:");
  EXPECT_EQ(Picker().Dir1.Path(), L"C:\\Music\\Rock");
  EXPECT_TRUE(Picker().Visible());

  Ok();  // still usable
  EXPECT_EQ(Main().Text1.Text(), L"C:\\Music\\Rock");
  EXPECT_FALSE(Picker().Visible());
}

TEST_F(FolderPickerTest, ADriveThatIsNotReadyLeadsBackToTheDriveShownBefore) {
  files.AddRoot(L"D:");
  files.AddFolder(L"D:\\Songs");
  files.AddRoot(L"\\\\server\\music");
  files.AddRoot(L"E:");
  files.SetReady(L"E:", false);
  Main().Command13.Press();
  PickDrive(L"D:");
  Open(L"Songs");

  PickDrive(L"E:");
  EXPECT_EQ(Picker().Drive1.Drive(), L"D:");
  EXPECT_EQ(Picker().Dir1.Path(), L"D:\\Songs");

  // Once the disc is in, the drive can be picked.
  files.SetReady(L"E:", true);
  PickDrive(L"E:");
  EXPECT_EQ(Picker().Dir1.Path(), L"E:\\");
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(FolderPickerTest, AFolderThatCannotBeOpenedIsReported) {
  Main().Command1.Press();
  files.Remove(L"C:\\Music\\Empty");  // removed while the picker showed it

  Open(L"Empty");

  EXPECT_EQ(Messages(), std::vector<MessageBoxRequest>{
                            ErrorBox(L"The folder cannot be opened.\n\r\n\rC:\\Music\\Empty\n\r"
                                     L"The system cannot find the path specified.")});
  EXPECT_EQ(Picker().Dir1.Path(), L"C:\\Music");
  EXPECT_TRUE(Picker().Visible());
}

TEST_F(FolderPickerTest, TheCloseBoxHidesThePickerWithoutWritingAnything) {
  Main().Command1.Press();
  Open(L"Rock");

  Picker().CloseBox();

  EXPECT_FALSE(Picker().Visible());
  EXPECT_EQ(windows.Front(), &Main());
  EXPECT_EQ(Main().Text1.Text(), L"");
  EXPECT_TRUE(files.Searches().empty());

  Main().Command1.Press();
  EXPECT_EQ(Picker().Dir1.Path(), L"C:\\Music\\Rock");
  EXPECT_EQ(windows.Realized("Form2"), 1);
}

}  // namespace
}  // namespace melodex::testing
