#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace melodex::testing {

// A fresh key on one implementation of Registry, with a way to fill it that does not go
// through the interface under test.
class RegistryWorkspace {
 public:
  virtual ~RegistryWorkspace() = default;
  virtual Registry& System() = 0;
  // The predefined root the key lives under.
  virtual std::int32_t Root() const = 0;
  // The path of an existing, empty key below Root().
  virtual std::wstring Key() const = 0;
  // Creates `path` below Root() (and its parents) with a value holding exactly these bytes.
  virtual void SetValue(const std::wstring& path, const std::wstring& name, std::uint32_t type,
                        const std::vector<std::uint8_t>& data) = 0;
};

struct RegistryWorkspaceMaker {
  std::string name;
  std::function<std::unique_ptr<RegistryWorkspace>()> make;
};
inline void PrintTo(const RegistryWorkspaceMaker& maker, std::ostream* out) { *out << maker.name; }

class RegistryContract : public ::testing::TestWithParam<RegistryWorkspaceMaker> {
 protected:
  void SetUp() override { workspace = GetParam().make(); }
  std::unique_ptr<RegistryWorkspace> workspace;
};

std::string RegistryWorkspaceName(const ::testing::TestParamInfo<RegistryWorkspaceMaker>& info);

// The bytes Windows stores for a text: UTF-16, least significant byte first.
std::vector<std::uint8_t> Utf16Bytes(const std::wstring& text, bool withNul);

}  // namespace melodex::testing
