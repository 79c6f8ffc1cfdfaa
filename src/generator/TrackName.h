#pragma once

#include <string>
#include <string_view>

namespace melodex {

// The visible link text for a music file: the name without its last four characters (the
// extension), without digits in the first two places and without parentheses and square
// brackets, with each underscore turned into a blank. Nothing is trimmed.
std::wstring CleanTrackName(std::wstring_view fileName);

// The same, appended to `linkText`, for a caller that writes many into one buffer.
void CleanTrackName(std::wstring_view fileName, std::wstring& linkText);

}  // namespace melodex
