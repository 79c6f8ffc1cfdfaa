#include <windows.h>

#include "contract/ProcessesContract.h"
#include "platform/win32/LongPaths.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/WineSeam.h"
#include "support/StandIn.h"
#include "support/Win32Files.h"

namespace melodex::testing {
namespace {

// Real programs in a scratch folder: copies of the probe, which leave a marker when run.
class Win32ProcessWorkspace : public ProcessWorkspace {
 public:
  Win32ProcessWorkspace()
      : folder_(MakeScratchFolder(L"melodex-processes")), current_(win32::CurrentDirectory()) {}
  ~Win32ProcessWorkspace() override {
    SetCurrentDirectoryW(current_.c_str());
    RemoveTree(folder_);
  }

  Processes& System() override { return processes_; }
  std::wstring Folder() const override { return folder_; }
  void MakeFolder(const std::wstring& path) override { EXPECT_TRUE(testing::MakeFolder(path)); }
  void MakeProgram(const std::wstring& path) override { standin::Copy(path); }
  void MakeNonProgram(const std::wstring& path) override {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "not a program", 13, &written, nullptr);
    CloseHandle(file);
  }
  std::wstring ShortNameOf(const std::wstring& path) override {
    std::wstring name = win32::GrowingBuffer(
        [&](wchar_t* buffer, DWORD size) { return GetShortPathNameW(path.c_str(), buffer, size); });
    EXPECT_FALSE(name.empty()) << GetLastError();
    return name;
  }
  void Hide(const std::wstring& path) override {
    EXPECT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  }
  void MakeCurrent(const std::wstring& folder) override {
    EXPECT_TRUE(SetCurrentDirectoryW(folder.c_str()));
  }
  bool StartsFromLongPaths() const override { return !win32::RunningOnWine(); }
  std::optional<std::wstring> CommandLineOf(const std::wstring& path) override {
    const auto run = standin::WaitForRun(path);
    if (!run) return std::nullopt;
    EXPECT_EQ(run->show, SW_SHOWNORMAL) << "a normal window that takes the focus";
    return run->commandLine;
  }
  bool HasRun(const std::wstring& path) override { return standin::HasRun(path); }

 private:
  std::wstring folder_;
  std::wstring current_;
  win32::Win32Processes processes_;
};

INSTANTIATE_TEST_SUITE_P(Win32, ProcessesContract,
                         ::testing::Values(ProcessWorkspaceMaker{
                             "Win32", [] { return std::make_unique<Win32ProcessWorkspace>(); }}),
                         ProcessWorkspaceName);

}  // namespace
}  // namespace melodex::testing
