#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace melodex {

// A key handle as the registry hands it out; 0 is no key.
using RegistryKey = std::uintptr_t;

// A predefined root key from its 32-bit handle value, widened the way Windows widens it.
constexpr RegistryKey PredefinedKey(std::int32_t handleValue) {
  return static_cast<RegistryKey>(static_cast<std::intptr_t>(handleValue));
}
inline constexpr std::int32_t kHkeyCurrentUser = static_cast<std::int32_t>(0x80000001u);
inline constexpr std::int32_t kHkeyLocalMachine = static_cast<std::int32_t>(0x80000002u);

// Access rights asked for when a key is opened.
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
inline constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
inline constexpr std::uint32_t kKeyNotify = 0x0010;
inline constexpr std::uint32_t kKeyCreateLink = 0x0020;
inline constexpr std::uint32_t kReadControl = 0x00020000;
// What an ordinary user is granted on the machine's software keys.
inline constexpr std::uint32_t kKeyRead =
    kReadControl | kKeyQueryValue | kKeyEnumerateSubKeys | kKeyNotify;
inline constexpr std::uint32_t kKeyAllAccess = 0x000F003F;

// Value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// Results, as the system's error codes.
inline constexpr long kRegistrySuccess = 0;
inline constexpr long kRegistryNotFound = 2;       // no such key or value
inline constexpr long kRegistryAccessDenied = 5;   // the access asked for is not granted
inline constexpr long kRegistryInvalidHandle = 6;  // not an open key
inline constexpr long kRegistryMoreData = 234;     // the value does not fit in the buffer

// Reading the Windows registry: open a key, read values from it, close it.
class Registry {
 public:
  virtual ~Registry() = default;

  // Opens `path` (backslash-separated, letter case ignored) below an open or predefined key
  // with the access asked for. On success `key` receives the new handle; otherwise it is 0.
  virtual long OpenKey(RegistryKey root, const std::wstring& path, std::uint32_t access,
                       RegistryKey& key) = 0;

  // Reads the value `name` (letter case ignored) of a key opened with kKeyQueryValue.
  // On success `type` is the value's type, `size` the number of data bytes and the data is
  // at the start of `buffer`, exactly as stored: text in UTF-16 code units, least
  // significant byte first, with its terminating NUL only where one was stored. A value
  // larger than the buffer gives kRegistryMoreData with its full size in `size`.
  virtual long QueryValue(RegistryKey key, const std::wstring& name, std::uint32_t& type,
                          std::span<std::uint8_t> buffer, std::uint32_t& size) = 0;

  virtual long CloseKey(RegistryKey key) = 0;
};

}  // namespace melodex
