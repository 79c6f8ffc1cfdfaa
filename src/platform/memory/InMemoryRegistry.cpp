#include "platform/memory/InMemoryRegistry.h"

#include <algorithm>
#include <cwctype>

namespace melodex {
namespace {

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

// "A\\B\" and "a\b" name the same key.
std::wstring Normalized(const std::wstring& path) {
  std::wstring result;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(L'\\', start);
    if (end == std::wstring::npos) end = path.size();
    if (end > start) {
      if (!result.empty()) result += L'\\';
      result += path.substr(start, end - start);
    }
    start = end + 1;
  }
  return Upper(result);
}

bool IsPredefined(RegistryKey key) {
  return key >= PredefinedKey(static_cast<std::int32_t>(0x80000000u)) &&
         key <= PredefinedKey(static_cast<std::int32_t>(0x80000006u));
}

std::wstring RootName(RegistryKey key) {
  return L"ROOT" + std::to_wstring(static_cast<std::uint32_t>(key & 0xFFFFFFFFu));
}

std::wstring Join(const std::wstring& parent, const std::wstring& path) {
  return path.empty() ? parent : parent + L'\\' + path;
}

// The access bits that pick a registry view rather than grant anything.
constexpr std::uint32_t kViewFlags = 0x0300;

}  // namespace

std::wstring InMemoryRegistry::FullPath(RegistryKey parent, const std::wstring& path) const {
  if (IsPredefined(parent)) return Join(RootName(parent), Normalized(path));
  const auto handle = handles_.find(parent);
  if (handle == handles_.end()) return L"";
  return Join(handle->second.fullPath, Normalized(path));
}

InMemoryRegistry::Key& InMemoryRegistry::MakeKey(std::int32_t root, const std::wstring& path) {
  std::wstring full = RootName(PredefinedKey(root));
  keys_.try_emplace(full);
  const std::wstring normalized = Normalized(path);
  std::size_t start = 0;
  while (start < normalized.size()) {
    std::size_t end = normalized.find(L'\\', start);
    if (end == std::wstring::npos) end = normalized.size();
    full = Join(RootName(PredefinedKey(root)), normalized.substr(0, end));
    keys_.try_emplace(full);
    start = end + 1;
  }
  return keys_[full];
}

void InMemoryRegistry::AddKey(std::int32_t root, const std::wstring& path, std::uint32_t granted) {
  MakeKey(root, path).granted = granted;
}

void InMemoryRegistry::SetValue(std::int32_t root, const std::wstring& path,
                                const std::wstring& name, std::uint32_t type,
                                std::vector<std::uint8_t> data) {
  MakeKey(root, path).values[Upper(name)] = Value{type, std::move(data)};
}

void InMemoryRegistry::SetDword(std::int32_t root, const std::wstring& path,
                                const std::wstring& name, std::uint32_t value) {
  SetValue(root, path, name, kRegDword,
           {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

long InMemoryRegistry::OpenKey(RegistryKey root, const std::wstring& path, std::uint32_t access,
                               RegistryKey& key) {
  key = 0;
  long result = kRegistrySuccess;
  const std::wstring full = FullPath(root, path);
  const auto found = full.empty() ? keys_.end() : keys_.find(full);
  if (full.empty()) {
    result = kRegistryInvalidHandle;
  } else if (found == keys_.end() && full != Join(RootName(root), L"")) {
    result = kRegistryNotFound;
  } else if (found != keys_.end() && (access & ~kViewFlags & ~found->second.granted) != 0) {
    result = kRegistryAccessDenied;
  } else {
    key = nextHandle_;
    nextHandle_ += 4;
    handles_[key] = Handle{full, access};
  }
  opens_.push_back({root, path, access, result});
  return result;
}

long InMemoryRegistry::QueryValue(RegistryKey key, const std::wstring& name, std::uint32_t& type,
                                  std::span<std::uint8_t> buffer, std::uint32_t& size) {
  const auto handle = handles_.find(key);
  if (handle == handles_.end()) return kRegistryInvalidHandle;
  if (!(handle->second.access & kKeyQueryValue)) return kRegistryAccessDenied;
  const auto found = keys_.find(handle->second.fullPath);
  if (found == keys_.end()) return kRegistryNotFound;
  const auto value = found->second.values.find(Upper(name));
  if (value == found->second.values.end()) return kRegistryNotFound;
  type = value->second.type;
  size = static_cast<std::uint32_t>(value->second.data.size());
  if (value->second.data.size() > buffer.size()) return kRegistryMoreData;
  std::copy(value->second.data.begin(), value->second.data.end(), buffer.begin());
  return kRegistrySuccess;
}

long InMemoryRegistry::CloseKey(RegistryKey key) {
  return handles_.erase(key) ? kRegistrySuccess : kRegistryInvalidHandle;
}

}  // namespace melodex
