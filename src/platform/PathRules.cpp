#include "platform/PathRules.h"

#include <algorithm>
#include <initializer_list>

namespace melodex {
namespace {

constexpr std::wstring_view kExtended = L"\\\\?\\";
constexpr std::wstring_view kExtendedUnc = L"\\\\?\\UNC\\";

bool IsLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

wchar_t UpperLetter(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c; }

bool HasDrive(std::wstring_view path) {
  return path.size() >= 2 && IsLetter(path[0]) && path[1] == L':';
}

bool IsNetworkPath(std::wstring_view path) {
  return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
}

// A path's root as it is written, and where it ends. A drive ("C:"), with the separator of
// its root folder when one follows ("C:a" stands in the drive's current folder); a network
// path's server and share, either of which may be missing, with the separator after them;
// either behind the extended-length prefix ("\\?\C:\", "\\?\UNC\server\share\"). Else a
// separator in front, the root of the current drive, or none at all: a relative path.
struct Rooted {
  bool extended = false;
  bool network = false;
  std::wstring_view drive;  // "C:" as written
  std::wstring_view server;
  std::wstring_view share;
  std::size_t end;  // the root's length: the names below it start here
};

Rooted SplitRoot(std::wstring_view path) {
  Rooted rooted{};
  std::size_t at = 0;
  if (path.starts_with(kExtended) && HasDrive(path.substr(kExtended.size()))) {
    rooted.extended = true;
    at = kExtended.size();
  } else if (IsNetworkPath(path)) {
    rooted.extended = path.starts_with(kExtendedUnc);
    rooted.network = true;
    at = rooted.extended ? kExtendedUnc.size() : 2;
  }
  if (rooted.network) {
    for (std::wstring_view* name : {&rooted.server, &rooted.share}) {
      while (at < path.size() && IsSeparator(path[at])) ++at;
      const std::size_t start = at;
      while (at < path.size() && !IsSeparator(path[at])) ++at;
      *name = path.substr(start, at - start);
    }
  } else if (HasDrive(path.substr(at))) {
    rooted.drive = path.substr(at, 2);
    at += 2;
  }
  if (at < path.size() && IsSeparator(path[at])) ++at;
  rooted.end = at;
  return rooted;
}

// A network root written out: `prefix` ("\\" or "\\?\UNC\"), then the server and the share,
// each that is there followed by a backslash.
std::wstring NetworkRoot(std::wstring_view prefix, const Rooted& rooted) {
  std::wstring root(prefix);
  for (const std::wstring_view name : {rooted.server, rooted.share}) {
    if (!name.empty()) root.append(name).push_back(L'\\');
  }
  return root;
}

std::wstring ExtendedRoot(const Rooted& rooted) {
  if (!rooted.drive.empty()) return std::wstring(kExtended).append(rooted.drive) + L'\\';
  return NetworkRoot(kExtendedUnc, rooted);
}

std::wstring Joined(const std::wstring& folder, std::wstring_view rest) {
  return rest.empty() ? folder : folder + L'\\' + std::wstring(rest);
}

// The path with its meaning fixed: what it is relative to written in front of it.
std::wstring Absolute(std::wstring_view path, const CurrentFolders& folders) {
  if (IsFullPath(path)) return std::wstring(path);
  if (HasDrive(path)) {
    // "D:a": the folder the process remembers on that drive, or else its root.
    std::wstring base = folders.onDrive(path[0]);
    if (!HasDrive(base) || FoldCase(base[0]) != FoldCase(path[0]))
      base = std::wstring(path.substr(0, 2)) + L'\\';
    return Joined(base, path.substr(2));
  }
  const std::wstring current = OrdinaryPath(folders.current());
  if (!path.empty() && IsSeparator(path[0])) {
    return OrdinaryPath(ExtendedRoot(SplitRoot(current))) + std::wstring(path.substr(1));
  }
  return Joined(current, path);
}

}  // namespace

// --- Names ---

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

wchar_t FoldCase(wchar_t c) {
  if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
    return static_cast<wchar_t>(c - 0x20);
  }
  return c == 0xFF ? wchar_t{0x178} : c;  // the one Latin-1 letter whose capital is beyond it
}

std::wstring FoldCase(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return FoldCase(c); });
  return text;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](wchar_t x, wchar_t y) { return FoldCase(x) == FoldCase(y); });
}

bool NameLess(std::wstring_view a, std::wstring_view b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](wchar_t x, wchar_t y) { return FoldCase(x) < FoldCase(y); });
}

bool HasExtension(std::wstring_view name, std::wstring_view extension) {
  return name.size() >= extension.size() &&
         SameName(name.substr(name.size() - extension.size()), extension);
}

bool WildcardMatch(std::wstring_view pattern, std::wstring_view name) {
  std::size_t p = 0, n = 0, starP = std::wstring_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == L'?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == L'*') {
      starP = p++;
      starN = n;
    } else if (starP != std::wstring_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

// --- Paths ---

std::wstring EnsureTrailingBackslash(std::wstring folder) {
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  return folder;
}

std::vector<std::wstring_view> PathNames(std::wstring_view path) {
  std::vector<std::wstring_view> names;
  std::size_t start = 0;
  while (start < path.size()) {
    std::size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    if (end > start) names.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

std::wstring DriveOf(std::wstring_view path) {
  if (!HasDrive(path)) return L"";
  return {UpperLetter(path[0]), L':'};
}

PathParts SplitPath(std::wstring_view path) {
  const Rooted rooted = SplitRoot(path);
  PathParts parts;
  if (!rooted.drive.empty()) {
    parts.root = DriveOf(rooted.drive) + L'\\';
  } else if (rooted.network) {
    parts.root = NetworkRoot(L"\\\\", rooted);
  }
  for (const std::wstring_view name : PathNames(path.substr(rooted.end))) {
    parts.folders.emplace_back(name);
  }
  return parts;
}

std::wstring JoinPath(const PathParts& parts) {
  std::wstring path = parts.root;
  for (const std::wstring& folder : parts.folders) {
    if (!path.empty() && path.back() != L'\\') path += L'\\';  // a root may end with one
    path += folder;
  }
  return path;
}

std::wstring RootOf(std::wstring_view path) {
  const Rooted rooted = SplitRoot(path);
  if (rooted.extended) return ExtendedRoot(rooted);
  if (!rooted.drive.empty()) return std::wstring(rooted.drive) + L'\\';
  if (rooted.network) return NetworkRoot(L"\\\\", rooted);
  return L"";
}

std::wstring FolderOf(std::wstring_view path) {
  // The root stays whatever names follow; a separator at the end belongs to the name before.
  const std::size_t root = SplitRoot(path).end;
  std::size_t end = path.size();
  while (end > root && IsSeparator(path[end - 1])) --end;
  while (end > root && !IsSeparator(path[end - 1])) --end;
  return std::wstring(path.substr(0, end));
}

bool IsFullPath(std::wstring_view path) {
  const Rooted rooted = SplitRoot(path);
  return rooted.network || rooted.extended || (!rooted.drive.empty() && rooted.end > 2);
}

std::wstring ExtendedLengthPath(std::wstring_view path, const CurrentFolders& folders) {
  if (path.starts_with(kExtended) || path.starts_with(L"\\\\.\\") || path.starts_with(L"\\??\\"))
    return std::wstring(path);
  const std::wstring absolute = Absolute(path, folders);
  const Rooted rooted = SplitRoot(absolute);
  const std::wstring_view rest = std::wstring_view(absolute).substr(rooted.end);
  const bool endsInSeparator = !rest.empty() && IsSeparator(rest.back());

  std::vector<std::wstring> names;
  const std::vector<std::wstring_view> given = PathNames(rest);
  for (std::size_t i = 0; i < given.size(); ++i) {
    std::wstring name(given[i]);
    if (name == L".") continue;
    if (name == L"..") {
      if (!names.empty()) names.pop_back();
      continue;
    }
    if (i + 1 == given.size() && !endsInSeparator) {
      while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.pop_back();
      if (name.empty()) continue;
    } else if (name.size() >= 2 && name.back() == L'.' && name[name.size() - 2] != L'.') {
      name.pop_back();
    }
    names.push_back(std::move(name));
  }

  std::wstring extended = ExtendedRoot(rooted);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) extended += L'\\';
    extended += names[i];
  }
  if (endsInSeparator && !names.empty()) extended += L'\\';
  return extended;
}

std::wstring OrdinaryPath(std::wstring_view path) {
  if (path.starts_with(kExtendedUnc))
    return L"\\\\" + std::wstring(path.substr(kExtendedUnc.size()));
  if (path.starts_with(kExtended) && HasDrive(path.substr(kExtended.size())))
    return std::wstring(path.substr(kExtended.size()));
  return std::wstring(path);
}

// --- What the system takes ---

PathRefusal SystemRefusal(std::wstring_view extended) {
  if (extended.size() > kLongestSystemPath) return PathRefusal::kTooLong;
  if (extended.find(L'\0') != std::wstring_view::npos) return PathRefusal::kHoldsNul;
  return PathRefusal::kNone;
}

}  // namespace melodex
