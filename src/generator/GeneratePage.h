#pragma once

#include <string>

#include "generator/PageSettings.h"
#include "platform/FileSystem.h"
#include "platform/PathRules.h"

namespace melodex {

inline constexpr wchar_t kPageFileName[] = L"mp3list.html";
inline constexpr wchar_t kMusicWildcard[] = L"*.mp3";

// Writes the page for the settings: "mp3list.html" in the output folder, listing the music
// folder's MP3 files in directory order. The page replaces an older one only once it is
// complete. Throws FileSystemError when the page cannot be written or the music folder
// cannot be searched; the older page is then left as it was.
void GeneratePage(const PageSettings& settings, FileSystem& fileSystem);

// Whether the page of the folder would list a music file: its "*.mp3" search finds one. A
// folder that cannot be searched holds none.
bool HoldsMusic(const std::wstring& folder, FileSystem& fileSystem);

}  // namespace melodex
