// The drive list and the directory list on their own: what they show, what the user's clicks
// do to them, and what the real window is told.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory/InMemoryFileSystem.h"
#include "ui/model/Form.h"
#include "ui/model/Lists.h"

namespace melodex::ui {
namespace {

// A backend whose windows remember which controls they were told about.
class RecordingBackend : public Backend {
 public:
  std::vector<std::string> changed;

  std::unique_ptr<WindowPeer> Realize(Form&) override { return std::make_unique<Peer>(*this); }
  void EndProgram() override {}

 private:
  class Peer : public WindowPeer {
   public:
    explicit Peer(RecordingBackend& backend) : backend_(backend) {}
    void Show() override {}
    void Hide() override {}
    void CaptionChanged() override {}
    void ControlChanged(const Control& control) override {
      backend_.changed.emplace_back(control.Name());
    }
    void MenuChanged(const MenuItem&) override {}
    void FocusChanged(const Control&) override {}
    void OuterSizeChanged() override {}

   private:
    RecordingBackend& backend_;
  };
};

class ListForm : public Form {
 public:
  ListForm(Backend& backend, FileSystem& files)
      : Form(backend, "ListForm", {}), Dir1(*this, "Dir1", {}, 0), Drive1(*this, "Drive1", {}, 1) {
    Dir1.ReadFrom(files);
    Drive1.ReadFrom(files);
    Dir1.Change = [this] { ++dirChanges; };
    Dir1.OpenFailed = [this](const FileSystemError& error) { failures.push_back(error); };
    Drive1.Change = [this] { drives.push_back(Drive1.Drive()); };
  }

  DirList Dir1;
  DriveList Drive1;
  int dirChanges = 0;
  std::vector<FileSystemError> failures;
  std::vector<std::wstring> drives;  // what Drive1 stood on at each Change
};

using Entry = DirList::Entry;

class ListsTest : public ::testing::Test {
 protected:
  ListsTest() {
    files.AddRoot(L"C:", L"System");
    files.AddRoot(L"A:", L"Floppy");
    files.SetReady(L"A:", false);
    files.AddRoot(L"D:");
    files.AddRoot(L"\\\\server\\music", L"Shared");
    files.AddFolder(L"C:\\Music\\rock");
    files.AddFolder(L"C:\\Music\\Jazz");
    files.AddFolder(L"C:\\Music\\blues");
    files.AddFolder(L"C:\\Music\\.cache", InMemoryFileSystem::kHidden);
    files.AddFolder(L"C:\\Music\\Thumbs", InMemoryFileSystem::kSystem);
    files.AddFile(L"C:\\Music\\song.mp3");
    files.AddFolder(L"C:\\Windows");
    files.SetCurrentFolder(L"C:\\Music");
  }

  ListForm& Make() {
    form = std::make_unique<ListForm>(backend, files);
    form->Load();
    return *form;
  }

  static int IndexOf(const DirList& list, const std::wstring& text) {
    for (std::size_t i = 0; i < list.Entries().size(); ++i) {
      if (list.Entries()[i].text == text) return static_cast<int>(i);
    }
    ADD_FAILURE() << "no entry " << ::testing::PrintToString(text);
    return -1;
  }

  InMemoryFileSystem files;
  RecordingBackend backend;
  std::unique_ptr<ListForm> form;
};

TEST_F(ListsTest, DirListShowsThePathFromTheRootThenTheSortedOrdinarySubFolders) {
  const DirList& dir = Make().Dir1;

  EXPECT_EQ(dir.Path(), L"C:\\Music");
  EXPECT_EQ(dir.Entries(), (std::vector<Entry>{
                               {L"c:\\", L"C:\\", 0, true},
                               {L"Music", L"C:\\Music", 1, true},
                               {L"blues", L"C:\\Music\\blues", 2, false},
                               {L"Jazz", L"C:\\Music\\Jazz", 2, false},
                               {L"rock", L"C:\\Music\\rock", 2, false},
                           }));
  EXPECT_EQ(dir.CurrentIndex(), 1);
  EXPECT_EQ(dir.ListIndex(), 1);
}

TEST_F(ListsTest, DirListOnANetworkShareShowsTheShareAsItsRoot) {
  files.AddFolder(L"\\\\server\\music\\Live\\1999");
  files.SetCurrentDrive(L"\\\\server\\music");
  files.SetCurrentFolder(L"\\\\server\\music\\Live");
  ListForm& f = Make();

  EXPECT_EQ(f.Dir1.Path(), L"\\\\server\\music\\Live");
  EXPECT_EQ(f.Dir1.Entries(), (std::vector<Entry>{
                                  {L"\\\\server\\music", L"\\\\server\\music\\", 0, true},
                                  {L"Live", L"\\\\server\\music\\Live", 1, true},
                                  {L"1999", L"\\\\server\\music\\Live\\1999", 2, false},
                              }));
  EXPECT_EQ(f.Drive1.ListIndex(), -1) << "a share is no drive";
  EXPECT_EQ(f.Drive1.Drive(), L"");

  f.Dir1.OnUserOpen(0);
  EXPECT_EQ(f.Dir1.Path(), L"\\\\server\\music\\");
}

TEST_F(ListsTest, ASingleClickOnlyHighlights) {
  ListForm& f = Make();
  backend.changed.clear();

  f.Dir1.OnUserSelect(IndexOf(f.Dir1, L"rock"));
  f.Dir1.OnUserSelect(0);

  EXPECT_EQ(f.Dir1.ListIndex(), 0);
  EXPECT_EQ(f.Dir1.Path(), L"C:\\Music");
  EXPECT_EQ(f.Dir1.Entries().size(), 5u);
  EXPECT_EQ(f.dirChanges, 0);
  EXPECT_TRUE(backend.changed.empty()) << "the real list shows the highlight already";
}

TEST_F(ListsTest, ADoubleClickOpensAnyEntryAndRaisesChange) {
  ListForm& f = Make();
  files.AddFolder(L"C:\\Music\\rock\\80s");

  // Down into a sub-folder.
  backend.changed.clear();
  f.Dir1.OnUserOpen(IndexOf(f.Dir1, L"rock"));
  EXPECT_EQ(f.Dir1.Path(), L"C:\\Music\\rock");
  EXPECT_EQ(f.Dir1.Entries(), (std::vector<Entry>{
                                  {L"c:\\", L"C:\\", 0, true},
                                  {L"Music", L"C:\\Music", 1, true},
                                  {L"rock", L"C:\\Music\\rock", 2, true},
                                  {L"80s", L"C:\\Music\\rock\\80s", 3, false},
                              }));
  EXPECT_EQ(f.Dir1.ListIndex(), 2) << "the opened folder is highlighted";
  EXPECT_EQ(f.dirChanges, 1);
  EXPECT_EQ(backend.changed, std::vector<std::string>{"Dir1"});

  // Up to the root, skipping a level.
  f.Dir1.OnUserOpen(0);
  EXPECT_EQ(f.Dir1.Path(), L"C:\\");
  EXPECT_EQ(f.Dir1.Entries().size(), 3u);
  EXPECT_EQ(f.dirChanges, 2);

  // Enter on the list opens the highlighted entry as a double click does.
  f.SetFocus(f.Dir1);
  f.Dir1.OnUserSelect(IndexOf(f.Dir1, L"Music"));
  f.PressEnter();
  EXPECT_EQ(f.Dir1.Path(), L"C:\\Music");
}

TEST_F(ListsTest, OpeningTheCurrentFolderReadsItAgainWithoutAChange) {
  ListForm& f = Make();
  files.AddFolder(L"C:\\Music\\pop");

  f.Dir1.OnUserOpen(f.Dir1.CurrentIndex());

  EXPECT_EQ(f.Dir1.Path(), L"C:\\Music");
  EXPECT_EQ(IndexOf(f.Dir1, L"pop"), 4);
  EXPECT_EQ(f.dirChanges, 0);
}

TEST_F(ListsTest, AFolderThatCannotBeOpenedLeavesTheListAsItWas) {
  ListForm& f = Make();
  const auto before = f.Dir1.Entries();
  files.Remove(L"C:\\Music\\Jazz");  // gone since the list was read

  f.Dir1.OnUserSelect(IndexOf(f.Dir1, L"Jazz"));
  f.Dir1.OnUserOpen(IndexOf(f.Dir1, L"Jazz"));

  ASSERT_EQ(f.failures.size(), 1u);
  EXPECT_EQ(f.failures[0].Path(), L"C:\\Music\\Jazz");
  EXPECT_EQ(f.failures[0].Reason(), kReasonPathNotFound);
  EXPECT_EQ(f.Dir1.Path(), L"C:\\Music");
  EXPECT_EQ(f.Dir1.Entries(), before);
  EXPECT_EQ(f.dirChanges, 0);

  files.SetReady(L"C:", false);
  f.Dir1.OnUserOpen(0);
  ASSERT_EQ(f.failures.size(), 2u);
  EXPECT_EQ(f.failures[1].Reason(), kReasonNotReady);
  EXPECT_EQ(f.Dir1.Path(), L"C:\\Music");
}

TEST_F(ListsTest, CodeSetsThePathWithoutAChangeOrFailsLeavingItAsItWas) {
  ListForm& f = Make();
  backend.changed.clear();

  f.Dir1.SetPath(L"c:\\windows\\");
  EXPECT_EQ(f.Dir1.Path(), L"C:\\windows");
  EXPECT_EQ(f.dirChanges, 0);
  EXPECT_EQ(backend.changed, std::vector<std::string>{"Dir1"});

  EXPECT_THROW(f.Dir1.SetPath(L"C:\\Missing"), FileSystemError);
  EXPECT_THROW(f.Dir1.SetPath(L"A:\\"), FileSystemError);
  EXPECT_EQ(f.Dir1.Path(), L"C:\\windows");
  EXPECT_EQ(f.Dir1.Entries().size(), 2u);
}

TEST_F(ListsTest, DirListStartsInAnUnreadableFolderWithoutItsSubFolders) {
  files.SetCurrentFolder(L"C:\\Music\\Gone");  // removed after the process went there
  ListForm& f = Make();

  EXPECT_EQ(f.Dir1.Path(), L"C:\\Music\\Gone");
  EXPECT_EQ(f.Dir1.Entries(), (std::vector<Entry>{{L"c:\\", L"C:\\", 0, true},
                                                  {L"Music", L"C:\\Music", 1, true},
                                                  {L"Gone", L"C:\\Music\\Gone", 2, true}}));
  f.Dir1.OnUserOpen(1);
  EXPECT_EQ(f.Dir1.Path(), L"C:\\Music");
}

TEST_F(ListsTest, DisabledListsIgnoreTheUser) {
  ListForm& f = Make();
  f.Dir1.SetEnabled(false);
  f.Drive1.SetEnabled(false);

  f.Dir1.OnUserSelect(0);
  f.Dir1.OnUserOpen(0);
  f.Drive1.OnUserSelect(0);

  EXPECT_EQ(f.Dir1.Path(), L"C:\\Music");
  EXPECT_EQ(f.Dir1.ListIndex(), 1);
  EXPECT_EQ(f.Drive1.Drive(), L"C:");
  EXPECT_TRUE(f.drives.empty());
}

TEST_F(ListsTest, DriveListShowsTheDrivesWithTheirLabelsAtTheCurrentDrive) {
  const DriveList& drives = Make().Drive1;

  EXPECT_EQ(drives.Entries(), (std::vector<DriveList::Entry>{
                                  {L"A:", L"a:"},  // not ready: its label cannot be read
                                  {L"C:", L"c: [System]"},
                                  {L"D:", L"d:"},  // no label
                              }));
  EXPECT_EQ(drives.ListIndex(), 1);
  EXPECT_EQ(drives.Drive(), L"C:");
}

TEST_F(ListsTest, OnlyTheUserPickingAnotherDriveRaisesChange) {
  ListForm& f = Make();
  backend.changed.clear();

  f.Drive1.OnUserSelect(1);  // the drive it stands on
  f.Drive1.OnUserSelect(7);  // no such entry
  f.Drive1.OnUserSelect(-1);
  EXPECT_TRUE(f.drives.empty());

  f.Drive1.OnUserSelect(2);
  EXPECT_EQ(f.drives, std::vector<std::wstring>{L"D:"});
  EXPECT_TRUE(backend.changed.empty()) << "the real box shows the choice already";

  f.Drive1.SetDrive(L"c:\\Music");
  EXPECT_EQ(f.Drive1.ListIndex(), 1);
  EXPECT_EQ(f.drives.size(), 1u) << "code setting the drive raises no Change";
  EXPECT_EQ(backend.changed, std::vector<std::string>{"Drive1"});

  f.Drive1.SetDrive(L"\\\\server\\music\\");
  EXPECT_EQ(f.Drive1.ListIndex(), -1);
}

TEST_F(ListsTest, DroppingTheDriveListDownReadsTheDrivesAgain) {
  ListForm& f = Make();
  backend.changed.clear();

  f.Drive1.OnUserDropDown();
  EXPECT_TRUE(backend.changed.empty()) << "nothing changed, nothing to redraw";

  files.SetReady(L"A:", true);
  files.AddRoot(L"B:", L"Stick");
  f.Drive1.OnUserDropDown();

  EXPECT_EQ(f.Drive1.Entries(), (std::vector<DriveList::Entry>{{L"A:", L"a: [Floppy]"},
                                                               {L"B:", L"b: [Stick]"},
                                                               {L"C:", L"c: [System]"},
                                                               {L"D:", L"d:"}}));
  EXPECT_EQ(f.Drive1.Drive(), L"C:") << "still on the same drive, now at another place";
  EXPECT_EQ(f.Drive1.ListIndex(), 2);
  EXPECT_EQ(backend.changed, std::vector<std::string>{"Drive1"});
  EXPECT_TRUE(f.drives.empty());
}

}  // namespace
}  // namespace melodex::ui
