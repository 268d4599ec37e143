// Access to the buffers that render workers, the tuner, the preview and the
// shading share without locks. Workers may overwrite each other's pixels
// (a lost update only drops a point), but plain concurrent stores are a data
// race; relaxed atomic accesses keep the same behaviour and compile to the
// same plain loads and stores on x86-64.
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
