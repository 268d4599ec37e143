// Reading the program's binary files: the whole file is taken into memory
// first (ReadRegularFile, platform/regular_file.h), then a cursor walks it and refuses every read past the end, so a
// short or hostile file can only make a parse fail, never read beyond it.
// Fields are little-endian without padding.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>

class BinaryReader {
public:
    BinaryReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    size_t Offset() const { return offset_; }
    size_t Remaining() const { return size_ - offset_; }
    // True once a read asked for more than was left; later reads fail too.
    bool Failed() const { return failed_; }

    // True when count items of itemSize bytes fit in what is left (no overflow).
    bool Holds(uint64_t count, uint64_t itemSize) const
    {
        return itemSize == 0 || count <= Remaining() / itemSize;
    }
    // The next n bytes in place, or null (and the reader failed) when fewer are left.
    const uint8_t* Take(size_t n)
    {
        if (failed_ || n > Remaining()) {
            failed_ = true;
            return nullptr;
        }
        const uint8_t* at = data_ + offset_;
        offset_ += n;
        return at;
    }
    bool Bytes(void* out, size_t n)
    {
        const uint8_t* at = Take(n);
        if (at && n > 0) std::memcpy(out, at, n);
        return at != nullptr;
    }
    bool Skip(size_t n) { return Take(n) != nullptr; }

    // One little-endian integer or IEEE float; out is left alone on failure.
    template <typename T>
    bool Read(T& out)
    {
        static_assert(std::is_arithmetic_v<T> && (sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4 || sizeof(T) == 8));
        const uint8_t* at = Take(sizeof(T));
        if (!at) return false;
        using Bits = std::conditional_t<sizeof(T) == 1, uint8_t,
                     std::conditional_t<sizeof(T) == 2, uint16_t,
                     std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t>>>;
        Bits bits = 0;
        for (size_t k = 0; k < sizeof(T); ++k) bits |= static_cast<Bits>(static_cast<Bits>(at[k]) << (8 * k));
        std::memcpy(&out, &bits, sizeof out);
        return true;
    }
    template <typename T>
    bool ReadArray(T* out, size_t count)
    {
        if (!Holds(count, sizeof(T))) {
            failed_ = true;
            return false;
        }
        if constexpr (std::endian::native == std::endian::little) {
            return Bytes(out, count * sizeof(T));
        } else {
            for (size_t i = 0; i < count; ++i) Read(out[i]);
            return true;
        }
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t offset_ = 0;
    bool failed_ = false;
};

// Staged buffers are malloc'd, as the model's images and meshes are, so a
// parse hands them over without copying.
struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
