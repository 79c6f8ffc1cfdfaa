#pragma once

#include <string>

#include "e2e/driver/Waiting.h"
#include "support/MachineValue.h"

namespace e2e {

// A value under HKEY_LOCAL_MACHINE of the test prefix, for a scenario: setting it either
// works or stops the scenario.
class MachineValue {
 public:
  MachineValue(const wchar_t* key, const wchar_t* name)
      : key_(key), name_(name), value_(key, name) {}

  void Remove() { value_.Remove(); }
  void Set(const std::wstring& text) {
    if (!value_.Set(text))
      throw DriverError(L"cannot set " + std::wstring(key_) + L" " + name_ + L" in the registry");
  }

 private:
  const wchar_t* key_;
  const wchar_t* name_;
  melodex::testing::MachineValue value_;
};

}  // namespace e2e
