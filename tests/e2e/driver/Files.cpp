#include "e2e/driver/Files.h"

#include "e2e/driver/Waiting.h"
#include "support/Win32Files.h"

namespace e2e {
namespace {

std::wstring Reason() { return L" (error " + std::to_wstring(GetLastError()) + L")"; }

}  // namespace

void MakeFolder(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L'\\');
  if (slash != std::wstring::npos && slash > 2) MakeFolder(path.substr(0, slash));
  if (!CreateDirectoryW(melodex::testing::Extended(path).c_str(), nullptr) &&
      GetLastError() != ERROR_ALREADY_EXISTS)
    throw DriverError(L"cannot make the folder " + path + Reason());
}

void RemoveTree(const std::wstring& path) {
  for (const std::wstring& name : Names(path)) {
    const std::wstring full = path + L"\\" + name;
    const DWORD attributes = GetFileAttributesW(melodex::testing::Extended(full).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      RemoveTree(full);
    } else {
      SetFileAttributesW(melodex::testing::Extended(full).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(melodex::testing::Extended(full).c_str());
    }
  }
  RemoveDirectoryW(melodex::testing::Extended(path).c_str());
}

void FreshFolder(const std::wstring& path) {
  RemoveTree(path);
  MakeFolder(path);
  if (!Names(path).empty()) throw DriverError(L"cannot empty the folder " + path);
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  if (!melodex::testing::WriteBytes(path, bytes))
    throw DriverError(L"cannot write " + path + Reason());
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
  return melodex::testing::ReadBytes(path);
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(melodex::testing::Extended(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> Names(const std::wstring& folder, const std::wstring& wildcard) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data{};
  const HANDLE search =
      FindFirstFileW(melodex::testing::Extended(folder + L"\\" + wildcard).c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(search, &data));
  FindClose(search);
  return names;
}

void CopyOver(const std::wstring& from, const std::wstring& to) {
  if (!CopyFileW(from.c_str(), to.c_str(), FALSE))
    throw DriverError(L"cannot copy " + from + L" to " + to + Reason());
}

std::string Ansi(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

}  // namespace e2e
