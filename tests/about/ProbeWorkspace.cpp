#include "about/ProbeWorkspace.h"

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

std::optional<std::string> ReadBytes(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

bool RemoveOnce(const std::wstring& folder) {
  bool removed = true;
  WIN32_FIND_DATAW data;
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removed = RemoveOnce(path) && removed;
      } else if (!DeleteFileW(path.c_str())) {
        removed = false;
      }
    } while (FindNextFileW(search, &data));
    FindClose(search);
  }
  return RemoveDirectoryW(folder.c_str()) && removed;
}

}  // namespace

std::wstring MakeScratchFolder(const std::wstring& prefix) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring base = temp;
  // The tests plant programs where a blank in a path would lead Windows; a blank in the
  // temporary folder itself would put them outside the scratch folder.
  if (base.find(L' ') != std::wstring::npos) base = L"C:\\";
  static int counter = 0;
  const std::wstring folder = base + prefix + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter);
  MakeFolder(folder);
  return folder;
}

void MakeFolder(const std::wstring& path) {
  EXPECT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << "cannot make folder";
}

void RemoveTree(const std::wstring& folder) {
  for (int attempt = 0; attempt < 50 && !RemoveOnce(folder); ++attempt) Sleep(100);
}

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
