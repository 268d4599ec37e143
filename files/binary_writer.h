// Writing the program's binary files: little-endian fields without padding
// into a byte sink. The first failed write is kept and every later one is
// skipped, so a writer checks once at the end. Files are written beside
// their target and renamed over it only when every byte and the close went
// well: a failed save leaves the user's older file as it was.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

#include "engine/byte_sink.h"

class BinaryWriter {
public:
    explicit BinaryWriter(const ByteSink& sink) : sink_(sink) {}

    bool Ok() const { return ok_; }
    void Fail() { ok_ = false; }
    uint64_t Written() const { return written_; }

    void Bytes(const void* data, size_t size)
    {
        if (!ok_ || size == 0) return;
        ok_ = sink_.Write(data, size);
        if (ok_) written_ += size;
    }
    void Zeros(size_t size)
    {
        static constexpr uint8_t kZeros[256] = {};
        while (ok_ && size > 0) {
            const size_t n = size < sizeof kZeros ? size : sizeof kZeros;
            Bytes(kZeros, n);
            size -= n;
        }
    }
    template <typename T>
    void Value(T value)
    {
        static_assert(std::is_arithmetic_v<T> && (sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4 || sizeof(T) == 8));
        using Bits = std::conditional_t<sizeof(T) == 1, uint8_t,
                     std::conditional_t<sizeof(T) == 2, uint16_t,
                     std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t>>>;
        Bits bits;
        std::memcpy(&bits, &value, sizeof bits);
        uint8_t out[sizeof(T)];
        for (size_t k = 0; k < sizeof(T); ++k) out[k] = static_cast<uint8_t>(bits >> (8 * k));
        Bytes(out, sizeof out);
    }
    template <typename T>
    void Values(const T* values, size_t count)
    {
        if constexpr (std::endian::native == std::endian::little) {
            Bytes(values, count * sizeof(T));
        } else {
            for (size_t i = 0; i < count && ok_; ++i) Value(values[i]);
        }
    }

private:
    const ByteSink& sink_;
    bool ok_ = true;
    uint64_t written_ = 0;
};

enum class FileWriteResult : uint8_t {
    kWritten,
    kOpenFailed,   // the folder does not take the file: nothing was written
    kWriteFailed,  // a write, the close or the rename failed: the older file is untouched
};

// Writes path through fill (false from fill, or a failed write, abandons the
// file). context is handed to fill.
FileWriteResult WriteReplacingFile(const std::string& path, bool (*fill)(BinaryWriter& out, const void* context),
                                   const void* context);
