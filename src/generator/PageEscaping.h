#pragma once

#include <string>
#include <string_view>

#include "platform/CodePage.h"

namespace melodex {

// Characters that the page's code page cannot hold would turn into "?" and break the page,
// so these helpers replace them with what a browser reads back correctly. So do the C1
// controls (U+0080 to U+009F), even where the code page holds them: a browser reads the page
// as Windows' Western code page, where they are letters. And so does every character that a
// file name may hold on other systems but not on Windows (the control characters and
// " * / : < > ? \ |): it would put markup, attributes or line breaks of the name's own on
// the page. Nor does an "&" of a file name go on as it is: a browser reads the name's own
// "&times" or "&amp;" as a character reference, even without its ";". Every other character
// is written as it is, markup and references of the user's own included.

// For text shown on the page (title, colours, link text): a numeric character reference
// such as "&#26085;", or "&#65533;" (the replacement character) for a C1 control, which no
// reference can express. Only text from a file name (`isFileName`) has the characters
// Windows forbids in names and "&" written as references ("&quot;", "&lt;", "&gt;", "&#10;",
// "&amp;").
void AppendPageText(std::wstring& out, std::wstring_view text, const CodePage& codePage,
                    bool isFileName);

// For a link target: every character but printable ASCII as its UTF-8 bytes, percent-encoded
// (an accented e as "%C3%A9"), whatever the code page holds. The page names no encoding, so a
// browser guesses one to read it by, and a letter of the code page could lead it to another
// name; the bytes of UTF-8 are what a browser that guessed right would send for the name, and
// they read the same under any guess. When `isFileName`, the characters Windows forbids in
// names, "#" and "%" are encoded too ("%22", "%23", "%25"), as a browser would otherwise end
// the attribute, cut the link at a "?" or "#" or decode what follows a "%", and "&" is written
// "&amp;", which the attribute gives back as the name's "&"; a base address is the user's own
// and keeps them. Returns whether the text went on as it was. A file name
// that did needs nothing escaped as page text either, nor does its cleaned track name, which
// holds only its characters and blanks.
bool AppendLinkTarget(std::wstring& out, std::wstring_view text, bool isFileName);

}  // namespace melodex
