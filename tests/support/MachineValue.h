#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace melodex::testing {

// One value under HKEY_LOCAL_MACHINE: taken away for the test (which may set it), and put
// back as it was afterwards, its key too.
class MachineValue {
 public:
  MachineValue(const wchar_t* key, const wchar_t* name) : key_(key), name_(name) {
    HKEY handle = nullptr;
    keyExisted_ = RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_, 0, KEY_QUERY_VALUE, &handle) == 0;
    if (!keyExisted_) return;
    DWORD size = 0;
    if (RegQueryValueExW(handle, name_, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
      data_.emplace(size);
      RegQueryValueExW(handle, name_, nullptr, &type_, data_->data(), &size);
    }
    RegCloseKey(handle);
    Remove();
  }
  ~MachineValue() {
    if (!keyExisted_) {
      RegDeleteTreeW(HKEY_LOCAL_MACHINE, key_);
      RegDeleteKeyW(HKEY_LOCAL_MACHINE, key_);
    } else if (data_) {
      RegSetKeyValueW(HKEY_LOCAL_MACHINE, key_, name_, type_, data_->data(),
                      static_cast<DWORD>(data_->size()));
    } else {
      Remove();
    }
  }
  MachineValue(const MachineValue&) = delete;
  MachineValue& operator=(const MachineValue&) = delete;

  void Remove() { RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key_, name_); }
  // Sets the value as text (REG_SZ, with its terminating NUL); false when it cannot.
  bool Set(const std::wstring& text) {
    return RegSetKeyValueW(HKEY_LOCAL_MACHINE, key_, name_, REG_SZ, text.c_str(),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
  }

 private:
  const wchar_t* key_;
  const wchar_t* name_;
  bool keyExisted_ = false;
  DWORD type_ = REG_NONE;
  std::optional<std::vector<BYTE>> data_;
};

}  // namespace melodex::testing
