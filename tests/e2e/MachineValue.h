#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "e2e/driver/Waiting.h"

namespace e2e {

// One value under HKEY_LOCAL_MACHINE of the test prefix: taken away for the scenario (which
// may set it), and put back as it was afterwards.
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
  void Set(const std::wstring& text) {
    const LSTATUS status = RegSetKeyValueW(HKEY_LOCAL_MACHINE, key_, name_, REG_SZ, text.c_str(),
                                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS)
      throw DriverError(L"cannot set " + std::wstring(key_) + L" " + name_ + L" in the registry");
  }

 private:
  const wchar_t* key_;
  const wchar_t* name_;
  bool keyExisted_ = false;
  DWORD type_ = REG_NONE;
  std::optional<std::vector<BYTE>> data_;
};

}  // namespace e2e
