#pragma once

#include <cstdlib>
#include <memory>

namespace velorinth {

// An answer of the X server as xcb hands it over: the caller frees it.
struct FreeReply
{
    void operator()(void *reply) const { std::free(reply); }
};
template<typename T>
using Reply = std::unique_ptr<T, FreeReply>;

} // namespace velorinth
