#include <array>

#include "contract/RegistryContract.h"
#include "platform/memory/InMemoryRegistry.h"

namespace melodex::testing {
namespace {

class InMemoryRegistryWorkspace : public RegistryWorkspace {
 public:
  InMemoryRegistryWorkspace() { registry_.AddKey(Root(), Key()); }
  Registry& System() override { return registry_; }
  std::int32_t Root() const override { return kHkeyCurrentUser; }
  std::wstring Key() const override { return L"Software\\Melodex test"; }
  void SetValue(const std::wstring& path, const std::wstring& name, std::uint32_t type,
                const std::vector<std::uint8_t>& data) override {
    registry_.SetValue(Root(), path, name, type, data);
  }

 private:
  InMemoryRegistry registry_;
};

INSTANTIATE_TEST_SUITE_P(InMemory, RegistryContract,
                         ::testing::Values(RegistryWorkspaceMaker{
                             "InMemory",
                             [] { return std::make_unique<InMemoryRegistryWorkspace>(); }}),
                         RegistryWorkspaceName);

// What only the in-memory registry can stage: Windows lets an administrator (and anyone
// under Wine) open any key with any access.
TEST(InMemoryRegistry, AKeyRefusesAnyAccessBeyondWhatItGrants) {
  InMemoryRegistry registry;
  registry.AddKey(kHkeyLocalMachine, L"SOFTWARE\\Vendor", kKeyRead);
  const RegistryKey root = PredefinedKey(kHkeyLocalMachine);
  RegistryKey key = 7;

  EXPECT_EQ(registry.OpenKey(root, L"SOFTWARE\\Vendor", 0x2003F, key), kRegistryAccessDenied);
  EXPECT_EQ(key, 0u);
  EXPECT_EQ(registry.OpenKey(root, L"SOFTWARE\\Vendor", kKeySetValue, key), kRegistryAccessDenied);
  ASSERT_EQ(registry.OpenKey(root, L"software\\vendor", kKeyQueryValue, key), kRegistrySuccess);
  EXPECT_EQ(registry.OpenHandles(), 1u);
  EXPECT_EQ(registry.CloseKey(key), kRegistrySuccess);
  EXPECT_EQ(registry.OpenHandles(), 0u);

  ASSERT_EQ(registry.Opens().size(), 3u);
  EXPECT_EQ(registry.Opens()[0].access, 0x2003Fu);
  EXPECT_EQ(registry.Opens()[0].result, kRegistryAccessDenied);
  EXPECT_EQ(registry.Opens()[2].path, L"software\\vendor");
  EXPECT_EQ(registry.Opens()[2].result, kRegistrySuccess);
}

TEST(InMemoryRegistry, AKeyThatGrantsNothingCannotBeOpenedAtAll) {
  InMemoryRegistry registry;
  registry.SetDword(kHkeyLocalMachine, L"SOFTWARE\\Locked", L"Value", 1);
  registry.AddKey(kHkeyLocalMachine, L"SOFTWARE\\Locked", 0);
  RegistryKey key = 0;

  EXPECT_EQ(
      registry.OpenKey(PredefinedKey(kHkeyLocalMachine), L"SOFTWARE\\Locked", kKeyQueryValue, key),
      kRegistryAccessDenied);
  // Its parent was made on the way and grants everything.
  EXPECT_EQ(registry.OpenKey(PredefinedKey(kHkeyLocalMachine), L"SOFTWARE", kKeyAllAccess, key),
            kRegistrySuccess);
}

TEST(InMemoryRegistry, RootsAreKeptApartAndUnknownHandlesAreRefused) {
  InMemoryRegistry registry;
  registry.SetDword(kHkeyCurrentUser, L"Software\\A", L"V", 0x04030201);
  RegistryKey key = 0;
  std::array<std::uint8_t, 4> buffer{};
  std::uint32_t type = 0;
  std::uint32_t size = 4;

  EXPECT_EQ(registry.OpenKey(PredefinedKey(kHkeyLocalMachine), L"Software\\A", kKeyQueryValue, key),
            kRegistryNotFound);
  EXPECT_EQ(registry.OpenKey(0x4242, L"A", kKeyQueryValue, key), kRegistryInvalidHandle);
  EXPECT_EQ(registry.QueryValue(0x4242, L"V", type, buffer, size), kRegistryInvalidHandle);
  EXPECT_EQ(registry.CloseKey(0), kRegistryInvalidHandle);
  // In its own root the number is there, least significant byte first.
  ASSERT_EQ(registry.OpenKey(PredefinedKey(kHkeyCurrentUser), L"Software\\A", kKeyQueryValue, key),
            kRegistrySuccess);
  ASSERT_EQ(registry.QueryValue(key, L"V", type, buffer, size), kRegistrySuccess);
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 4>{1, 2, 3, 4}));
}

}  // namespace
}  // namespace melodex::testing
