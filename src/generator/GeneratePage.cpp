#include "generator/GeneratePage.h"

#include "generator/ListingPageWriter.h"

namespace melodex {

std::wstring EnsureTrailingBackslash(std::wstring folder) {
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  return folder;
}

bool HasMp3Extension(std::wstring_view name) {
  static constexpr std::wstring_view kExtension = L".mp3";
  if (name.size() < kExtension.size()) return false;
  const std::wstring_view tail = name.substr(name.size() - kExtension.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    wchar_t c = tail[i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c != kExtension[i]) return false;
  }
  return true;
}

void GeneratePage(const PageSettings& settings, FileSystem& fileSystem) {
  const std::wstring pattern = EnsureTrailingBackslash(settings.MusicFolder) + kMusicWildcard;
  const std::wstring pagePath = EnsureTrailingBackslash(settings.OutputFolder) + kPageFileName;

  const auto file = fileSystem.CreateTextFile(pagePath);
  ListingPageWriter writer(*file);
  writer.WriteHead(settings);
  const auto search = fileSystem.FindFiles(pattern);
  std::wstring name;
  while (search->Next(name)) {
    if (HasMp3Extension(name)) writer.WriteLink(settings.BaseUrl, name);
  }
  writer.WriteFoot();
  writer.Close();
}

}  // namespace melodex
