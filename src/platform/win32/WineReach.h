#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/FileIdentity.h"

namespace melodex::win32 {

// A handle through which a rename or a delete acts on a file where it is now; closed with
// this object when it was opened for it.
class ReachedFile {
 public:
  ReachedFile() = default;
  ReachedFile(HANDLE handle, bool owned) : handle_(handle), owned_(owned) {}
  ReachedFile(ReachedFile&& other) noexcept
      : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)), owned_(other.owned_) {}
  ReachedFile& operator=(ReachedFile&&) = delete;
  ~ReachedFile() {
    if (owned_ && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }

  HANDLE Get() const { return handle_; }
  explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  bool owned_ = false;
};

// Windows renames and deletes the very file a handle holds, wherever it has gone. Wine does
// it by the path the file had when the handle was opened: once the file or a folder above
// it has moved, that path leads nowhere, or to another file, which Wine then renames or
// deletes in its stead. Under Wine this finds the file again, by its number, below the
// nearest folder above its old path that is still the folder it was: its moved folder went
// from there without leaving the volume. Elsewhere it hands back the file's own handle.
class WineReach {
 public:
  WineReach() = default;
  // For a file just opened under `path`: under Wine, notes which folder each folder above it
  // is.
  explicit WineReach(std::wstring path);

  // A handle for `file`, the file `identity` names, where it is now; none when it is found
  // nowhere. (Wine tells the volume of a file whose path leads elsewhere as 0, so the file's
  // identity is the one noted while its path still led to it.)
  ReachedFile Reach(HANDLE file, const std::optional<FileIdentity>& identity) const;

 private:
  std::wstring path_;
  // Each folder above the path, nearest first: the length of the path's part that names it,
  // and which folder it was.
  std::vector<std::pair<std::size_t, std::optional<FileIdentity>>> folders_;
};

}  // namespace melodex::win32
