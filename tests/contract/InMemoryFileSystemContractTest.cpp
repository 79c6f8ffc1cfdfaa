#include "contract/FileSystemContract.h"
#include "platform/memory/InMemoryFileSystem.h"

namespace melodex::testing {
namespace {

class InMemoryWorkspace : public Workspace {
 public:
  InMemoryWorkspace() {
    fs_.AddRoot(L"C:", L"Local Disk");
    fs_.AddRoot(L"D:", L"Data");
    fs_.AddFolder(Folder());
  }
  FileSystem& System() override { return fs_; }
  std::wstring Folder() const override { return L"C:\\work"; }
  void MakeFolder(const std::wstring& path, bool hidden, bool system) override {
    fs_.AddFolder(path, Attributes(hidden, system));
  }
  void MakeFile(const std::wstring& path, const std::string& bytes, bool hidden,
                bool system) override {
    fs_.AddFile(path, bytes, Attributes(hidden, system));
  }
  std::optional<std::string> Read(const std::wstring& path) const override {
    return fs_.ReadFile(path);
  }
  void SetReadOnly(const std::wstring& path, bool readOnly) override {
    const unsigned attributes = fs_.AttributesOf(path);
    fs_.SetAttributes(path, readOnly ? attributes | InMemoryFileSystem::kReadOnly
                                     : attributes & ~InMemoryFileSystem::kReadOnly);
  }
  bool IsReadOnly(const std::wstring& path) const override {
    return fs_.AttributesOf(path) & InMemoryFileSystem::kReadOnly;
  }
  bool IsHidden(const std::wstring& path) const override {
    return fs_.AttributesOf(path) & InMemoryFileSystem::kHidden;
  }
  std::wstring AccessDeniedReason() const override { return kReasonAccessDenied; }
  std::wstring TooLongReason() const override { return kReasonTooLong; }
  std::wstring InvalidNameReason() const override { return kReasonInvalidName; }
  std::vector<std::wstring> List(const std::wstring& folder) const override {
    return fs_.ListFolder(folder);
  }
  std::wstring VolumeLabel(const std::wstring& drive) const override {
    return drive == L"C:" ? L"Local Disk" : (drive == L"D:" ? L"Data" : L"");
  }
  void MakeCurrent(const std::wstring& folder) override {
    fs_.SetCurrentDrive(folder.substr(0, 2));
    fs_.SetCurrentFolder(folder);
  }
  std::optional<std::wstring> StageUnreadableDrive() override {
    fs_.AddRoot(L"r:", L"Disc");  // named in either case, the drive is its capital letter
    fs_.SetReady(L"R:", false);
    return L"R:";
  }

 private:
  static unsigned Attributes(bool hidden, bool system) {
    unsigned attributes = InMemoryFileSystem::kNormal;
    if (hidden) attributes |= InMemoryFileSystem::kHidden;
    if (system) attributes |= InMemoryFileSystem::kSystem;
    return attributes;
  }

  InMemoryFileSystem fs_;
};

INSTANTIATE_TEST_SUITE_P(InMemory, FileSystemContract,
                         ::testing::Values(WorkspaceMaker{
                             "InMemory", [] { return std::make_unique<InMemoryWorkspace>(); }}),
                         WorkspaceName);

// What only the in-memory file system can stage: a disk that fills up as the page is written.
TEST(InMemoryFileSystem, ADriveTakesLinesUpToItsCapacityAndRefusesTheOneBeyond) {
  InMemoryFileSystem fs;
  fs.AddRoot(L"C:", L"");
  fs.AddFolder(L"C:\\Out");
  fs.SetCapacity(L"C:", 8);
  const auto file = fs.CreateTextFile(L"C:\\Out\\page.html");
  file->WriteLine(L"abcdef");  // eight bytes with the line break: the disk is full
  EXPECT_THROW(file->WriteLine(L""), FileSystemError);
}

TEST(InMemoryFileSystem, WhatIsNotThereReadsAsNothing) {
  InMemoryFileSystem fs;
  fs.AddRoot(L"C:", L"");
  EXPECT_TRUE(fs.ListFolder(L"C:\\Missing").empty());
  EXPECT_FALSE(fs.FindFiles(L"C:\\")->Next()) << "a drive itself, not its folder";
  EXPECT_EQ(fs.CurrentFolderOn(L"j:"), L"J:\\") << "a drive not there stands at its root";
  fs.AddFolder(L"C:\\Out");
  fs.AddFile(L"C:\\Out\\page.html", "old");
  fs.AddFile(L"C:\\OUT\\PAGE.HTML", "new");  // staged again: still one file
  EXPECT_EQ(fs.ReadFile(L"C:\\Out\\page.html"), "new");
  const auto file = fs.CreateTextFile(L"C:\\Out\\page.html");
  fs.Remove(L"C:\\Out");  // the folder goes while the page is written
  EXPECT_THROW(file->WriteLine(L""), FileSystemError);
}

}  // namespace
}  // namespace melodex::testing
