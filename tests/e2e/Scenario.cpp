#include "e2e/Scenario.h"

#include "e2e/driver/Files.h"
#include "support/Screenshot.h"

namespace e2e {

void Scenario::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string name = std::string(info->test_suite_name()) + "." + info->name();
  folder_ = WorkFolderFor(std::wstring(name.begin(), name.end()));
  FreshFolder(folder_);
  DeleteFileW(melodex::testing::ScreenshotPath(L"e2e-failed-" +
                                               std::wstring(name.begin(), name.end()) + L".png")
                  .c_str());
  Start();
}

void Scenario::TearDown() {
  if (HasFailure()) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name =
        std::string("e2e-failed-") + info->test_suite_name() + "." + info->name();
    melodex::testing::SaveWindowPng(
        GetDesktopWindow(),
        melodex::testing::ScreenshotPath(std::wstring(name.begin(), name.end()) + L".png"));
  }
  app_.reset();  // ends the program if it still runs
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
