// melodex_e2e_map_drive LETTER [UNIX_FOLDER]: maps a drive letter of the Wine prefix to a
// Unix folder, or takes the mapping away, through Wine's mount manager as Wine's own
// configuration tool does. A bare link in the prefix's dosdevices folder would reach the
// files, but the drive would be missing from the drive list the mount manager keeps.
// Used by faults.sh on the Linux side, around the scenarios.
#include <windows.h>
#include <winioctl.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Wine's own request to its mount manager (include/ddk/mountmgr.h of Wine).
constexpr DWORD kDefineUnixDrive =
    CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
struct UnixDrive {
  ULONG size;
  ULONG type;
  ULONG fs_type;
  DWORD serial;
  ULONGLONG unix_dev;
  WCHAR letter;
  USHORT mount_point_offset;
  USHORT device_offset;
  USHORT label_offset;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || !argv[1][0]) {
    std::fprintf(stderr, "usage: melodex_e2e_map_drive LETTER [UNIX_FOLDER]\n");
    return 2;
  }
  const HANDLE manager =
      CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (manager == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "no mount manager (error %lu)\n", GetLastError());
    return 1;
  }
  const char* folder = argc > 2 ? argv[2] : nullptr;
  std::vector<char> request(sizeof(UnixDrive) + (folder ? std::strlen(folder) + 1 : 0), 0);
  auto* drive = reinterpret_cast<UnixDrive*>(request.data());
  drive->size = static_cast<ULONG>(request.size());
  drive->type = folder ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR;  // no folder: the drive goes
  drive->letter = static_cast<WCHAR>(argv[1][0] | 0x20);
  if (folder) {
    drive->mount_point_offset = sizeof(UnixDrive);
    std::strcpy(request.data() + drive->mount_point_offset, folder);
  }
  const BOOL done =
      DeviceIoControl(manager, kDefineUnixDrive, request.data(), static_cast<DWORD>(request.size()),
                      nullptr, 0, nullptr, nullptr);
  if (!done) std::fprintf(stderr, "the mount manager refused (error %lu)\n", GetLastError());
  CloseHandle(manager);
  return done ? 0 : 1;
}
