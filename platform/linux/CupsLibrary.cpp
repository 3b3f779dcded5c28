// SPDX-License-Identifier: MIT
#include "platform/linux/CupsLibrary.h"

#include <dlfcn.h>
#include <optional>

namespace platform::linux_backend {

namespace {

constexpr const char* Soname = "libcups.so.2";

struct Loaded {
    CupsLibrary library;
    std::optional<Failure> failure;
};

Loaded load() {
    Loaded loaded;
    const std::string library = std::string("the print system's library ") + Soname;
    // Never closed: the functions are used until the process ends. Bound
    // lazily: only the few functions called are ever looked up.
    void* handle = ::dlopen(Soname, RTLD_LAZY | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = ::dlerror();
        loaded.failure = {"dlopen", {}, library + " cannot be loaded: " + (why ? why : "")};
        return loaded;
    }
#define RUNNETLUME_CUPS_RESOLVE(name)                                                              \
    loaded.library.name = reinterpret_cast<decltype(&::name)>(::dlsym(handle, #name));             \
    if (loaded.library.name == nullptr) {                                                          \
        loaded.failure = {"dlsym", {}, library + " has no " #name};                                \
        return loaded;                                                                             \
    }
    RUNNETLUME_CUPS_FUNCTIONS(RUNNETLUME_CUPS_RESOLVE)
#undef RUNNETLUME_CUPS_RESOLVE
    return loaded;
}

const Loaded& loaded() {
    static const Loaded once = load();
    return once;
}

} // namespace

const std::optional<Failure>& cupsLoadFailure() {
    return loaded().failure;
}

const CupsLibrary& cups() {
    return loaded().library;
}
std::string ippText(ipp_attribute_t* attribute) {
    const char* value = attribute != nullptr ? cups().ippGetString(attribute, 0, nullptr) : nullptr;
    return value != nullptr ? value : "";
}

} // namespace platform::linux_backend
