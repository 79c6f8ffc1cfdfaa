#pragma once

#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace melodex {

// Characters that the page's code page cannot hold would turn into "?" and break the page,
// so these helpers replace them, and only them, with what a browser reads back correctly.

// For text shown on the page (title, link text, colours): a numeric character reference
// such as "&#26085;". Everything else is kept verbatim, markup included.
void AppendPageText(std::wstring& out, std::wstring_view text, const TextFile& file);

// For a link target: the character's UTF-8 bytes, percent-encoded. When `isFileName`, "#"
// and "%" are encoded too ("%23", "%25"), as a browser would otherwise cut the link at the
// "#" or decode what follows the "%"; a base address is the user's own and keeps them.
void AppendLinkTarget(std::wstring& out, std::wstring_view text, const TextFile& file,
                      bool isFileName);

}  // namespace melodex
