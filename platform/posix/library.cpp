#include "platform/library.hpp"

#include <dlfcn.h>

namespace platform {

void* load_library(const char* name) {
    return dlopen(name, RTLD_NOW | RTLD_LOCAL);
}

void* library_function(void* library, const char* name) {
    return dlsym(library, name);
}

const char* library_error() {
    const char* message = dlerror();
    return message != nullptr ? message : "no error";
}

} // namespace platform
