#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include "platform/win32/SystemMessage.h"

namespace melodex::win32 {
namespace {

constexpr DWORD kSkippedAttributes =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

class Search : public FileSearch {
 public:
  explicit Search(std::wstring pattern) : pattern_(std::move(pattern)) {
    handle_ = FindFirstFileExW(pattern_.c_str(), FindExInfoBasic, &data_, FindExSearchNameMatch,
                               nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (handle_ == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      // No match, or no such folder: an empty listing, not a failure.
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

  std::optional<std::wstring> Next() override {
    while (pending_ || Advance()) {
      pending_ = false;
      if (!(data_.dwFileAttributes & kSkippedAttributes)) return std::wstring(data_.cFileName);
    }
    return std::nullopt;
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

class Win32TextFile : public TextFile {
 public:
  explicit Win32TextFile(std::wstring path) : path_(std::move(path)), codePage_(GetACP()) {
    const std::size_t slash = path_.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : path_.substr(0, slash + 1);
    wchar_t temp[MAX_PATH];
    if (!GetTempFileNameW(folder.c_str(), L"mp3", 0, temp)) Fail();
    tempPath_ = temp;
    handle_ = CreateFileW(tempPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      DeleteFileW(tempPath_.c_str());
      throw FileSystemError(path_, SystemMessage(error));
    }
    buffer_.reserve(kBufferSize + 4096);
  }

  ~Win32TextFile() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    if (!committed_ && !tempPath_.empty()) DeleteFileW(tempPath_.c_str());
  }

  bool CanEncode(std::wstring_view text) const override {
    if (text.empty() || codePage_ == CP_UTF8) return true;
    BOOL usedDefault = FALSE;
    const int size =
        WideCharToMultiByte(codePage_, WC_NO_BEST_FIT_CHARS, text.data(),
                            static_cast<int>(text.size()), nullptr, 0, nullptr, &usedDefault);
    return size > 0 && !usedDefault;
  }

  void WriteLine(std::wstring_view line) override {
    const std::size_t start = buffer_.size();
    if (!line.empty()) {
      const int units = static_cast<int>(line.size());
      const DWORD flags = codePage_ == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
      const int size =
          WideCharToMultiByte(codePage_, flags, line.data(), units, nullptr, 0, nullptr, nullptr);
      buffer_.resize(start + size);
      WideCharToMultiByte(codePage_, flags, line.data(), units, buffer_.data() + start, size,
                          nullptr, nullptr);
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
    // A browser or virus scanner may hold the old page open for a moment. Renaming over a
    // file that is open elsewhere fails with "access denied", not with a sharing violation,
    // so that is waited out too; a page that truly cannot be replaced is reported after it.
    for (int attempt = 0;; ++attempt) {
      if (MoveFileExW(tempPath_.c_str(), path_.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        committed_ = true;
        return;
      }
      const DWORD error = GetLastError();
      if (attempt == kMoveAttempts ||
          (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION &&
           error != ERROR_ACCESS_DENIED)) {
        throw FileSystemError(path_, SystemMessage(error));
      }
      Sleep(kMoveRetryMilliseconds);
    }
  }

 private:
  static constexpr std::size_t kBufferSize = 64 * 1024;
  static constexpr int kMoveAttempts = 20;
  static constexpr DWORD kMoveRetryMilliseconds = 50;

  [[noreturn]] void Fail() { throw FileSystemError(path_, SystemMessage(GetLastError())); }

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

  std::wstring path_;
  std::wstring tempPath_;
  UINT codePage_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  std::string buffer_;
  bool committed_ = false;
};

}  // namespace

std::unique_ptr<FileSearch> Win32FileSystem::FindFiles(const std::wstring& pattern) {
  return std::make_unique<Search>(pattern);
}

std::unique_ptr<TextFile> Win32FileSystem::CreateTextFile(const std::wstring& path) {
  return std::make_unique<Win32TextFile>(path);
}

bool Win32FileSystem::FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & kSkippedAttributes);
}

}  // namespace melodex::win32
