#include "support/StandIn.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "support/Win32Files.h"

namespace melodex::testing::standin {

std::wstring Program() {
  std::wstring self(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()))) ==
         self.size()) {
    self.resize(self.size() * 2);
  }
  self.resize(length);
  return self.substr(0, self.find_last_of(L'\\')) + L"\\melodex_stand_in.exe";
}

void Copy(const std::wstring& path) {
  ASSERT_TRUE(CopyFileW(Program().c_str(), Extended(path).c_str(), TRUE))
      << "no stand-in program beside the tests";
}

std::optional<Run> WaitForRun(const std::wstring& path) {
  for (int waited = 0; waited < 30000; waited += 25) {
    if (const auto bytes = ReadBytes(path + L".ran")) {
      std::wstring text(bytes->size() / sizeof(wchar_t), L'\0');
      std::memcpy(text.data(), bytes->data(), text.size() * sizeof(wchar_t));
      const std::size_t newline = text.find(L'\n');
      if (newline == std::wstring::npos) return std::nullopt;
      return Run{std::stoi(text.substr(0, newline)), text.substr(newline + 1)};
    }
    Sleep(25);
  }
  return std::nullopt;
}

bool HasRun(const std::wstring& path) {
  return Exists(path + L".ran") || Exists(path + L".ran.part");
}

}  // namespace melodex::testing::standin
