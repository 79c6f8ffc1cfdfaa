#include "support/Win32Files.h"

namespace melodex::testing {
namespace {

bool RemoveOnce(const std::wstring& folder) {
  bool removed = true;
  for (const std::wstring& name : ListFolder(folder)) {
    const std::wstring path = folder + L"\\" + name;
    const DWORD attributes = GetFileAttributesW(Extended(path).c_str());
    SetFileAttributesW(Extended(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      removed = RemoveOnce(path) && removed;
    } else if (!DeleteFileW(Extended(path).c_str())) {
      removed = false;
    }
  }
  return RemoveDirectoryW(Extended(folder).c_str()) && removed;
}

}  // namespace

std::wstring Extended(const std::wstring& path) {
  // Short paths stay as they are, so that the system still resolves "..", "/" and relative
  // paths in them; long ones are absolute here.
  if (path.size() < 240 || path.starts_with(L"\\\\")) return path;
  return L"\\\\?\\" + path;
}

std::wstring MakeScratchFolder(const std::wstring& prefix) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring base = temp;
  if (base.find(L' ') != std::wstring::npos) base = L"C:\\";
  static int counter = 0;
  const std::wstring folder = base + prefix + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter);
  MakeFolder(folder);
  return folder;
}

bool MakeFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(Extended(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
  const std::size_t slash = path.find_last_of(L'\\');
  if (slash != std::wstring::npos && slash > 2) MakeFolder(path.substr(0, slash));
  return CreateDirectoryW(Extended(path).c_str(), nullptr) != FALSE;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes, DWORD attributes) {
  const HANDLE file =
      CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  CloseHandle(file);
  return SetFileAttributesW(Extended(path).c_str(), attributes) && ok;
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
  const HANDLE file = CreateFileW(Extended(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(Extended(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> ListFolder(const std::wstring& folder, const std::wstring& wildcard) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  const HANDLE search = FindFirstFileW(Extended(folder + L"\\" + wildcard).c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(search, &data));
  FindClose(search);
  return names;
}

std::wstring SystemReason(DWORD error) {
  wchar_t* text = nullptr;
  FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring reason = text ? text : L"";
  LocalFree(text);
  while (!reason.empty() &&
         (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' ')) {
    reason.pop_back();
  }
  return reason;
}

void RemoveTree(const std::wstring& folder) {
  for (int attempt = 0; attempt < 50 && Exists(folder) && !RemoveOnce(folder); ++attempt) {
    Sleep(100);
  }
}

}  // namespace melodex::testing
