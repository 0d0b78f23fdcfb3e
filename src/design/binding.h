#pragma once

#include <functional>

namespace velorinth {

// A value owned elsewhere: a control reads it through get and writes it through set,
// and shows what get returns, never a copy of its own.
template<typename T>
struct Binding
{
    std::function<T()> get;
    std::function<void(T)> set;
};

} // namespace velorinth
