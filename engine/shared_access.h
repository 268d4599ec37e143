// Access to what threads share without locks: the render buffers that
// workers, the tuner, the preview and the shading read and write, and the
// widget values, flags and settings that workers read while the window
// thread changes them. Workers may overwrite each other's pixels (a lost
// update only drops a point), but plain concurrent accesses are a data race;
// relaxed atomic accesses keep the same behaviour and compile to the same
// plain loads and stores on x86-64.
#pragma once

#include <atomic>

template <class T>
inline T SharedLoad(const T& cell)
{
    return std::atomic_ref<T>(const_cast<T&>(cell)).load(std::memory_order_relaxed);
}

template <class T, class U>
inline void SharedStore(T& cell, U value)
{
    std::atomic_ref<T>(cell).store(static_cast<T>(value), std::memory_order_relaxed);
}
