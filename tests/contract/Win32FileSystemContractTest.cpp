#include <windows.h>

#include "contract/FileSystemContract.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32FileSystem.h"
#include "support/Win32Files.h"

namespace melodex::testing {
namespace {

// A fresh folder under the system's temporary folder, set up and read with plain Win32
// calls rather than through the interface under test.
class Win32Workspace : public Workspace {
 public:
  Win32Workspace() : folder_(MakeScratchFolder(L"melodex-contract")) {
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    previousFolder_ = current;
  }
  ~Win32Workspace() override {
    if (!stagedDrive_.empty()) {
      DefineDosDeviceW(DDD_RAW_TARGET_PATH | DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE,
                       stagedDrive_.c_str(), stagedTarget_.c_str());
    }
    SetCurrentDirectoryW(previousFolder_.c_str());  // a current folder cannot be removed
    RemoveTree(folder_);
  }

  FileSystem& System() override { return fs_; }
  std::wstring Folder() const override { return folder_; }
  void MakeFolder(const std::wstring& path, bool hidden, bool system) override {
    testing::MakeFolder(path);
    DWORD attributes = 0;
    if (hidden) attributes |= FILE_ATTRIBUTE_HIDDEN;
    if (system) attributes |= FILE_ATTRIBUTE_SYSTEM;
    if (attributes)
      SetFileAttributesW(Extended(path).c_str(), FILE_ATTRIBUTE_DIRECTORY | attributes);
  }
  void MakeFile(const std::wstring& path, const std::string& bytes, bool hidden,
                bool system) override {
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (hidden) attributes |= FILE_ATTRIBUTE_HIDDEN;
    if (system) attributes |= FILE_ATTRIBUTE_SYSTEM;
    WriteBytes(path, bytes, attributes);
  }
  std::optional<std::string> Read(const std::wstring& path) const override {
    return ReadBytes(path);
  }
  void SetReadOnly(const std::wstring& path, bool readOnly) override {
    const DWORD attributes = GetFileAttributesW(Extended(path).c_str());
    SetFileAttributesW(Extended(path).c_str(), readOnly ? attributes | FILE_ATTRIBUTE_READONLY
                                                        : attributes & ~FILE_ATTRIBUTE_READONLY);
  }
  bool IsReadOnly(const std::wstring& path) const override {
    return GetFileAttributesW(Extended(path).c_str()) & FILE_ATTRIBUTE_READONLY;
  }
  bool IsHidden(const std::wstring& path) const override {
    return GetFileAttributesW(Extended(path).c_str()) & FILE_ATTRIBUTE_HIDDEN;
  }
  std::wstring AccessDeniedReason() const override { return SystemReason(ERROR_ACCESS_DENIED); }
  std::wstring TooLongReason() const override { return SystemReason(ERROR_FILENAME_EXCED_RANGE); }
  std::wstring InvalidNameReason() const override { return SystemReason(ERROR_INVALID_NAME); }
  std::vector<std::wstring> List(const std::wstring& folder) const override {
    return ListFolder(folder);
  }
  std::wstring VolumeLabel(const std::wstring& drive) const override {
    wchar_t label[MAX_PATH + 1] = L"";
    GetVolumeInformationW((drive + L"\\").c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                          nullptr, 0);
    return label;
  }
  void MakeCurrent(const std::wstring& folder) override { SetCurrentDirectoryW(folder.c_str()); }
  // A free drive letter made to point at a folder that does not exist: listed like any
  // drive, but nothing on it can be read, as with a drive that has no medium.
  std::optional<std::wstring> StageUnreadableDrive() override {
    const DWORD used = GetLogicalDrives();
    for (int letter = 'Y'; letter >= 'D'; --letter) {
      if (used & (1u << (letter - 'A'))) continue;
      const std::wstring drive{static_cast<wchar_t>(letter), L':'};
      const std::wstring target = L"\\??\\" + folder_ + L"\\no-medium";
      if (!DefineDosDeviceW(DDD_RAW_TARGET_PATH, drive.c_str(), target.c_str())) break;
      stagedDrive_ = drive;
      stagedTarget_ = target;
      return drive;
    }
    return std::nullopt;
  }

 private:
  std::wstring folder_;
  std::wstring previousFolder_;
  std::wstring stagedDrive_;
  std::wstring stagedTarget_;
  win32::Win32FileSystem fs_;
};

INSTANTIATE_TEST_SUITE_P(Win32, FileSystemContract,
                         ::testing::Values(WorkspaceMaker{
                             "Win32", [] { return std::make_unique<Win32Workspace>(); }}),
                         WorkspaceName);

// The pages of other systems than the one the tests run on: one of two bytes a character,
// and UTF-8, where the characters beyond the first plane are held too.
TEST(CodePageTest, TellsWhatEachKindOfCodePageHolds) {
  const struct {
    unsigned codePage;
    std::u32string held, lacking;
  } cases[] = {
      {932, U"x\\\u65e5\uff71\u221e", U"\u00e9\u0101\u20ac\U0001D11E"},
      {1253, U"x\u03b1\u20ac", U"\u00e9\u65e5"},
      {CP_UTF8, U"x\u00e9\u65e5\U0001D11E", U"\xd800"},
      {CP_UTF7, U"x\\", U"\u00e9\u65e5"},  // takes no flags: converts nothing, ASCII kept
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.codePage);
    const CodePage codePage = win32::CodePageOf(c.codePage);
    for (const char32_t held : c.held) EXPECT_TRUE(codePage.Holds(held)) << unsigned(held);
    for (const char32_t lacking : c.lacking)
      EXPECT_FALSE(codePage.Holds(lacking)) << unsigned(lacking);
  }
}

// A folder that is not there lists nothing, but one whose share cannot be reached at all
// fails, for the reason the system gives of the share itself.
TEST(Win32FileSystemTest, ASearchOnAShareThatCannotBeReachedFailsForTheSharesReason) {
  const std::wstring share = L"\\\\melodex-no-such-host\\music";
  GetFileAttributesW((L"\\\\?\\UNC" + share.substr(1) + L"\\").c_str());
  const std::wstring reason = SystemReason(GetLastError());
  win32::Win32FileSystem fs;
  try {
    fs.FindFiles(share + L"\\Music\\*.mp3");
    ADD_FAILURE() << "no failure";
  } catch (const FileSystemError& error) {
    EXPECT_EQ(error.Reason(), reason);
  }
}

}  // namespace
}  // namespace melodex::testing
