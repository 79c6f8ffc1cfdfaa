#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace melodex {

// How Windows reads paths and file names, in one place and without asking the system
// anything: what separates names, which letters are the same in a name, where a path's root
// ends, how the system resolves a path, and which paths it cannot take at all.

// --- Names ---

// "\" or "/", which the system reads alike.
bool IsSeparator(wchar_t c);

// Letter case folded as file names compare: the ASCII and the Latin-1 letters, the same on
// every platform the program is built for. Names that differ only in folded letters name
// the same file.
wchar_t FoldCase(wchar_t c);
std::wstring FoldCase(std::wstring text);
bool SameName(std::wstring_view a, std::wstring_view b);
// The order of names in a sorted list: by their folded letters.
bool NameLess(std::wstring_view a, std::wstring_view b);

// Whether the name's own last characters are `extension` (".mp3"), letter case ignored.
bool HasExtension(std::wstring_view name, std::wstring_view extension);

// The platform's wildcards: "*" for any run of characters, "?" for any one.
bool WildcardMatch(std::wstring_view pattern, std::wstring_view name);

// --- Paths ---

// The folder as it is when it ends in a backslash, else with one appended; the empty text
// becomes a lone backslash, the root of the current drive. Joins a folder with a file name
// or a wildcard.
std::wstring EnsureTrailingBackslash(std::wstring folder);

// The names of a path between its separators, empty ones (doubled separators) left out:
// "C:\\a//b\" is "C:", "a", "b".
std::vector<std::wstring_view> PathNames(std::wstring_view path);

// The drive of a path, its letter in upper case and a colon ("D:" for "d:\Music"), or the
// empty text for a network path or a relative one.
std::wstring DriveOf(std::wstring_view path);

// A full folder path as its root ("C:\", the letter in upper case, or "\\server\share\")
// and the names of its folders below the root. Joined again, a root ends in a backslash
// and no other folder does, and separators are single backslashes.
struct PathParts {
  std::wstring root;
  std::vector<std::wstring> folders;
};
PathParts SplitPath(std::wstring_view path);
std::wstring JoinPath(const PathParts& parts);

// The root of a full path in the form it is written in: "C:\", "\\server\share\",
// "\\?\C:\" or "\\?\UNC\server\share\". A path relative to a drive's current folder gives
// that drive's root ("Z:\" for "Z:page.html"); any other relative path the empty text.
std::wstring RootOf(std::wstring_view path);

// The folder a path's last name stands in, as the path writes it, up to and with the
// separator before that name: "C:\out\" for "C:\out\page.html" and for "C:\out\sub\". A
// root is its own folder ("C:\", "\\server\share\", "\\?\C:\"); a name alone has none
// (the empty text), and one relative to a drive stands in the drive ("D:" for "D:page.html").
std::wstring FolderOf(std::wstring_view path);

// Whether the path names its drive and the root of it ("C:\...") or is a network path
// ("\\server\..."): a path that means the same whatever the current folders are.
bool IsFullPath(std::wstring_view path);

// What a relative path is resolved against: the process's current folder, and the folder
// it remembers for another drive ('D'). Asked only when a path needs them.
struct CurrentFolders {
  std::function<std::wstring()> current;
  std::function<std::wstring(wchar_t drive)> onDrive;
};

// The full extended-length form of a path: "\\?\C:\a\b", or "\\?\UNC\server\share\a" for a
// network path. The system does not parse such a path again, so it is resolved here the
// way the system resolves an ordinary one: relative to the current folder ("a\b"), to the
// current folder of a drive ("D:a"), to the root of the current drive ("\a", a lone "\");
// "/" read as "\", doubled separators and "." dropped, ".." taking off the folder before it
// but never the root, a single final period of a folder name dropped, and trailing periods
// and blanks of the last name. A path in extended or device form already ("\\?\", "\\.\",
// "\??\") is returned as it is.
std::wstring ExtendedLengthPath(std::wstring_view path, const CurrentFolders& folders);

// A path as the user knows it: the extended-length prefix taken off again ("\\?\C:\a" is
// "C:\a", "\\?\UNC\server\share" is "\\server\share"); any other path unchanged.
std::wstring OrdinaryPath(std::wstring_view path);

// --- What the system takes ---

// The longest path, in characters, that the system's file calls take in extended-length
// form. The system holds a path as a counted text whose capacity, in bytes and counting
// the closing NUL, is a 16-bit number: 32,766 characters and the NUL fill 65,534 of its
// 65,535 bytes. A longer path does not fit, and some systems (Wine) then count its length
// round: they keep only its first few characters, a short path that leads somewhere else.
inline constexpr std::size_t kLongestSystemPath = 32766;

// Why the system cannot take a path in extended-length form as it is, which would make it
// work on another path than the one given: too long (above), or holding a NUL, which ends
// the text the system reads.
enum class PathRefusal { kNone, kTooLong, kHoldsNul };
PathRefusal SystemRefusal(std::wstring_view extended);

}  // namespace melodex
