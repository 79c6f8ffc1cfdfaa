#include <windows.h>

#include "contract/RegistryContract.h"
#include "platform/win32/Win32Registry.h"

namespace melodex::testing {
namespace {

// A fresh key under HKEY_CURRENT_USER\Software, filled with plain advapi32 calls and
// deleted with everything below it afterwards.
class Win32RegistryWorkspace : public RegistryWorkspace {
 public:
  Win32RegistryWorkspace() {
    static int counter = 0;
    key_ = L"Software\\Melodex test " + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter);
    HKEY created = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &created, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(created);
  }
  ~Win32RegistryWorkspace() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str());
  }

  Registry& System() override { return registry_; }
  std::int32_t Root() const override { return kHkeyCurrentUser; }
  std::wstring Key() const override { return key_; }
  void SetValue(const std::wstring& path, const std::wstring& name, std::uint32_t type,
                const std::vector<std::uint8_t>& data) override {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    // Windows adds the NUL to a text whose count left it out when one follows in memory;
    // what follows here is no NUL, so a text stored without one stays without.
    std::vector<std::uint8_t> bytes = data;
    bytes.insert(bytes.end(), {'!', '!', '!', '!'});
    EXPECT_EQ(
        RegSetValueExW(key, name.c_str(), 0, type, bytes.data(), static_cast<DWORD>(data.size())),
        ERROR_SUCCESS);
    RegCloseKey(key);
  }

 private:
  std::wstring key_;
  win32::Win32Registry registry_;
};

INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract,
                         ::testing::Values(RegistryWorkspaceMaker{
                             "Win32", [] { return std::make_unique<Win32RegistryWorkspace>(); }}),
                         RegistryWorkspaceName);

TEST(Win32Registry, ConstantsAreWindowsOwn) {
  EXPECT_EQ(PredefinedKey(kHkeyCurrentUser), reinterpret_cast<RegistryKey>(HKEY_CURRENT_USER));
  EXPECT_EQ(PredefinedKey(kHkeyLocalMachine), reinterpret_cast<RegistryKey>(HKEY_LOCAL_MACHINE));
  static_assert(kKeyQueryValue == KEY_QUERY_VALUE && kKeySetValue == KEY_SET_VALUE &&
                kKeyCreateSubKey == KEY_CREATE_SUB_KEY &&
                kKeyEnumerateSubKeys == KEY_ENUMERATE_SUB_KEYS && kKeyNotify == KEY_NOTIFY &&
                kKeyCreateLink == KEY_CREATE_LINK && kReadControl == READ_CONTROL &&
                kKeyRead == KEY_READ && kKeyAllAccess == KEY_ALL_ACCESS);
  static_assert(kRegNone == REG_NONE && kRegSz == REG_SZ && kRegExpandSz == REG_EXPAND_SZ &&
                kRegBinary == REG_BINARY && kRegDword == REG_DWORD && kRegMultiSz == REG_MULTI_SZ);
  static_assert(kRegistrySuccess == ERROR_SUCCESS && kRegistryNotFound == ERROR_FILE_NOT_FOUND &&
                kRegistryAccessDenied == ERROR_ACCESS_DENIED &&
                kRegistryInvalidHandle == ERROR_INVALID_HANDLE &&
                kRegistryMoreData == ERROR_MORE_DATA);
}

}  // namespace
}  // namespace melodex::testing
