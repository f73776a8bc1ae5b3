#pragma once
// Shared libraries loaded while the program runs, for code that only a rare path needs: the
// process pays for loading one only when that path is taken.

namespace platform {

// The loaded library of that file name (found where the system's loader looks), or null; it
// stays loaded until the process ends.
void* load_library(const char* name);

// The address of the named function in a loaded library, or null.
void* library_function(void* library, const char* name);

// The loader's message about the last failure of either.
const char* library_error();

} // namespace platform
