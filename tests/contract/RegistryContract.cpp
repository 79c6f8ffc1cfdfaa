// What every Registry must do, run against each implementation so that the in-memory one
// the launcher's tests use cannot drift from the real one.
#include "contract/RegistryContract.h"

#include <array>
#include <cwctype>

namespace melodex::testing {

std::string RegistryWorkspaceName(const ::testing::TestParamInfo<RegistryWorkspaceMaker>& info) {
  return info.param.name;
}

std::vector<std::uint8_t> Utf16Bytes(const std::wstring& text, bool withNul) {
  std::vector<std::uint8_t> bytes;
  for (const wchar_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
  }
  if (withNul) bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

namespace {

constexpr std::uint8_t kUntouched = 0xCC;

struct Read {
  long openResult = -1;
  long queryResult = -1;
  std::uint32_t type = 0xFFFF;
  std::uint32_t size = 0xFFFF;
  std::vector<std::uint8_t> data;  // the first `size` bytes of the buffer, when they fit
};

// Opens the key for reading, queries one value into a 1024-byte buffer and closes the key.
Read ReadValue(Registry& registry, std::int32_t root, const std::wstring& path,
               const std::wstring& name) {
  Read read;
  RegistryKey key = 0;
  read.openResult = registry.OpenKey(PredefinedKey(root), path, kKeyQueryValue, key);
  if (read.openResult != kRegistrySuccess) return read;
  std::array<std::uint8_t, 1024> buffer;
  buffer.fill(kUntouched);
  read.size = static_cast<std::uint32_t>(buffer.size());
  read.queryResult = registry.QueryValue(key, name, read.type, buffer, read.size);
  if (read.queryResult == kRegistrySuccess && read.size <= buffer.size()) {
    read.data.assign(buffer.begin(), buffer.begin() + read.size);
  }
  EXPECT_EQ(registry.CloseKey(key), kRegistrySuccess);
  return read;
}

TEST_P(RegistryContract, OpensAnExistingKeyForReadingAndClosesIt) {
  RegistryKey key = 0;
  ASSERT_EQ(workspace->System().OpenKey(PredefinedKey(workspace->Root()), workspace->Key(),
                                        kKeyQueryValue, key),
            kRegistrySuccess);
  EXPECT_NE(key, 0u);
  EXPECT_EQ(workspace->System().CloseKey(key), kRegistrySuccess);
}

TEST_P(RegistryContract, OpeningAMissingKeyFailsAndGivesNoKey) {
  RegistryKey key = 12345;
  EXPECT_EQ(workspace->System().OpenKey(PredefinedKey(workspace->Root()),
                                        workspace->Key() + L"\\Missing", kKeyQueryValue, key),
            kRegistryNotFound);
  EXPECT_EQ(key, 0u);
}

TEST_P(RegistryContract, ValuesComeBackExactlyAsStored) {
  const std::vector<std::uint8_t> exactFit(1024, 0x5A);
  struct Case {
    const char* what;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
  };
  const Case cases[] = {
      {"text with its NUL", kRegSz, Utf16Bytes(L"C:\\Tools\\msinfo32.exe", true)},
      {"text without its NUL", kRegSz, Utf16Bytes(L"C:\\Tools\\msinfo32.exe", false)},
      {"text beyond ASCII", kRegSz, Utf16Bytes(L"C:\\Outils\\Syst\u00e8me \u20ac", true)},
      {"empty text of no bytes", kRegSz, {}},
      {"number 261", kRegDword, {0x05, 0x01, 0x00, 0x00}},
      {"number 0", kRegDword, {0x00, 0x00, 0x00, 0x00}},
      {"expandable text", kRegExpandSz, Utf16Bytes(L"%SystemRoot%\\msinfo32.exe", true)},
      {"binary", kRegBinary, {0x01, 0x00, 0xFF}},
      {"exactly the buffer", kRegBinary, exactFit},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    workspace->SetValue(workspace->Key(), L"Value", c.type, c.data);

    const Read read = ReadValue(workspace->System(), workspace->Root(), workspace->Key(), L"Value");

    ASSERT_EQ(read.queryResult, kRegistrySuccess);
    EXPECT_EQ(read.type, c.type);
    EXPECT_EQ(read.size, c.data.size());
    EXPECT_EQ(read.data, c.data);
  }
}

TEST_P(RegistryContract, AValueLargerThanTheBufferFailsAndGivesItsSize) {
  workspace->SetValue(workspace->Key(), L"Binary", kRegBinary, std::vector<std::uint8_t>(1025, 7));
  workspace->SetValue(workspace->Key(), L"Text", kRegSz,
                      Utf16Bytes(std::wstring(600, L'x'), /*withNul=*/true));

  const Read binary =
      ReadValue(workspace->System(), workspace->Root(), workspace->Key(), L"Binary");
  const Read text = ReadValue(workspace->System(), workspace->Root(), workspace->Key(), L"Text");

  EXPECT_EQ(binary.queryResult, kRegistryMoreData);
  EXPECT_EQ(binary.size, 1025u);
  EXPECT_EQ(text.queryResult, kRegistryMoreData);
  EXPECT_EQ(text.size, 1202u);
}

TEST_P(RegistryContract, AMissingValueIsNotFound) {
  workspace->SetValue(workspace->Key(), L"Other", kRegSz, Utf16Bytes(L"x", true));

  EXPECT_EQ(
      ReadValue(workspace->System(), workspace->Root(), workspace->Key(), L"PATH").queryResult,
      kRegistryNotFound);
}

TEST_P(RegistryContract, KeyPathsAndValueNamesIgnoreLetterCase) {
  const std::wstring path = workspace->Key() + L"\\Shared Tools\\MSInfo";
  workspace->SetValue(path, L"Path", kRegSz, Utf16Bytes(L"found", true));

  std::wstring shouted = path;
  for (wchar_t& c : shouted) c = static_cast<wchar_t>(std::towupper(c));
  const Read read = ReadValue(workspace->System(), workspace->Root(), shouted, L"pATH");

  EXPECT_EQ(read.openResult, kRegistrySuccess);
  EXPECT_EQ(read.data, Utf16Bytes(L"found", true));
}

TEST_P(RegistryContract, AKeyOpenedWithoutTheRightToQueryCannotBeRead) {
  workspace->SetValue(workspace->Key(), L"Value", kRegSz, Utf16Bytes(L"x", true));
  RegistryKey key = 0;
  ASSERT_EQ(workspace->System().OpenKey(PredefinedKey(workspace->Root()), workspace->Key(),
                                        kKeyEnumerateSubKeys, key),
            kRegistrySuccess);
  std::array<std::uint8_t, 16> buffer{};
  std::uint32_t type = 0;
  std::uint32_t size = static_cast<std::uint32_t>(buffer.size());

  EXPECT_EQ(workspace->System().QueryValue(key, L"Value", type, buffer, size),
            kRegistryAccessDenied);
  EXPECT_EQ(workspace->System().CloseKey(key), kRegistrySuccess);
}

}  // namespace
}  // namespace melodex::testing
