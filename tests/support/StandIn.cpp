#include "support/StandIn.h"

#include "support/Win32Files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace melodex::testing::probe {
namespace {

std::wstring OwnFolder() {
  wchar_t self[MAX_PATH * 2];
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
  std::wstring path(self, length);
  return path.substr(0, path.find_last_of(L'\\'));
}

}  // namespace

void CopyProbe(const std::wstring& path) {
  const std::wstring probe = OwnFolder() + L"\\sysinfo_probe.exe";
  ASSERT_TRUE(CopyFileW(probe.c_str(), path.c_str(), TRUE)) << "no probe program beside the tests";
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
  return GetFileAttributesW((path + L".ran").c_str()) != INVALID_FILE_ATTRIBUTES ||
         GetFileAttributesW((path + L".ran.part").c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace melodex::testing::probe
