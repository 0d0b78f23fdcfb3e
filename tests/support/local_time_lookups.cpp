#include "support/local_time_lookups.h"

#include <atomic>
#include <ctime>
#include <dlfcn.h>

namespace {

std::atomic<int> lookups{0};

template<typename Function>
Function library(const char *name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

} // namespace

// Defined in the program, these stand in for the C library's own, which Qt
// reaches through the dynamic linker, and hand each call on to them.
extern "C" void tzset() noexcept
{
    ++lookups;
    static const auto next = library<void (*)()>("tzset");
    next();
}

extern "C" time_t mktime(struct tm *time) noexcept
{
    ++lookups;
    static const auto next = library<time_t (*)(struct tm *)>("mktime");
    return next(time);
}

int velorinth::localTimeLookups()
{
    return lookups;
}
