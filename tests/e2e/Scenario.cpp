#include "e2e/Scenario.h"

#include <algorithm>
#include <cstdio>

#include "e2e/driver/Files.h"
#include "e2e/driver/Windows.h"
#include "support/Screenshot.h"

namespace e2e {
namespace {

// "Suite.Test", or "Suite.Test.parameter" for one of a parameterised test's runs: a name for
// a folder or a file.
std::wstring TestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  std::replace(name.begin(), name.end(), '/', '.');
  return {name.begin(), name.end()};
}

// Adds "<repairs> <scenario>" to the build folder's e2e-repairs.txt, which the end-to-end
// clock prints with the part's time.
void NoteRepairs(int repairs) {
  const std::wstring path =
      WindowsPath(Environment(L"MELODEX_BUILD_DIR", L".")) + L"\\e2e-repairs.txt";
  if (std::FILE* file = _wfopen(path.c_str(), L"ab")) {
    std::fputs((std::to_string(repairs) + " " + Narrow(TestName()) + "\n").c_str(), file);
    std::fclose(file);
  }
}

}  // namespace

void Scenario::SetUp() {
  repairsBefore_ = RepairsMade();
  folder_ = WorkFolderFor(TestName());
  FreshFolder(folder_);
  DeleteFileW(melodex::testing::ScreenshotPath(L"e2e-failed-" + TestName() + L".png").c_str());
  Start();
}

void Scenario::TearDown() {
  if (HasFailure()) {
    melodex::testing::SaveWindowPng(GetDesktopWindow(), melodex::testing::ScreenshotPath(
                                                            L"e2e-failed-" + TestName() + L".png"));
  }
  app_.reset();  // ends the program if it still runs
  NoteRepairs(RepairsMade() - repairsBefore_);
}

void Scenario::Start(const std::wstring& exe) {
  app_.reset();
  app_ = std::make_unique<Melodex>(exe, folder_);
}

std::wstring Scenario::MakeMusic(const std::wstring& name,
                                 const std::vector<std::wstring>& files) const {
  const std::wstring folder = In(name);
  MakeFolder(folder);
  for (const std::wstring& file : files) WriteBytes(folder + L"\\" + file, "");
  return folder;
}

}  // namespace e2e
