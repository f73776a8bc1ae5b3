#pragma once
// Text for the Windows calls that take UTF-16: the program's names and commands are in the
// ANSI code page, or in the console's input code page where they were typed at a console.

#include <string>
#include <string_view>

#include <windows.h>

namespace platform {

// text converted from the code page to UTF-16.
std::wstring wide(std::string_view text, UINT code_page = CP_ACP);

} // namespace platform
