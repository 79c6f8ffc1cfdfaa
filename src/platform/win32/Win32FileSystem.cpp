#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include "platform/ExtendedPath.h"
#include "platform/win32/FileReplace.h"
#include "platform/win32/LongPaths.h"
#include "platform/win32/SystemMessage.h"

namespace melodex::win32 {
namespace {

constexpr DWORD kSkippedAttributes =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// While it lives, a drive without a medium fails the calls of this thread with "not ready"
// instead of bringing up the system's box that asks for a disk, which would block the
// program's window behind it.
class QuietDriveErrors {
 public:
  QuietDriveErrors() {
    SetThreadErrorMode(GetThreadErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX,
                       &previous_);
  }
  ~QuietDriveErrors() { SetThreadErrorMode(previous_, nullptr); }
  QuietDriveErrors(const QuietDriveErrors&) = delete;
  QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

 private:
  DWORD previous_ = 0;
};

bool IsLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// A folder path as the interface hands it out: the drive letter in upper case, and a
// trailing backslash at a root ("C:\", "\\server\share\") only.
std::wstring Normalized(std::wstring path) {
  if (path.size() >= 2 && IsLetter(path[0]) && path[1] == L':') {
    if (path[0] >= L'a') path[0] = static_cast<wchar_t>(path[0] - L'a' + L'A');
    while (path.size() > 3 && path.back() == L'\\') path.pop_back();
    if (path.size() == 2) path += L'\\';
    return path;
  }
  if (path.starts_with(L"\\\\")) {
    const std::size_t server = path.find(L'\\', 2);
    const std::size_t share = server == std::wstring::npos ? server : path.find(L'\\', server + 1);
    if (share == std::wstring::npos) return path + L'\\';
    while (path.size() > share + 1 && path.back() == L'\\') path.pop_back();
  }
  return path;
}

// The root of a path in extended-length form: "\\?\C:\", or "\\?\UNC\server\share\".
std::wstring RootOf(const std::wstring& extended) {
  constexpr std::wstring_view kUnc = L"\\\\?\\UNC\\";
  if (!extended.starts_with(kUnc)) return extended.substr(0, extended.find(L'\\', 4) + 1);
  const std::size_t server = extended.find(L'\\', kUnc.size());
  const std::size_t share =
      server == std::wstring::npos ? server : extended.find(L'\\', server + 1);
  return share == std::wstring::npos ? extended + L'\\' : extended.substr(0, share + 1);
}

// Whether the root of the path can be read; when not, `error` says why.
bool RootReadable(const std::wstring& extended, DWORD& error) {
  if (GetFileAttributesW(RootOf(extended).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  error = GetLastError();
  return false;
}

// A name of the program's own beside the page, "mp3" and eight hexadecimal digits, for the
// page while it is written and for the old page while it is replaced. Each call gives
// another one.
std::wstring FreshName(const std::wstring& folder, const wchar_t* extension) {
  static unsigned state = static_cast<unsigned>(GetTickCount64()) ^ (GetCurrentProcessId() << 16);
  state = state * 1664525u + 1013904223u;
  std::wstring name = folder + L"mp3";
  for (int shift = 28; shift >= 0; shift -= 4) name += L"0123456789ABCDEF"[(state >> shift) & 0xF];
  return name + extension;
}

class Search : public FileSearch {
 public:
  explicit Search(std::wstring pattern) : pattern_(std::move(pattern)) {
    const std::wstring extended = ForSystem(pattern_);
    handle_ = FindFirstFileExW(extended.c_str(), FindExInfoBasic, &data_, FindExSearchNameMatch,
                               nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (handle_ == INVALID_HANDLE_VALUE) {
      DWORD error = GetLastError();
      // A folder that is not there is an empty listing; a drive or share that cannot be
      // read at all (gone, no medium) is a failure: its folders may well exist.
      if (error == ERROR_PATH_NOT_FOUND && !RootReadable(extended, error)) {
        throw FileSystemError(pattern_, SystemMessage(error));
      }
      if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND &&
          error != ERROR_NO_MORE_FILES) {
        throw FileSystemError(pattern_, SystemMessage(error));
      }
    }
    pending_ = handle_ != INVALID_HANDLE_VALUE;
  }

  ~Search() override {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }

  bool Next(std::wstring& name) override {
    while (pending_ || Advance()) {
      pending_ = false;
      if (!(data_.dwFileAttributes & kSkippedAttributes)) {
        name.assign(data_.cFileName);
        return true;
      }
    }
    return false;
  }

 private:
  bool Advance() {
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    if (FindNextFileW(handle_, &data_)) return true;
    const DWORD error = GetLastError();
    if (error != ERROR_NO_MORE_FILES) throw FileSystemError(pattern_, SystemMessage(error));
    return false;
  }

  std::wstring pattern_;
  WIN32_FIND_DATAW data_{};
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  bool pending_ = false;
};

// The most bytes one UTF-16 unit can take in the code page (three in UTF-8, where a pair of
// them takes four).
int BytesPerUnit(UINT codePage) {
  if (codePage == CP_UTF8) return 3;
  CPINFO info{};
  return GetCPInfo(codePage, &info) ? static_cast<int>(info.MaxCharSize) : 4;
}

class Win32TextFile : public TextFile {
 public:
  explicit Win32TextFile(std::wstring path)
      : path_(std::move(path)), target_(ForSystem(path_)), codePage_(GetACP()) {
    // A page marked read-only, or a folder of that name, is refused before anything is
    // written: the rename that ends the run would walk around the mark on some systems.
    if (const DWORD error = Refusal(GetFileAttributesW(target_.c_str()))) Fail(error);
    // The page is written under a name of the program's own in its folder, so that the
    // final rename stays on one volume; a name that is taken is passed over.
    const std::wstring folder = target_.substr(0, target_.find_last_of(L'\\') + 1);
    for (int attempt = 0; handle_ == INVALID_HANDLE_VALUE; ++attempt) {
      tempPath_ = FreshName(folder, L".tmp");
      handle_ = CreateFileW(tempPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
      if (handle_ != INVALID_HANDLE_VALUE) break;
      const DWORD error = GetLastError();
      if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) ||
          attempt == kNameAttempts) {
        tempPath_.clear();
        Fail(error);
      }
    }
    buffer_.reserve(kBufferSize + 4096);
  }

  ~Win32TextFile() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    if (!committed_ && !tempPath_.empty()) DeleteFileW(tempPath_.c_str());
  }

  CodePage Encoding() const override { return CodePageOf(codePage_); }

  // Converted once, straight into the buffer, which is first made long enough for the most
  // bytes the line can take.
  void WriteLine(std::wstring_view line) override {
    const std::size_t start = buffer_.size();
    if (!line.empty()) {
      const int units = static_cast<int>(line.size());
      const int most = units * bytesPerUnit_;
      buffer_.resize(start + most);
      const int size = WideCharToMultiByte(codePage_, convertFlags_, line.data(), units,
                                           buffer_.data() + start, most, nullptr, nullptr);
      if (size == 0) Fail();
      buffer_.resize(start + size);
    }
    buffer_ += "\r\n";
    if (buffer_.size() >= kBufferSize) Flush();
  }

  void Close() override {
    Flush();
    if (!FlushFileBuffers(handle_)) Fail();
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (!CloseHandle(handle)) Fail();
    // A browser or virus scanner may hold the old page open for a moment. Replacing a file
    // that is open elsewhere fails with "access denied", not with a sharing violation, so
    // that is waited out too; a page that truly cannot be replaced is reported after it.
    for (int attempt = 0;; ++attempt) {
      const Outcome outcome = PutInPlace();
      if (outcome.error == ERROR_SUCCESS) {
        committed_ = true;
        return;
      }
      if (!outcome.again || attempt == kMoveAttempts) Fail(outcome.error);
      if (outcome.wait) Sleep(kMoveRetryMilliseconds);
    }
  }

 private:
  static constexpr std::size_t kBufferSize = 64 * 1024;
  static constexpr int kNameAttempts = 100;
  static constexpr int kMoveAttempts = 20;
  static constexpr DWORD kMoveRetryMilliseconds = 50;
  // What a replaced page passes on to the new one besides its security: the marks the user
  // or a tool gave it. Read-only is never among them: such a page is not replaced.
  static constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                           FILE_ATTRIBUTE_ARCHIVE |
                                           FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

  struct Outcome {
    DWORD error = ERROR_SUCCESS;
    bool again = false;  // worth another try
    bool wait = false;   // after a moment
  };

  // Why a page of these attributes may not be replaced, or ERROR_SUCCESS.
  static DWORD Refusal(DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES) return ERROR_SUCCESS;
    return attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY) ? ERROR_ACCESS_DENIED
                                                                             : ERROR_SUCCESS;
  }

  // Errors of a page another program holds open for a moment.
  static bool Busy(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED || error == ERROR_UNABLE_TO_REMOVE_REPLACED;
  }

  // One try at putting the written file where the page belongs.
  Outcome PutInPlace() {
    const DWORD attributes = GetFileAttributesW(target_.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      const DWORD error = GetLastError();
      if (error != ERROR_FILE_NOT_FOUND) return {.error = error};
      // A new page: a plain rename, which leaves a page that appeared meanwhile to the
      // next try, to be looked at first.
      if (MoveFileExW(tempPath_.c_str(), target_.c_str(), MOVEFILE_WRITE_THROUGH)) return {};
      const DWORD moveError = GetLastError();
      if (moveError == ERROR_ALREADY_EXISTS || moveError == ERROR_FILE_EXISTS)
        return {.error = moveError, .again = true};
      return {.error = moveError, .again = Busy(moveError), .wait = true};
    }
    if (const DWORD error = Refusal(attributes)) return {.error = error};
    if (!SetFileAttributesW(tempPath_.c_str(), attributes & kKeptAttributes))
      return {.error = GetLastError()};
    DWORD error = ERROR_SUCCESS;
    if (RunningOnWine()) {
      // Wine builds ReplaceFileW out of two renames, with no page at all in between, and
      // carries over neither attributes nor security; its rename over a file is one
      // POSIX rename, which never leaves the page missing.
      if (!MoveFileExW(tempPath_.c_str(), target_.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
      }
    } else {
      const std::wstring folder = target_.substr(0, target_.find_last_of(L'\\') + 1);
      std::wstring backup = FreshName(folder, L".old");
      for (int attempt = 0;
           attempt < kNameAttempts && GetFileAttributesW(backup.c_str()) != INVALID_FILE_ATTRIBUTES;
           ++attempt) {
        backup = FreshName(folder, L".old");
      }
      error = ReplaceKeepingTheOld(target_, tempPath_, backup);
    }
    // A page gone since it was looked at is a new page on the next try.
    if (error == ERROR_FILE_NOT_FOUND) return {.error = error, .again = true};
    return {.error = error, .again = Busy(error), .wait = true};
  }

  [[noreturn]] void Fail(DWORD error) { throw FileSystemError(path_, SystemMessage(error)); }
  [[noreturn]] void Fail() { Fail(GetLastError()); }

  void Flush() {
    if (handle_ == INVALID_HANDLE_VALUE) {
      throw FileSystemError(path_, SystemMessage(ERROR_INVALID_HANDLE));
    }
    std::size_t done = 0;
    while (done < buffer_.size()) {
      DWORD written = 0;
      const auto chunk = static_cast<DWORD>(buffer_.size() - done);
      if (!WriteFile(handle_, buffer_.data() + done, chunk, &written, nullptr)) Fail();
      if (written == 0) throw FileSystemError(path_, SystemMessage(ERROR_DISK_FULL));
      done += written;
    }
    buffer_.clear();
  }

  std::wstring path_;    // as given, for what the user is told
  std::wstring target_;  // as the file calls take it
  std::wstring tempPath_;
  UINT codePage_;
  // No look-alike may stand in for a character the code page lacks: such a one becomes "?".
  DWORD convertFlags_ = codePage_ == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  int bytesPerUnit_ = BytesPerUnit(codePage_);
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  std::string buffer_;
  bool committed_ = false;
};

}  // namespace

CodePage CodePageOf(unsigned codePage) {
  if (codePage == CP_UTF8) return CodePage::Unicode();
  CPINFO info{};
  if (!GetCPInfo(codePage, &info)) info.MaxCharSize = 2;
  // The characters that might be held: in a single-byte code page what its bytes stand for,
  // else the whole of the first plane. Each is held if it comes back from the code page as
  // itself; one that is not held comes back as the default character instead. Both ways
  // take one call each over all of them, as one character is never more than one unit of
  // the result.
  std::wstring candidates;
  if (info.MaxCharSize == 1) {
    char bytes[255];
    for (int b = 1; b <= 255; ++b) bytes[b - 1] = static_cast<char>(b);
    candidates.resize(255);
    candidates.resize(static_cast<std::size_t>(
        MultiByteToWideChar(codePage, 0, bytes, 255, candidates.data(), 255)));
  } else {
    for (wchar_t c = 1; c < 0xD800; ++c) candidates += c;
    for (wchar_t c = 0xE000; c != 0; ++c) candidates += c;  // up to U+FFFF
  }
  const int units = static_cast<int>(candidates.size());
  std::string encoded(candidates.size() * info.MaxCharSize, '\0');
  encoded.resize(static_cast<std::size_t>(
      WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, candidates.data(), units, encoded.data(),
                          static_cast<int>(encoded.size()), nullptr, nullptr)));
  std::wstring decoded(candidates.size(), L'\0');
  decoded.resize(static_cast<std::size_t>(MultiByteToWideChar(
      codePage, 0, encoded.data(), static_cast<int>(encoded.size()), decoded.data(), units)));

  CodePage held;
  held.Add(0);
  if (decoded.size() != candidates.size()) {
    // Not one character for one: keep to ASCII, which every ANSI code page holds.
    for (char32_t c = 1; c < 0x80; ++c) held.Add(c);
    return held;
  }
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    if (decoded[i] == candidates[i]) held.Add(static_cast<char32_t>(candidates[i]));
  }
  return held;
}

CodePage AnsiCodePage() { return CodePageOf(GetACP()); }

std::unique_ptr<FileSearch> Win32FileSystem::FindFiles(const std::wstring& pattern) {
  QuietDriveErrors quiet;
  return std::make_unique<Search>(pattern);
}

std::unique_ptr<TextFile> Win32FileSystem::CreateTextFile(const std::wstring& path) {
  QuietDriveErrors quiet;
  return std::make_unique<Win32TextFile>(path);
}

bool Win32FileSystem::FileExists(const std::wstring& path) {
  QuietDriveErrors quiet;
  const DWORD attributes = GetFileAttributesW(ForSystem(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & kSkippedAttributes);
}

std::vector<DriveInfo> Win32FileSystem::Drives() {
  QuietDriveErrors quiet;
  std::wstring roots(128, L'\0');
  for (;;) {
    const DWORD size = GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
    if (size == 0) return {};
    if (size < roots.size()) break;
    roots.resize(size + 1);
  }
  std::vector<DriveInfo> drives;
  for (const wchar_t* root = roots.c_str(); *root; root += wcslen(root) + 1) {
    if (!IsLetter(root[0]) || root[1] != L':') continue;
    wchar_t label[MAX_PATH + 1] = L"";
    if (!GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)) {
      label[0] = L'\0';  // no medium, or a network drive that has gone
    }
    const std::wstring letter = Normalized(std::wstring{root[0], L':'});  // "C:\\"
    drives.push_back({.drive = letter.substr(0, 2), .label = label});
  }
  return drives;
}

std::vector<std::wstring> Win32FileSystem::SubFolders(const std::wstring& folder) {
  QuietDriveErrors quiet;
  std::wstring pattern = folder;
  if (pattern.empty() || pattern.back() != L'\\') pattern += L'\\';
  pattern = ForSystem(pattern + L'*');
  WIN32_FIND_DATAW data{};
  const HANDLE search =
      FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchLimitToDirectories,
                       nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    // Only the root of an empty volume has not even "." and "..".
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return {};
    throw FileSystemError(folder, SystemMessage(error));
  }
  std::vector<std::wstring> names;
  DWORD error = ERROR_SUCCESS;
  for (bool more = true; more;) {
    const std::wstring_view name = data.cFileName;
    const DWORD attributes = data.dwFileAttributes;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) &&
        !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) && name != L"." &&
        name != L"..") {
      names.emplace_back(name);
    }
    more = FindNextFileW(search, &data);
    if (!more) error = GetLastError();
  }
  FindClose(search);
  if (error != ERROR_NO_MORE_FILES && error != ERROR_SUCCESS)
    throw FileSystemError(folder, SystemMessage(error));
  return names;
}

std::wstring Win32FileSystem::CurrentFolder() {
  return Normalized(OrdinaryPath(CurrentDirectory()));
}

std::wstring Win32FileSystem::CurrentFolderOn(const std::wstring& drive) {
  if (drive.empty()) return drive;
  return Normalized(OrdinaryPath(CurrentDirectoryOn(drive[0])));
}

}  // namespace melodex::win32
