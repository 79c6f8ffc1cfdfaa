#include <cwctype>

#include "contract/ProcessesContract.h"
#include "platform/PathRules.h"
#include "platform/memory/InMemoryFileSystem.h"
#include "platform/memory/InMemoryProcesses.h"

namespace melodex::testing {
namespace {

class InMemoryProcessWorkspace : public ProcessWorkspace {
 public:
  InMemoryProcessWorkspace() { files_.AddFolder(Folder()); }
  Processes& System() override { return processes_; }
  std::wstring Folder() const override { return L"C:\\work"; }
  void MakeFolder(const std::wstring& path) override { files_.AddFolder(path); }
  void MakeProgram(const std::wstring& path) override { files_.AddFile(path, "MZ"); }
  void MakeNonProgram(const std::wstring& path) override {
    files_.AddFile(path, "not a program");
    processes_.Refuse(path);
  }
  // The file's name as Windows shortens one: six letters of its stem, "~1", three of its
  // extension, in upper case.
  std::wstring ShortNameOf(const std::wstring& path) override {
    const std::wstring name = SplitPath(path).folders.back();
    const std::size_t dot = name.rfind(L'.');
    std::wstring shortName;
    for (const wchar_t c : name.substr(0, dot)) {
      if (c != L' ' && shortName.size() < 6) shortName += static_cast<wchar_t>(std::towupper(c));
    }
    shortName += L"~1";
    for (const wchar_t c : name.substr(dot, 4)) shortName += static_cast<wchar_t>(std::towupper(c));
    processes_.AddShortName(path, shortName);
    return path.substr(0, path.size() - name.size()) + shortName;
  }
  void Hide(const std::wstring& path) override {
    files_.SetAttributes(path, InMemoryFileSystem::kHidden | InMemoryFileSystem::kSystem);
  }
  void MakeCurrent(const std::wstring& folder) override { files_.SetCurrentFolder(folder); }
  bool StartsFromLongPaths() const override { return true; }
  std::optional<std::wstring> CommandLineOf(const std::wstring& path) override {
    for (const auto& start : processes_.started) {
      if (SameName(start.program, path)) return start.commandLine;
    }
    return std::nullopt;
  }
  bool HasRun(const std::wstring& path) override { return CommandLineOf(path).has_value(); }

 private:
  InMemoryFileSystem files_;
  InMemoryProcesses processes_{files_};
};

INSTANTIATE_TEST_SUITE_P(InMemory, ProcessesContract,
                         ::testing::Values(ProcessWorkspaceMaker{
                             "InMemory",
                             [] { return std::make_unique<InMemoryProcessWorkspace>(); }}),
                         ProcessWorkspaceName);

TEST(InMemoryProcesses, LogsEachStartInOrderAndNothingThatFailed) {
  InMemoryFileSystem files;
  files.AddFolder(L"C:\\Tools");
  files.AddFile(L"C:\\Tools\\a.exe");
  files.AddFile(L"C:\\Tools\\b.exe");
  InMemoryProcesses processes(files);
  processes.Refuse(L"c:\\tools\\B.EXE");

  EXPECT_TRUE(processes.StartProgram(L"C:\\Tools\\a.exe", L""));
  EXPECT_FALSE(processes.StartProgram(L"C:\\Tools\\b.exe", L"/x"));
  EXPECT_TRUE(processes.StartProgram(L"C:\\Tools\\a.exe", L"/x"));

  EXPECT_EQ(processes.started, (std::vector<InMemoryProcesses::Started>{
                                   {L"C:\\Tools\\a.exe", L"\"C:\\Tools\\a.exe\""},
                                   {L"C:\\Tools\\a.exe", L"\"C:\\Tools\\a.exe\" /x"},
                               }));
}

}  // namespace
}  // namespace melodex::testing
