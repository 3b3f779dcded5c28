// SPDX-License-Identifier: MIT
#include "platform/linux/CupsLibrary.h"

#include <dlfcn.h>

namespace platform::linux_backend {

namespace {

constexpr const char* Soname = "libcups.so.2";

struct Loaded {
    CupsLibrary library;
    std::string failure;
};

Loaded load() {
    Loaded loaded;
    // Never closed: the functions are used until the process ends. Bound
    // lazily: only the few functions called are ever looked up.
    void* handle = ::dlopen(Soname, RTLD_LAZY | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = ::dlerror();
        loaded.failure = std::string(Soname) + " cannot be loaded: " + (why != nullptr ? why : "");
        return loaded;
    }
#define RUNNETLUME_CUPS_RESOLVE(name)                                                              \
    loaded.library.name = reinterpret_cast<decltype(&::name)>(::dlsym(handle, #name));             \
    if (loaded.library.name == nullptr) {                                                          \
        loaded.failure = std::string(Soname) + " has no " #name;                                   \
        return loaded;                                                                             \
    }
    RUNNETLUME_CUPS_FUNCTIONS(RUNNETLUME_CUPS_RESOLVE)
#undef RUNNETLUME_CUPS_RESOLVE
    return loaded;
}

} // namespace

const CupsLibrary* cupsLibrary(std::string& why) {
    static const Loaded loaded = load();
    why = loaded.failure;
    return loaded.failure.empty() ? &loaded.library : nullptr;
}

const CupsLibrary& cups() {
    std::string unused;
    return *cupsLibrary(unused);
}

std::string ippText(ipp_attribute_t* attribute) {
    const char* value = attribute != nullptr ? cups().ippGetString(attribute, 0, nullptr) : nullptr;
    return value != nullptr ? value : "";
}

} // namespace platform::linux_backend
