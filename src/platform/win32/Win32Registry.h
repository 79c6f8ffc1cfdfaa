#pragma once

#include "platform/Registry.h"

namespace melodex::win32 {

// The Windows registry, through advapi32's wide-character calls.
class Win32Registry : public Registry {
 public:
  long OpenKey(RegistryKey root, const std::wstring& path, std::uint32_t access,
               RegistryKey& key) override;
  long QueryValue(RegistryKey key, const std::wstring& name, std::uint32_t& type,
                  std::span<std::uint8_t> buffer, std::uint32_t& size) override;
  long CloseKey(RegistryKey key) override;
};

}  // namespace melodex::win32
