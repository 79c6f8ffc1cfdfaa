#include "platform/win32/Win32Registry.h"

#include <windows.h>

namespace melodex::win32 {
namespace {

HKEY Handle(RegistryKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

long Win32Registry::OpenKey(RegistryKey root, const std::wstring& path, std::uint32_t access,
                            RegistryKey& key) {
  HKEY opened = nullptr;
  const LSTATUS result = RegOpenKeyExW(Handle(root), path.c_str(), 0, access, &opened);
  key = result == ERROR_SUCCESS ? reinterpret_cast<RegistryKey>(opened) : 0;
  return result;
}

long Win32Registry::QueryValue(RegistryKey key, const std::wstring& name, std::uint32_t& type,
                               std::span<std::uint8_t> buffer, std::uint32_t& size) {
  DWORD valueType = REG_NONE;
  DWORD bytes = static_cast<DWORD>(buffer.size());
  const LSTATUS result =
      RegQueryValueExW(Handle(key), name.c_str(), nullptr, &valueType, buffer.data(), &bytes);
  if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
    type = valueType;
    size = bytes;
  }
  return result;
}

long Win32Registry::CloseKey(RegistryKey key) { return RegCloseKey(Handle(key)); }

}  // namespace melodex::win32
