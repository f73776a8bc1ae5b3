#pragma once
// Text for the Windows calls that take UTF-16: the program's names and commands are in the
// ANSI code page.

#include <string>
#include <string_view>

namespace platform {

// text converted from the ANSI code page to UTF-16.
std::wstring wide(std::string_view text);

} // namespace platform
