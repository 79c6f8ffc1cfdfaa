#include "e2e/driver/Files.h"

#include <windows.h>

#include "e2e/driver/Waiting.h"

namespace e2e {
namespace {

std::wstring Reason() { return L" (error " + std::to_wstring(GetLastError()) + L")"; }

}  // namespace

void MakeFolder(const std::wstring& path) {
  if (!melodex::testing::MakeFolder(path))
    throw DriverError(L"cannot make the folder " + path + Reason());
}

void FreshFolder(const std::wstring& path) {
  RemoveTree(path);
  MakeFolder(path);
  if (!ListFolder(path).empty()) throw DriverError(L"cannot empty the folder " + path);
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  if (!melodex::testing::WriteBytes(path, bytes))
    throw DriverError(L"cannot write " + path + Reason());
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
