#pragma once

#include <string>
#include <string_view>

#include "generator/PageSettings.h"
#include "platform/FileSystem.h"

namespace melodex {

inline constexpr wchar_t kPageFileName[] = L"mp3list.html";
inline constexpr wchar_t kMusicWildcard[] = L"*.mp3";

// The folder as it is when it ends in a backslash, else with one appended; the empty
// text becomes a lone backslash, the root of the current drive.
std::wstring EnsureTrailingBackslash(std::wstring folder);

// Whether the name's own last four characters are ".mp3", in any letter case. A wildcard
// search also matches long names through their short 8.3 names ("song.mp3x" as
// "SONG~1.MP3"), which this leaves out.
bool HasMp3Extension(std::wstring_view name);

// Writes the page for the settings: "mp3list.html" in the output folder, listing the music
// folder's MP3 files in directory order. The page replaces an older one only once it is
// complete. Throws FileSystemError when the page cannot be written or the music folder
// cannot be searched; the older page is then left as it was.
void GeneratePage(const PageSettings& settings, FileSystem& fileSystem);

}  // namespace melodex
