#pragma once

#include <windows.h>

#include <string>

namespace melodex::win32 {

using ReplaceFileCall = BOOL(WINAPI*)(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup,
                                      DWORD flags, LPVOID exclude, LPVOID reserved);

// Puts the finished file `replacement` in place of the existing file `target` with
// ReplaceFileW, so that the target keeps what the system keeps of a file's identity (its
// security, attributes, creation time, short name). `backup` is a free name beside the target
// that the old file passes through. Returns ERROR_SUCCESS, or the error that stopped it;
// then `target` holds the old file under its own name again and `replacement` is still
// there, whatever step the replacement failed at. ERROR_FILE_NOT_FOUND means the target
// has gone meanwhile.
DWORD ReplaceKeepingTheOld(const std::wstring& target, const std::wstring& replacement,
                           const std::wstring& backup, ReplaceFileCall replace = ReplaceFileW);

}  // namespace melodex::win32
