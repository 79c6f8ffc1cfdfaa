#include "platform/ExtendedPath.h"

#include <vector>

namespace melodex {
namespace {

constexpr std::wstring_view kExtended = L"\\\\?\\";
constexpr std::wstring_view kExtendedUnc = L"\\\\?\\UNC\\";

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

bool HasDrive(std::wstring_view path) {
  return path.size() >= 2 && IsLetter(path[0]) && path[1] == L':';
}

bool IsNetworkPath(std::wstring_view path) {
  return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
}

// An absolute path (a drive's, or a network path) split into its root in extended form,
// "\\?\C:\" or "\\?\UNC\server\share\", and the rest.
struct Rooted {
  std::wstring root;
  std::wstring_view rest;
};

Rooted SplitRoot(std::wstring_view path) {
  if (HasDrive(path))
    return {std::wstring(kExtended) + std::wstring(path.substr(0, 2)) + L'\\', path.substr(2)};
  // "\\server\share": the server and the share make the root.
  std::wstring root(kExtendedUnc);
  std::size_t at = 2;
  for (int part = 0; part < 2; ++part) {
    while (at < path.size() && IsSeparator(path[at])) ++at;
    const std::size_t start = at;
    while (at < path.size() && !IsSeparator(path[at])) ++at;
    if (at > start) root.append(path.substr(start, at - start)).push_back(L'\\');
  }
  return {std::move(root), path.substr(at)};
}

// The root of an absolute path in ordinary form: "C:\", or "\\server\share\".
std::wstring OrdinaryRootOf(std::wstring_view path) { return OrdinaryPath(SplitRoot(path).root); }

std::wstring Joined(const std::wstring& folder, std::wstring_view rest) {
  return rest.empty() ? folder : folder + L'\\' + std::wstring(rest);
}

// The path with its meaning fixed: what it is relative to written in front of it.
std::wstring Absolute(std::wstring_view path, const CurrentFolders& folders) {
  if (HasDrive(path)) {
    if (path.size() > 2 && IsSeparator(path[2])) return std::wstring(path);
    // "D:a": the folder the process remembers on that drive, or else its root.
    std::wstring base = folders.onDrive(path[0]);
    if (!HasDrive(base) || (base[0] | 0x20) != (path[0] | 0x20))
      base = std::wstring(path.substr(0, 2)) + L'\\';
    return Joined(base, path.substr(2));
  }
  if (IsNetworkPath(path)) return std::wstring(path);
  const std::wstring current = OrdinaryPath(folders.current());
  if (!path.empty() && IsSeparator(path[0])) {
    return OrdinaryRootOf(current) + std::wstring(path.substr(1));
  }
  return Joined(current, path);
}

}  // namespace

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

std::wstring ExtendedLengthPath(std::wstring_view path, const CurrentFolders& folders) {
  if (path.starts_with(kExtended) || path.starts_with(L"\\\\.\\") || path.starts_with(L"\\??\\"))
    return std::wstring(path);
  const std::wstring absolute = Absolute(path, folders);
  const Rooted rooted = SplitRoot(absolute);
  const bool endsInSeparator = !rooted.rest.empty() && IsSeparator(rooted.rest.back());

  std::vector<std::wstring> names;
  const std::vector<std::wstring_view> given = PathNames(rooted.rest);
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

  std::wstring extended = rooted.root;
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

}  // namespace melodex
