#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/PathRules.h"

namespace melodex {

// The reasons Windows gives for the failures the in-memory file system can stage.
inline constexpr wchar_t kReasonNotReady[] = L"The device is not ready.";
inline constexpr wchar_t kReasonAccessDenied[] = L"Access is denied.";
inline constexpr wchar_t kReasonDiskFull[] = L"There is not enough space on the disk.";
inline constexpr wchar_t kReasonPathNotFound[] = L"The system cannot find the path specified.";
inline constexpr wchar_t kReasonNotAFolder[] = L"The directory name is invalid.";
inline constexpr wchar_t kReasonTooLong[] = L"The filename or extension is too long.";
inline constexpr wchar_t kReasonInvalidName[] =
    L"The filename, directory name, or volume label syntax is incorrect.";

// A file system held in memory, for tests: drives (and network shares) with folders and
// files kept in an order of their own, file attributes and 8.3 short names, and failures
// on demand. Paths follow Windows: "C:\a\b", "\\server\share\a", "\a" (the current
// drive), letter case ignored. Text files are stored in code page 1252.
class InMemoryFileSystem : public FileSystem {
 public:
  enum Attribute : unsigned { kNormal = 0, kReadOnly = 1, kHidden = 2, kSystem = 4 };

  // Starts with one empty, ready drive C:, the current drive.
  InMemoryFileSystem();
  ~InMemoryFileSystem() override;

  // A drive ("D:") or a network share ("\\server\share").
  void AddRoot(const std::wstring& root, const std::wstring& label = L"");
  void SetCurrentDrive(const std::wstring& root);
  // Makes the folder the current folder of its drive (or share), as the process remembers
  // one per drive; which drive is current stays as it is. The folder need not exist.
  void SetCurrentFolder(const std::wstring& path);

  // Creates the folder and any missing parents.
  void AddFolder(const std::wstring& path, unsigned attributes = kNormal);
  // Creates or replaces a file, appended to the end of its folder's order.
  void AddFile(const std::wstring& path, const std::string& bytes = {},
               unsigned attributes = kNormal, const std::wstring& shortName = L"");
  void Remove(const std::wstring& path);
  unsigned AttributesOf(const std::wstring& path) const;
  void SetAttributes(const std::wstring& path, unsigned attributes);

  // Staged failures. A drive that is not ready fails every operation on it; a folder that
  // denies writes refuses new files; a root with a capacity refuses to grow beyond it. A
  // file marked read-only (AddFile, SetAttributes) is not replaced.
  void SetReady(const std::wstring& root, bool ready);
  void DenyWrites(const std::wstring& folder);
  void SetCapacity(const std::wstring& root, std::size_t bytes);

  std::optional<std::string> ReadFile(const std::wstring& path) const;
  // Every entry of the folder, files and folders, hidden or not, in the folder's order.
  std::vector<std::wstring> ListFolder(const std::wstring& path) const;
  // Every pattern FindFiles was given, in order.
  const std::vector<std::wstring>& Searches() const { return searches_; }

  std::unique_ptr<FileSearch> FindFiles(const std::wstring& pattern) override;
  std::unique_ptr<TextFile> CreateTextFile(const std::wstring& path) override;
  bool FileExists(const std::wstring& path) override;
  std::vector<DriveInfo> Drives() override;
  std::vector<std::wstring> SubFolders(const std::wstring& folder) override;
  std::wstring CurrentFolder() override;
  std::wstring CurrentFolderOn(const std::wstring& drive) override;

  struct Node;
  struct Root;

 private:
  class Search;
  class Writer;

  struct Location {
    Root* root = nullptr;
    std::vector<std::wstring> parts;
  };
  Location Parse(const std::wstring& path) const;
  // The current folders a relative path is resolved against, and the one of a root.
  CurrentFolders Folders() const;
  std::wstring FolderOn(const std::wstring& root) const;
  Node* Find(const Location& location) const;
  Node* FindFolderOf(const Location& location, std::wstring& name) const;
  // Throws FileSystemError naming `shown` when the system would not take the path as it is.
  void ThrowIfNotTaken(const std::wstring& path, const std::wstring& shown) const;
  void ThrowIfNotReady(const Location& location, const std::wstring& path) const;
  std::size_t UsedBytes(const Root& root) const;

  std::map<std::wstring, std::unique_ptr<Root>> roots_;
  std::wstring currentRoot_;
  unsigned nextTemp_ = 1;
  std::vector<std::wstring> searches_;
};

}  // namespace melodex
