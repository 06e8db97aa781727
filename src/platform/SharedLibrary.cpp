#include "platform/SharedLibrary.h"

#include <dlfcn.h>

namespace vornik {

SharedLibrary::SharedLibrary(const char* soname) : soname_(soname) {
    handle_ = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* why = dlerror();
        throw EVornikError("cannot load " + soname_ + ": " + (why ? why : "unknown reason"));
    }
}

void* SharedLibrary::address(const char* name) const {
    dlerror();
    void* p = dlsym(handle_, name);
    if (p == nullptr) throw EVornikError(soname_ + " has no function " + name);
    return p;
}

}  // namespace vornik
