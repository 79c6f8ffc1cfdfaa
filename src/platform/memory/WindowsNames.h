#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace melodex {

// How Windows reads names, as the in-memory platform follows it.

// Letter case folded as Windows folds it in file names (ASCII and Latin-1 letters).
wchar_t Fold(wchar_t c);
bool SameName(std::wstring_view a, std::wstring_view b);
std::wstring Upper(std::wstring text);

// The platform's wildcards: "*" for any run of characters, "?" for any one.
bool WildcardMatch(std::wstring_view pattern, std::wstring_view name);

// The names of a path's parts, with "." dropped and ".." taking the part before it away.
std::vector<std::wstring> SplitPath(std::wstring_view text);

}  // namespace melodex
