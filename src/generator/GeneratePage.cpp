#include "generator/GeneratePage.h"

#include <memory>

#include "generator/ListingPageWriter.h"

namespace melodex {
namespace {

// The music folder's search, yielding the names the page lists. A wildcard search also
// matches long names through their short 8.3 names ("song.mp3x" as "SONG~1.MP3"), which
// are left out: only names whose own last four characters are ".mp3" count.
class MusicSearch {
 public:
  MusicSearch(const std::wstring& folder, FileSystem& fileSystem)
      : search_(fileSystem.FindFiles(EnsureTrailingBackslash(folder) + kMusicWildcard)) {}

  bool Next(std::wstring& name) {
    while (search_->Next(name)) {
      if (HasExtension(name, L".mp3")) return true;
    }
    return false;
  }

 private:
  std::unique_ptr<FileSearch> search_;
};

}  // namespace

void GeneratePage(const PageSettings& settings, FileSystem& fileSystem) {
  const std::wstring pagePath = EnsureTrailingBackslash(settings.OutputFolder) + kPageFileName;

  const auto file = fileSystem.CreateTextFile(pagePath);
  ListingPageWriter writer(*file);
  writer.WriteHead(settings);
  MusicSearch search(settings.MusicFolder, fileSystem);
  std::wstring name;
  while (search.Next(name)) writer.WriteLink(settings.BaseUrl, name);
  writer.WriteFoot();
  writer.Close();
}

bool HoldsMusic(const std::wstring& folder, FileSystem& fileSystem) {
  try {
    MusicSearch search(folder, fileSystem);
    std::wstring name;
    return search.Next(name);
  } catch (const FileSystemError&) {
    return false;
  }
}

}  // namespace melodex
