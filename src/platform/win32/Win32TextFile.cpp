#include "platform/win32/Win32TextFile.h"

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <optional>
#include <random>
#include <vector>

#include "platform/Digits.h"
#include "platform/PathRules.h"
#include "platform/win32/Handle.h"
#include "platform/win32/LongPaths.h"
#include "platform/win32/SystemMessage.h"
#include "platform/win32/Win32CodePage.h"

namespace melodex::win32 {
namespace {

// A name of the program's own beside the page, "mp3", eight hexadecimal digits and ".tmp",
// for the page while it is written. Each call gives another one, always
// kTemporaryNameLength characters long.
std::wstring FreshName(const std::wstring& folder) {
  static std::minstd_rand numbers(static_cast<unsigned>(GetTickCount64()) ^
                                  (GetCurrentProcessId() << 16));
  return folder + L"mp3" + HexDigits(numbers(), 8) + L".tmp";
}

// The most bytes one UTF-16 unit can take in the code page (three in UTF-8, where a pair of
// them takes four).
int BytesPerUnit(UINT codePage) {
  if (codePage == CP_UTF8) return 3;
  CPINFO info{};
  return GetCPInfo(codePage, &info) ? static_cast<int>(info.MaxCharSize) : 4;
}

// Marks the file for deletion, which the system carries out once its handles close.
void MarkForDeletion(HANDLE file) {
  FILE_DISPOSITION_INFO dispose{.DeleteFile = TRUE};
  SetFileInformationByHandle(file, FileDispositionInfo, &dispose, sizeof dispose);
}

class Win32TextFile : public TextFile {
 public:
  Win32TextFile(std::wstring path, const PageFileSeam& seam)
      : path_(std::move(path)),
        target_(ForSystem(path_)),
        codePage_(seam.codePage),
        setRenameInfo_(seam.rename) {
    // The page is written under a name of the program's own in its folder, so that the
    // final rename stays on one volume; that name, too, must be one the system takes.
    const std::wstring folder = FolderOf(target_);
    RequireTaken(FreshName(folder), path_);
    // A page marked read-only, or a folder of that name, is refused before anything is
    // written: the rename that ends the run would walk around the mark on some systems.
    if (const DWORD error = Refusal(GetFileAttributesW(target_.c_str()))) Fail(error);
    // A name that is taken is passed over.
    for (int attempt = 0;; ++attempt) {
      tempPath_ = FreshName(folder);
      // With the rights to rename and delete it through this handle, which reaches the file
      // wherever it is, and to give it the old page's marks; shared for deleting only.
      handle_.Reset(CreateFileW(
          tempPath_.c_str(), GENERIC_WRITE | DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
          FILE_SHARE_DELETE, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
          nullptr));
      if (handle_) break;
      const DWORD error = GetLastError();
      if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) ||
          attempt == kNameAttempts) {
        Fail(error);
      }
    }
    written_.emplace(seam.calls, handle_.Get(), tempPath_, seam.identityOf);
    if (written_->Unsure()) {
      // Nothing could be checked before the rename that ends the run, so the run ends here,
      // with the file it just made, which its path still leads to.
      MarkForDeletion(handle_.Get());
      Fail(ERROR_FILE_INVALID);
    }
    buffer_.reserve(kBufferSize + 4096);
  }

  ~Win32TextFile() override {
    if (!renamed_) Discard();
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
    if (!FlushFileBuffers(handle_.Get())) Fail();
    // A browser or virus scanner may hold the old page open for a moment. Replacing a file
    // that is open elsewhere fails with "access denied", not with a sharing violation, so
    // that is waited out too; a page that truly cannot be replaced is reported after it.
    for (int attempt = 0;; ++attempt) {
      const Outcome outcome = PutInPlace();
      if (renamed_) {
        handle_.Reset();  // the page now, kept whatever the outcome
        if (outcome.error != ERROR_SUCCESS) Fail(outcome.error);
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
  // What a replaced page passes on to the new one: the marks the user or a tool gave it. Read-only
  // is never among them: such a page is not replaced.
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
           error == ERROR_ACCESS_DENIED;
  }

  // One try at putting the written file where the page belongs, through its own handle, so
  // that no file that took its name meanwhile goes there instead. Once the rename is done,
  // `renamed_` says so, whatever the outcome.
  Outcome PutInPlace() {
    const DWORD attributes = GetFileAttributesW(target_.c_str());
    const bool replacing = attributes != INVALID_FILE_ATTRIBUTES;
    if (!replacing) {
      const DWORD error = GetLastError();
      if (error != ERROR_FILE_NOT_FOUND) return {.error = error};
    } else if (const DWORD error = Refusal(attributes)) {
      return {.error = error};
    } else {
      // No marks at all leaves the new page as it was made, an ordinary file.
      FILE_BASIC_INFO marks{.FileAttributes = attributes & kKeptAttributes};
      if (!SetFileInformationByHandle(handle_.Get(), FileBasicInfo, &marks, sizeof marks))
        return {.error = GetLastError()};
    }
    const WrittenFile::Reached written = written_->Reach();
    if (!written) return {.error = ERROR_FILE_INVALID};
    // A new page does not replace one that appeared meanwhile: the next try looks at it first.
    if (!Rename(written.Get(), replacing)) {
      const DWORD error = GetLastError();
      if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ||
          written_->WorthAnotherTry(error))
        return {.error = error, .again = true};
      return {.error = error, .again = Busy(error), .wait = true};
    }
    renamed_ = true;
    if (!written_->InPlace(target_)) return {.error = ERROR_FILE_INVALID};
    return {};
  }

  // Renames the file to the page's path, over a page that is there when `replace`.
  bool Rename(HANDLE file, bool replace) const {
    const std::size_t bytes = target_.size() * sizeof(wchar_t);
    std::vector<std::byte> buffer(offsetof(FILE_RENAME_INFO, FileName) + bytes + sizeof(wchar_t));
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = replace ? TRUE : FALSE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(bytes);
    std::memcpy(rename->FileName, target_.data(), bytes);
    return setRenameInfo_(file, FileRenameInfo, rename, static_cast<DWORD>(buffer.size())) != FALSE;
  }

  // Removes the unfinished page wherever it is now: the user may have moved its folder away
  // meanwhile, and then its path leads nowhere, or to another file.
  void Discard() {
    if (!handle_) return;
    if (const WrittenFile::Reached written = written_->Reach()) MarkForDeletion(written.Get());
    handle_.Reset();
  }

  [[noreturn]] void Fail(DWORD error) { throw FileSystemError(path_, SystemMessage(error)); }
  [[noreturn]] void Fail() { Fail(GetLastError()); }

  void Flush() {
    std::size_t done = 0;
    while (done < buffer_.size()) {
      DWORD written = 0;
      const auto chunk = static_cast<DWORD>(buffer_.size() - done);
      if (!WriteFile(handle_.Get(), buffer_.data() + done, chunk, &written, nullptr)) Fail();
      if (written == 0) Fail(ERROR_DISK_FULL);
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
  InformationSetter setRenameInfo_;
  Handle handle_;
  std::optional<WrittenFile> written_;  // what the handle writes, and how it is reached
  std::string buffer_;
  bool renamed_ = false;  // the written file went to the page's path
};

}  // namespace

std::unique_ptr<TextFile> OpenTextFile(const std::wstring& path, const PageFileSeam& seam) {
  return std::make_unique<Win32TextFile>(path, seam);
}

}  // namespace melodex::win32
