#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"
#include "platform/Error.h"

namespace melodex {

// A file-system operation that failed: the path it worked on and the system's own
// words for the reason, such as "Access is denied.".
class FileSystemError : public Error {
 public:
  FileSystemError(std::wstring path, std::wstring reason)
      : Error(std::move(reason)), path_(std::move(path)) {}

  const std::wstring& Path() const { return path_; }
  const std::wstring& Reason() const { return What(); }

 private:
  std::wstring path_;
};

// One wildcard search over a folder, yielding ordinary files only (no folders, hidden or
// system files) in the order the folder itself keeps them.
class FileSearch {
 public:
  virtual ~FileSearch() = default;

  // Puts the next matching name into `name`, reusing its storage, or returns false once the
  // search is exhausted. Throws FileSystemError when the folder cannot be read any further.
  virtual bool Next(std::wstring& name) = 0;

  // The same, as a name of its own.
  std::optional<std::wstring> Next() {
    std::wstring name;
    if (!Next(name)) return std::nullopt;
    return name;
  }
};

// A text file is written beside its path under a name of the program's own of this many
// characters ("mp3", eight hexadecimal digits, ".tmp"), so the folder must take a name that
// long besides the file's own.
inline constexpr std::size_t kTemporaryNameLength = 15;

// A text file written line by line in the system's ANSI code page, each line ending in
// CR LF. The file appears under its name only when Close() succeeds: until then a file of
// that name stays exactly as it was, and a file abandoned (destroyed without a successful
// Close) leaves nothing behind. A file it replaces passes on its marks (hidden, system) and,
// where the system keeps one, its security; one marked read-only is never replaced.
class TextFile {
 public:
  virtual ~TextFile() = default;

  // The characters the file's code page holds. Any other character of a line comes out
  // as "?".
  virtual CodePage Encoding() const = 0;

  // Throws FileSystemError, naming the file's own path, when the line cannot be written.
  virtual void WriteLine(std::wstring_view line) = 0;

  // Writes out what is left and puts the file in place. Throws FileSystemError on failure,
  // in which case the previous file of that name is untouched: among others when it has
  // been marked read-only meanwhile ("access denied").
  virtual void Close() = 0;
};

// A drive of the machine as the drive list shows it.
struct DriveInfo {
  std::wstring drive;  // the letter, upper case, and a colon: "C:"
  std::wstring label;  // the volume label; empty when the volume has none or cannot be read now

  bool operator==(const DriveInfo&) const = default;
};

// Every operation refuses a path that the system cannot take as it is (PathRules'
// SystemRefusal), which would make it work on another path: the ones that fail throw
// FileSystemError naming the path with the system's reason, FileExists says no.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Starts a search such as "C:\MP3\*.mp3" (the platform's wildcard rules, letter case
  // ignored). A folder that does not exist yields no names; a folder that cannot be read at
  // all (a drive that is not ready, access refused) throws FileSystemError.
  virtual std::unique_ptr<FileSearch> FindFiles(const std::wstring& pattern) = 0;

  // Starts a text file that will create or replace `path`. Throws FileSystemError when the
  // folder cannot take it (missing, read-only, full), and, before anything is written, when
  // the file there is marked read-only or is a folder ("access denied").
  virtual std::unique_ptr<TextFile> CreateTextFile(const std::wstring& path) = 0;

  // Whether an ordinary file (not a folder, not hidden, not a system file) of that name exists.
  virtual bool FileExists(const std::wstring& path) = 0;

  // The machine's drives in letter order, including those that cannot be read now (a
  // removable drive without a medium, a lost network drive). Never fails and never asks
  // the user to insert a medium.
  virtual std::vector<DriveInfo> Drives() = 0;

  // The names of the folder's sub-folders that are neither hidden nor system folders, in
  // the order the folder itself keeps them. Throws FileSystemError, naming `folder`, when
  // the folder cannot be listed: missing, not a folder, access refused, or on a drive that
  // is not ready.
  virtual std::vector<std::wstring> SubFolders(const std::wstring& folder) = 0;

  // The process's current folder, and its current folder on a drive ("D:"). Full paths: a
  // root ends in a backslash, any other folder does not; a drive letter is upper case. They
  // only look at what the process remembers, so a drive that is not ready does not fail them.
  virtual std::wstring CurrentFolder() = 0;
  virtual std::wstring CurrentFolderOn(const std::wstring& drive) = 0;
};

}  // namespace melodex
