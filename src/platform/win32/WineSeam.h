#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "platform/win32/FileIdentity.h"
#include "platform/win32/Handle.h"

// Where the program's calls to the system part ways between Windows and Wine. Everything
// that only Wine needs is here, so that what runs where can be read off this file.
//
// Windows renames and deletes the very file a handle holds, wherever it has gone. Wine does
// it by the path the file had when the handle was opened: once the file or a folder above it
// has moved, that path leads nowhere, or to another file, which Wine then renames or deletes
// in its stead.
namespace melodex::win32 {

// Whether the program runs under Wine.
bool RunningOnWine();

// Which way a handle's renames and deletes go.
enum class FileCalls {
  kFollowTheHandle,  // to the handle's own file, wherever it is: Windows
  kGoByPath,         // by the path it was opened under: Wine
};
// The way of the system the program runs on.
FileCalls SystemFileCalls();

// How a file written under a name of its own is found again to be renamed into place or
// deleted: through its own handle where the calls follow it. Under Wine, through its own
// handle only while its path still leads to it; else it is looked for by its number below
// the nearest folders above its old path that are there, two at most (a folder moved away
// went from the nearest, or from the one above when a new folder took its name), never
// below a volume's root, which would mean searching all of it. A rename is confirmed
// afterwards, as it may have gone by the path to another file.
class WrittenFile {
 public:
  // For `file`, just made under `path`. Under Wine, notes which file it is, as `read` tells;
  // when it cannot tell, none of what the handle does can be checked, and the file is
  // `Unsure()`.
  WrittenFile(FileCalls calls, HANDLE file, std::wstring path, IdentityReader read);

  // Whether the handle's renames and deletes cannot be told to reach the file (under Wine,
  // when its identity could not be read).
  bool Unsure() const { return calls_ == FileCalls::kGoByPath && !identity_; }

  // A handle through which a rename or a delete reaches the file where it is now: the
  // file's own, or one opened on it where it was found; none when it is found nowhere.
  class Reached {
   public:
    Reached() = default;  // nowhere
    explicit Reached(HANDLE file) : file_(file) {}
    explicit Reached(Handle found) : found_(std::move(found)), file_(found_.Get()) {}
    HANDLE Get() const { return file_; }
    explicit operator bool() const { return file_ != INVALID_HANDLE_VALUE; }

   private:
    Handle found_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
  };
  Reached Reach() const;

  // Whether a rename through the handle that failed with `error` is worth another try: under
  // Wine, a file gone from under the path the handle went by is looked for again.
  bool WorthAnotherTry(DWORD error) const;

  // After a rename to `target`: whether the file there is the one written. Under Wine the
  // rename may have gone by the old path, to another file.
  bool InPlace(const std::wstring& target) const;

 private:
  static constexpr int kFoldersSearched = 2;

  FileCalls calls_;
  HANDLE file_;
  std::wstring path_;
  IdentityReader read_;
  std::optional<FileIdentity> identity_;
};

}  // namespace melodex::win32
