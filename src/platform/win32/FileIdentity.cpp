#include "platform/win32/FileIdentity.h"

#include <winternl.h>

namespace melodex::win32 {
namespace {

// FILE_INTERNAL_INFORMATION, which the SDK's winternl.h does not declare.
constexpr auto kFileInternalInformation = static_cast<FILE_INFORMATION_CLASS>(6);
struct FileInternalInformation {
  LARGE_INTEGER IndexNumber;
};

}  // namespace

std::optional<FileIdentity> IdentityOf(HANDLE file) {
  // The number alone, asked of the file system directly: GetFileInformationByHandle would ask
  // for the volume's serial number as well.
  IO_STATUS_BLOCK status{};
  FileInternalInformation info{};
  if (NtQueryInformationFile(file, &status, &info, sizeof info, kFileInternalInformation) < 0) {
    return std::nullopt;
  }
  return FileIdentity{.number = static_cast<ULONGLONG>(info.IndexNumber.QuadPart)};
}

std::optional<FileIdentity> IdentityAt(const std::wstring& path, IdentityReader read) {
  const Handle file = OpenToLookAt(path);
  if (!file) return std::nullopt;
  return read(file.Get());
}

Handle OpenToLookAt(const std::wstring& path) {
  return Handle(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

}  // namespace melodex::win32
