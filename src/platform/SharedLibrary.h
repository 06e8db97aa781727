#pragma once

#include <string>

#include "platform/Errors.h"

namespace vornik {

// A system library opened at run time instead of linked in. Heavy libraries
// that only some jobs need (librsvg with its forty dependencies, libXcursor
// with X11's) are opened on first use, so every other run of the program does
// not pay for loading and relocating them.
class SharedLibrary {
public:
    // Opens soname (e.g. "librsvg-2.so.2"); EVornikError naming the library
    // and the loader's reason when it is missing. The library stays loaded
    // for the life of the process: glib's type system cannot be unloaded.
    explicit SharedLibrary(const char* soname);
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // The function `name` from the library or one it depends on, typed as
    // Function (use decltype of the header's declaration); EVornikError when
    // it is not there.
    template <class Function>
    Function* Symbol(const char* name) const {
        return reinterpret_cast<Function*>(address(name));
    }

private:
    void* address(const char* name) const;
    void* handle_ = nullptr;
    std::string soname_;
};

}  // namespace vornik
