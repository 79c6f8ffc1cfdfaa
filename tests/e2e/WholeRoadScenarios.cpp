// One page from an empty main window to the bytes on disk: through the dialogs with the
// mouse, and through typed paths with the keyboard.
#include <gtest/gtest.h>

#include <map>

#include "e2e/Expected.h"
#include "e2e/Scenario.h"
#include "e2e/driver/Files.h"
#include "e2e/driver/Waiting.h"
#include "e2e/driver/Windows.h"

namespace e2e {
namespace {

class WholeRoad : public Scenario {
 protected:
  // The link lines of the music folder in the order the folder lists its MP3 files, with
  // the link texts the page is to show for them.
  std::vector<std::wstring> Links(const std::wstring& folder, const std::wstring& base) {
    std::vector<std::wstring> lines;
    for (const std::wstring& name : ListFolder(folder, L"*.mp3")) {
      const auto text = kLinkTexts.find(name);
      if (text == kLinkTexts.end()) {
        ADD_FAILURE() << "the folder lists " << Narrow(name) << ", which the scenario did not make";
        continue;
      }
      lines.push_back(LinkLine(base + name, text->second));
    }
    return lines;
  }
  std::wstring MakeSongs() {
    std::vector<std::wstring> files = {L"notes.txt", L"cover.jpg"};
    for (const auto& [name, text] : kLinkTexts) files.push_back(name);
    return MakeMusic(L"music", files);
  }
  void ExpectPage(const std::wstring& path, const std::string& expected) {
    const auto bytes = ReadBytes(path);
    ASSERT_TRUE(bytes.has_value()) << Narrow(path) << " was not written";
    EXPECT_EQ(*bytes, expected);
  }

  inline static const std::map<std::wstring, std::wstring> kLinkTexts = {
      {L"01_Intro.mp3", L" Intro"},
      {L"Live_Set (2).mp3", L"Live Set 2"},
      {L"[Band] Song (Remix).MP3", L"Band Song Remix"},
      {L"Track_07.mp3", L"Track 07"},
  };
};

TEST_F(WholeRoad, ThroughTheDialogsWithTheMouse) {
  Melodex& app = App();
  const std::wstring music = MakeSongs();
  const std::wstring out = In(L"out");
  MakeFolder(out);

  // 1. The music folder, opened in the picker by a double-click.
  app.ClickMain(L"MP3 &Directory");
  const HWND picker = app.Window(kPickerCaption);
  EXPECT_EQ(app.ShownPath(picker), Folder()) << "the picker starts at the working folder";
  app.OpenFolder(picker, L"music");
  app.Snapshot(picker, L"e2e-folder-picker");
  app.Click(picker, L"&Ok");
  app.WaitForHidden(picker, L"the folder picker");
  EXPECT_EQ(app.Text(field::kMusicFolder), music);
  EXPECT_EQ(app.FrontAsLeft(), app.Main()) << "the main window comes forward";

  // 2. The web address.
  app.ClickMain(L"&URL to MP3s");
  app.AnswerInputBox(L"MP3 URL", L"http://example.org/music");
  EXPECT_EQ(app.Text(field::kBaseUrl), L"http://example.org/music/");
  EXPECT_FALSE(Enabled(app.Control(app.Main(), L"&Go")));

  // 3. The output folder: the picker comes back where it was left.
  app.ClickMain(L"&Output Directory");
  app.Window(kPickerCaption);
  EXPECT_EQ(app.ShownPath(picker), music);
  app.OpenFolder(picker, Folder().substr(Folder().find_last_of(L'\\') + 1));
  app.OpenFolder(picker, L"out");
  app.Click(picker, L"&Ok");
  app.WaitForHidden(picker, L"the folder picker");
  EXPECT_EQ(app.Text(field::kOutputFolder), out);
  EXPECT_TRUE(Enabled(app.Control(app.Main(), L"&Go")));

  // 4. A colour, the title, the list not centred.
  app.ClickMain(L"&Link color");
  const HWND chooser = app.Window(kColoursCaption);
  app.Click(chooser, L"Silver/Grey");
  app.Snapshot(chooser, L"e2e-colour-chooser");
  app.Click(chooser, L"&Ok");
  app.WaitForHidden(chooser, L"the colour chooser");
  EXPECT_EQ(app.Text(field::kLinkColour), L"#CC9999");
  app.Retype(field::kTitle, L"My Songs");
  app.ClickMain(L"List Centered");
  WaitUntil(
      L"\"List Centered\" to be cleared",
      [&] { return !Checked(app.Control(app.Main(), L"List Centered")); },
      [] { return L"ticked"; });

  // 5. "&Go".
  app.ClickMain(L"&Go");
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), kAllDone);
  PageLook look{.title = L"My Songs", .link = L"#CC9999", .centred = false};
  ExpectPage(out + L"\\mp3list.html", PageBytes(look, Links(music, L"http://example.org/music/")));
  EXPECT_EQ(ListFolder(out), std::vector<std::wstring>{L"mp3list.html"}) << "nothing else is left";
}

TEST_F(WholeRoad, ThroughTypedPathsWithTheKeyboard) {
  Melodex& app = App();
  const std::wstring music = MakeSongs();
  const std::wstring out = In(L"typed out");
  MakeFolder(out);
  WriteBytes(out + L"\\mp3list.html", "an older page\r\n");

  app.Retype(field::kMusicFolder, music);
  app.Retype(field::kOutputFolder, out + L"\\");
  app.Alt(L'u');
  app.AnswerInputBox(L"MP3 URL", L"http://example.org/a b/");
  app.Alt(L'g');
  // The title is empty: "&Go" asks for it.
  EXPECT_EQ(app.AnswerInputBox(L"Title", L"Caf\u00e9 & <b>Songs</b>"), kTitlePrompt);
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), kAllDone);
  EXPECT_EQ(app.Text(field::kTitle), L"Caf\u00e9 & <b>Songs</b>")
      << "the answer stays in the field";
  const std::string expected =
      PageBytes({.title = L"Caf\u00e9 & <b>Songs</b>"}, Links(music, L"http://example.org/a b/"));
  ExpectPage(out + L"\\mp3list.html", expected);

  // Again with the same settings: no question, the same bytes.
  app.Activate(app.Main());
  app.Alt(L'g');
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), kAllDone);
  ExpectPage(out + L"\\mp3list.html", expected);
  EXPECT_EQ(ListFolder(out), std::vector<std::wstring>{L"mp3list.html"});
}

TEST_F(WholeRoad, TitlePromptCancelledWritesAnEmptyTitleAndAsksAgainNextTime) {
  Melodex& app = App();
  const std::wstring music = MakeSongs();
  app.Retype(field::kMusicFolder, music);
  app.Retype(field::kOutputFolder, Folder());
  app.Alt(L'u');
  app.AnswerInputBox(L"MP3 URL", L"http://example.org/");
  app.ClickMain(L"&Go");
  app.AnswerInputBox(L"Title", L"never mind", /*cancel=*/true);
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), kAllDone);
  EXPECT_EQ(app.Text(field::kTitle), L"");
  ExpectPage(In(L"mp3list.html"), PageBytes({}, Links(music, L"http://example.org/")));

  app.ClickMain(L"&Go");
  EXPECT_EQ(app.AnswerInputBox(L"Title", L"Second"), kTitlePrompt) << "asked again";
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), kAllDone);
  ExpectPage(In(L"mp3list.html"),
             PageBytes({.title = L"Second"}, Links(music, L"http://example.org/")));
}

TEST_F(WholeRoad, ColoursTypedByHandGoIntoThePageAsTyped) {
  Melodex& app = App();
  const std::wstring music = MakeMusic(L"music", {L"1_Song.mp3"});
  app.Retype(field::kMusicFolder, music);
  app.Retype(field::kOutputFolder, Folder());
  app.Retype(field::kBackColour, L"navy");
  app.Retype(field::kTitleColour, L"");
  app.Retype(field::kTitle, L"   ");
  app.Alt(L'u');
  app.AnswerInputBox(L"MP3 URL", L"http://example.org");
  app.ClickMain(L"&Go");  // a title of blanks is not empty: no question
  EXPECT_EQ(app.AnswerMessageBox(kAppTitle, kOk), kAllDone);
  ExpectPage(In(L"mp3list.html"),
             PageBytes({.title = L"   ", .back = L"navy", .heading = L""},
                       {LinkLine(L"http://example.org/1_Song.mp3", L" Song")}));
}

}  // namespace
}  // namespace e2e
