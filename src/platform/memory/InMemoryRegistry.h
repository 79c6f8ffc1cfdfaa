#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace melodex {

// A registry held in memory, for tests: keys below the predefined roots with values of any
// type and raw data, access that a key can refuse, and a record of what was opened.
// Key paths and value names ignore letter case, as Windows' do.
class InMemoryRegistry : public Registry {
 public:
  // Creates the key and any missing parents. `granted` is the access any caller may have:
  // an open that asks for more is refused, as Windows refuses an ordinary user write
  // access to the machine's software keys.
  void AddKey(std::int32_t root, const std::wstring& path, std::uint32_t granted = kKeyAllAccess);
  // Creates or replaces a value with exactly these data bytes, creating the key if needed.
  void SetValue(std::int32_t root, const std::wstring& path, const std::wstring& name,
                std::uint32_t type, std::vector<std::uint8_t> data);
  void SetDword(std::int32_t root, const std::wstring& path, const std::wstring& name,
                std::uint32_t value);

  // Every open asked for, successful or not.
  struct Open {
    RegistryKey root;
    std::wstring path;
    std::uint32_t access;
    long result;
  };
  const std::vector<Open>& Opens() const { return opens_; }
  // How many opened keys have not been closed.
  std::size_t OpenHandles() const { return handles_.size(); }

  long OpenKey(RegistryKey root, const std::wstring& path, std::uint32_t access,
               RegistryKey& key) override;
  long QueryValue(RegistryKey key, const std::wstring& name, std::uint32_t& type,
                  std::span<std::uint8_t> buffer, std::uint32_t& size) override;
  long CloseKey(RegistryKey key) override;

 private:
  struct Value {
    std::uint32_t type = kRegNone;
    std::vector<std::uint8_t> data;
  };
  struct Key {
    std::uint32_t granted = kKeyAllAccess;
    std::map<std::wstring, Value> values;  // by upper-cased name
  };
  struct Handle {
    std::wstring fullPath;  // upper-cased, with the root
    std::uint32_t access;
  };

  // The upper-cased full path of `path` below a root or an open key, or empty when the
  // handle is neither.
  std::wstring FullPath(RegistryKey parent, const std::wstring& path) const;
  Key& MakeKey(std::int32_t root, const std::wstring& path);

  std::map<std::wstring, Key> keys_;  // by upper-cased full path
  std::map<RegistryKey, Handle> handles_;
  std::vector<Open> opens_;
  RegistryKey nextHandle_ = 0x100;
};

}  // namespace melodex
