#include <gtest/gtest.h>

#include <string>

#include "generator/GeneratePage.h"
#include "generator/ListingPageWriter.h"
#include "generator/PageEscaping.h"
#include "platform/memory/InMemoryFileSystem.h"
#include "support/PageExample.h"

namespace melodex {
namespace {

const std::string& kFooter = testing::kExpectedFooter;

PageSettings Settings() { return testing::StartPageSettings(L"C:\\MP3", L"C:\\Out"); }

std::string Head(const std::string& title) { return testing::ExpectedHead(title); }

class GeneratorTest : public ::testing::Test {
 protected:
  GeneratorTest() {
    fs.AddFolder(L"C:\\MP3");
    fs.AddFolder(L"C:\\Out");
  }

  std::string Page(const std::wstring& path = L"C:\\Out\\mp3list.html") {
    return fs.ReadFile(path).value_or("<no page>");
  }

  // The link lines of the page, between the head (and centring line) and the footer.
  std::string Links() {
    const std::string page = Page();
    const std::string head = Head("My Songs") + "<center>\r\n";
    if (!page.starts_with(head) || !page.ends_with(kFooter)) return "<malformed page>";
    return page.substr(head.size(), page.size() - head.size() - kFooter.size());
  }

  InMemoryFileSystem fs;
};

TEST_F(GeneratorTest, WritesTheWorkedExampleByteForByte) {
  fs.AddFile(L"C:\\MP3\\01_Intro.mp3");
  fs.AddFile(L"C:\\MP3\\Live_Set (2).mp3");

  GeneratePage(Settings(), fs);

  EXPECT_EQ(Page(),
            "<html><Title>My Songs</title><body bgcolor=\"#FFFFFF\" text=\"#000000\" "
            "link=\"#0000FF\" alink=\"#00FF00\" vlink=\"#FF0000\">\r\n"
            "<center><font color=\"#FF0000\"><h1><I>My Songs</I></h1></font></center>\r\n"
            "<center>\r\n"
            "<a href=\"music/01_Intro.mp3\"> Intro</a><br>\r\n"
            "<a href=\"music/Live_Set (2).mp3\">Live Set 2</a><br>\r\n" +
                kFooter);
}

TEST_F(GeneratorTest, WritesValuesVerbatimWhateverTheyHold) {
  PageSettings settings = Settings();
  settings.PageTitle = L"";
  settings.BackColor = L"";
  settings.TextColor = L"navy";
  settings.ListCentered = false;
  GeneratePage(settings, fs);
  EXPECT_EQ(Page(),
            "<html><Title></title><body bgcolor=\"\" text=\"navy\" link=\"#0000FF\" "
            "alink=\"#00FF00\" vlink=\"#FF0000\">\r\n"
            "<center><font color=\"#FF0000\"><h1><I></I></h1></font></center>\r\n" +
                kFooter);

  // The title's "&" is the user's own, a name's is the name's.
  settings = Settings();
  settings.PageTitle = L"Rock & <b>Roll</b> &copy; \u00e0 Caf\u00e9";
  fs.AddFile(L"C:\\MP3\\Good&times.mp3");
  GeneratePage(settings, fs);
  EXPECT_EQ(Page(), Head("Rock & <b>Roll</b> &copy; \xe0 Caf\xe9") +
                        "<center>\r\n"
                        "<a href=\"music/Good&amp;times.mp3\">Good&amp;times</a><br>\r\n" +
                        kFooter);
}

TEST_F(GeneratorTest, ListsOnlyOrdinaryMp3FilesInDirectoryOrder) {
  fs.AddFile(L"C:\\MP3\\zz top.mp3");
  fs.AddFile(L"C:\\MP3\\cover.jpg");
  fs.AddFile(L"C:\\MP3\\LOUD.MP3");
  fs.AddFile(L"C:\\MP3\\secret.mp3", "", InMemoryFileSystem::kHidden);
  fs.AddFile(L"C:\\MP3\\boot.mp3", "", InMemoryFileSystem::kSystem);
  fs.AddFolder(L"C:\\MP3\\old.mp3");
  fs.AddFile(L"C:\\MP3\\a b.mp3", "", InMemoryFileSystem::kReadOnly);
  // The wildcard matches this one through its short name only.
  fs.AddFile(L"C:\\MP3\\song.mp3x", "", InMemoryFileSystem::kNormal, L"SONG~1.MP3");

  GeneratePage(Settings(), fs);

  EXPECT_EQ(Links(),
            "<a href=\"music/zz top.mp3\">zz top</a><br>\r\n"
            "<a href=\"music/LOUD.MP3\">LOUD</a><br>\r\n"
            "<a href=\"music/a b.mp3\">a b</a><br>\r\n");
}

// The link line for each name, as the writer puts it in a page file of code page 1252: the
// target in printable ASCII, whatever encoding a browser reads the page in.
TEST_F(GeneratorTest, WritesEachNameAsAWorkingLinkThatAddsNoMarkup) {
  struct Case {
    const wchar_t* fileName;
    const char* line;
  } cases[] = {
      {L"Caf\u00e9.mp3", "<a href=\"music/Caf%C3%A9.mp3\">Caf\xe9</a><br>\r\n"},
      {L"del\u007f.mp3", "<a href=\"music/del%7F.mp3\">del\x7f</a><br>\r\n"},
      {L"\u65e5\u672c.mp3",
       "<a href=\"music/%E6%97%A5%E6%9C%AC.mp3\">&#26085;&#26412;</a><br>\r\n"},
      {L"x \u221e.mp3", "<a href=\"music/x %E2%88%9E.mp3\">x &#8734;</a><br>\r\n"},
      {L"x\U0001D11E.mp3", "<a href=\"music/x%F0%9D%84%9E.mp3\">x&#119070;</a><br>\r\n"},
      // Where UTF-8 takes another byte, surrogate pairs at the ends of their ranges, and
      // surrogates that make no character.
      {L"\u07ff\u0800\U00010000.mp3",
       "<a href=\"music/%DF%BF%E0%A0%80%F0%90%80%80.mp3\">&#2047;&#2048;&#65536;</a><br>\r\n"},
      {L"\xD800\xDC00\xDBFF\xDFFF\U0010FFFF.mp3",
       "<a href=\"music/%F0%90%80%80%F4%8F%BF%BF%F4%8F%BF%BF.mp3\">&#65536;&#1114111;&#1114111;"
       "</a><br>\r\n"},
      {L"\xD800 \xDBFF\xE000\xDC00\xDFFF.mp3",
       "<a href=\"music/%EF%BF%BD %EF%BF%BD%EE%80%80%EF%BF%BD%EF%BF%BD.mp3\">"
       "&#65533; &#65533;&#57344;&#65533;&#65533;</a><br>\r\n"},
      {L"Side #2 100%.mp3", "<a href=\"music/Side %232 100%25.mp3\">Side #2 100%</a><br>\r\n"},
      {L"Don't a%20 & b.mp3",
       "<a href=\"music/Don't a%2520 &amp; b.mp3\">Don't a%20 &amp; b</a><br>\r\n"},
      // A browser reads an "&" of the name as the start of a reference, with or without ";".
      {L"a&b.mp3", "<a href=\"music/a&amp;b.mp3\">a&amp;b</a><br>\r\n"},
      {L"Good&times.mp3", "<a href=\"music/Good&amp;times.mp3\">Good&amp;times</a><br>\r\n"},
      {L"Love&nothing.mp3", "<a href=\"music/Love&amp;nothing.mp3\">Love&amp;nothing</a><br>\r\n"},
      {L"amp&amp;.mp3", "<a href=\"music/amp&amp;amp;.mp3\">amp&amp;amp;</a><br>\r\n"},
      // What Windows forbids in names, from folders of other systems: never markup, an
      // attribute, a cut link or a line break of the name's own.
      {L"x\" onmouseover=\"alert(1)\" y=\".mp3",
       "<a href=\"music/x%22 onmouseover=%22alert(1)%22 y=%22.mp3\">"
       "x&quot; onmouseover=&quot;alert1&quot; y=&quot;</a><br>\r\n"},
      {L"a<b>.mp3", "<a href=\"music/a%3Cb%3E.mp3\">a&lt;b&gt;</a><br>\r\n"},
      {L"song<script>.mp3",
       "<a href=\"music/song%3Cscript%3E.mp3\">song&lt;script&gt;</a><br>\r\n"},
      {L"q?x.mp3", "<a href=\"music/q%3Fx.mp3\">q&#63;x</a><br>\r\n"},
      {L"two\nlines\r.mp3", "<a href=\"music/two%0Alines%0D.mp3\">two&#10;lines&#13;</a><br>\r\n"},
      {L"a\tb*c|d:e\\f/g.mp3",
       "<a href=\"music/a%09b%2Ac%7Cd%3Ae%5Cf%2Fg.mp3\">a&#9;b&#42;c&#124;d&#58;e&#92;f&#47;g"
       "</a><br>\r\n"},
      // C1 controls, which a browser would show as letters: U+0081 has a byte of its own in
      // the code page, U+0080 and U+009F have not.
      {L"\u0080\u0081\u009f.mp3",
       "<a href=\"music/%C2%80%C2%81%C2%9F.mp3\">&#65533;&#65533;&#65533;</a><br>\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(c.fileName)));
    const auto file = fs.CreateTextFile(L"C:\\Out\\links.html");
    ListingPageWriter writer(*file);
    writer.WriteLink(L"music/", c.fileName);
    writer.Close();
    EXPECT_EQ(Page(L"C:\\Out\\links.html"), c.line);
  }
}

// In a Unicode page a surrogate pair goes on as it is, and a value beyond Unicode (a lone
// surrogate where wchar_t is 16 bits) as no character; in a page without U+00A0, U+00A0 as
// its reference.
TEST(PageEscaping, WritesWhatTheCodePageHoldsAsItIs) {
  CodePage ascii;
  for (char32_t c = 0; c < 0x80; ++c) ascii.Add(c);
  const auto beyond = static_cast<wchar_t>(sizeof(wchar_t) > 2 ? 0x110000 : 0xDFFF);
  std::wstring page;
  AppendPageText(page, L"\xD834\xDD1E", CodePage::Unicode(), false);
  AppendPageText(page, std::wstring_view(L"\xD834\xDD1E", 1), CodePage::Unicode(), false);
  AppendPageText(page, {&beyond, 1}, CodePage::Unicode(), false);
  AppendPageText(page, L"\u00a0", ascii, false);
  EXPECT_EQ(page, L"\xD834\xDD1E&#65533;&#65533;&#160;");
}

TEST_F(GeneratorTest, EscapesTheTitleColoursAndBaseAddressOnlyWhereNeeded) {
  fs.AddFile(L"C:\\MP3\\a#.mp3");
  PageSettings settings = Settings();
  settings.PageTitle = L"\u221e #1\u0081";
  settings.TitleColor = L"\u7ea2";
  settings.BaseUrl = L"http://h/\u00e9\u97f3\u0085#x%20/";
  GeneratePage(settings, fs);

  const std::string page = Page();
  EXPECT_NE(page.find("<Title>&#8734; #1&#65533;</title>"), std::string::npos) << page;
  EXPECT_NE(page.find("<font color=\"&#32418;\"><h1><I>&#8734; #1&#65533;</I>"), std::string::npos)
      << page;
  EXPECT_NE(page.find("<a href=\"http://h/%C3%A9%E9%9F%B3%C2%85#x%20/a%23.mp3\">a#</a><br>\r\n"),
            std::string::npos)
      << page;
}

TEST_F(GeneratorTest, JoinsFoldersWithOneBackslash) {
  struct Case {
    std::wstring musicFolder, outputFolder, pagePath;
  } cases[] = {
      {L"C:\\MP3", L"C:\\Out", L"C:\\Out\\mp3list.html"},
      {L"C:\\MP3\\", L"C:\\Out\\", L"C:\\Out\\mp3list.html"},
      {L"D:\\", L"D:\\", L"D:\\mp3list.html"},
      {L"\\\\server\\music\\new", L"\\\\server\\music", L"\\\\server\\music\\mp3list.html"},
      // An emptied output folder means the root of the current drive.
      {L"D:\\", L"", L"C:\\mp3list.html"},
  };
  fs.AddRoot(L"D:");
  fs.AddRoot(L"\\\\server\\music");
  fs.AddFolder(L"\\\\server\\music\\new");
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.musicFolder + L" " + c.outputFolder));
    fs.AddFile(EnsureTrailingBackslash(c.musicFolder) + L"track.mp3");
    PageSettings settings = Settings();
    settings.MusicFolder = c.musicFolder;
    settings.OutputFolder = c.outputFolder;
    GeneratePage(settings, fs);
    EXPECT_NE(Page(c.pagePath).find("<a href=\"music/track.mp3\">track</a>"), std::string::npos);
    fs.Remove(c.pagePath);
    fs.Remove(EnsureTrailingBackslash(c.musicFolder) + L"track.mp3");
  }
}

TEST_F(GeneratorTest, WritesAnEmptyListForAMissingOrEmptyMusicFolder) {
  PageSettings settings = Settings();
  settings.MusicFolder = L"C:\\Nowhere";
  GeneratePage(settings, fs);
  EXPECT_EQ(Page(), Head("My Songs") + "<center>\r\n" + kFooter);

  settings.MusicFolder = L"C:\\MP3";
  GeneratePage(settings, fs);
  EXPECT_EQ(Page(), Head("My Songs") + "<center>\r\n" + kFooter);
}

TEST_F(GeneratorTest, ReplacesAnOlderPageAndWritesTheSameBytesEachRun) {
  fs.AddFile(L"C:\\MP3\\one.mp3");
  fs.AddFile(L"C:\\Out\\mp3list.html", "an older page");

  GeneratePage(Settings(), fs);
  const std::string first = Page();
  GeneratePage(Settings(), fs);

  EXPECT_EQ(Page(), first);
  EXPECT_EQ(Links(), "<a href=\"music/one.mp3\">one</a><br>\r\n");
  EXPECT_EQ(fs.ListFolder(L"C:\\Out"), std::vector<std::wstring>{L"mp3list.html"});
}

}  // namespace
}  // namespace melodex
