#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace melodex {

// What a relative path is resolved against: the process's current folder, and the folder
// it remembers for another drive ('D'). Asked only when a path needs them.
struct CurrentFolders {
  std::function<std::wstring()> current;
  std::function<std::wstring(wchar_t drive)> onDrive;
};

// The names of a path between its separators ("\" or "/"), empty ones (doubled
// separators) left out: "C:\\a//b\" is "C:", "a", "b".
std::vector<std::wstring_view> PathNames(std::wstring_view path);

// The full extended-length form of a path: "\\?\C:\a\b", or "\\?\UNC\server\share\a" for a
// network path. The system takes such a path at any length up to 32,767 characters and does
// not parse it again, so it is resolved here the way the system resolves an ordinary one:
// relative to the current folder ("a\b"), to the current folder of a drive ("D:a"), to
// the root of the current drive ("\a", a lone "\"); "/" read as "\", doubled separators
// and "." dropped, ".." taking off the folder before it but never the root, a single
// final period of a folder name dropped, and trailing periods and blanks of the last
// name. A path in extended or device form already ("\\?\", "\\.\", "\??\") is returned
// as it is.
std::wstring ExtendedLengthPath(std::wstring_view path, const CurrentFolders& folders);

// A path as the user knows it: the extended-length prefix taken off again ("\\?\C:\a" is
// "C:\a", "\\?\UNC\server\share" is "\\server\share"); any other path unchanged.
std::wstring OrdinaryPath(std::wstring_view path);

}  // namespace melodex
