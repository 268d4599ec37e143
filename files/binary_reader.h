// Reading the program's binary files: a cursor over the file's bytes that
// refuses every read past the end, so a short or hostile file can only make
// a parse fail, never read beyond it. Fields are little-endian without
// padding.
//
// The bytes are either in memory (tests, fuzz targets) or in an open regular
// file (the loads), which is read as the parse asks for it, a window of
// 64 KiB at a time, with larger fields read straight into their buffers.
// The size is known from the start, so a reader sees what a header promises
// against what the file holds before it reads the rest, and a file much
// larger than its header says is refused without being read whole. Text
// is taken a line at a time (NextLine), through the same window, so a line
// of any length up to the caller's limit is read whole and a longer one is
// seen for what it is without the rest of the file being read.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// Every read a BinaryReader makes from a file goes through this: the
// platform's ReadFromFileAt (platform/regular_file.h), unless a test puts a
// device that shrinks or fails in its place. Same contract: up to n bytes
// from offset, fewer only at the end, -1 on a read error.
using FileReadAt = long (*)(int fd, uint8_t* to, size_t n, uint64_t offset);
extern FileReadAt gFileReadAt;

enum class LineRead : uint8_t {
    kLine,     // *line holds the next line, without its line end
    kEnd,      // no bytes are left
    kTooLong,  // the next line is longer than the caller's limit; nothing was taken
    kFailed,   // the reader failed before, or the file gave out (ReadError)
};

class BinaryReader {
public:
    // The size bytes at data, which stay the caller's.
    BinaryReader(const uint8_t* data, size_t size) : data_(data), size_(size), windowLength_(size) {}
    // The first size bytes of the open file fd, which stays the caller's.
    BinaryReader(int fd, uint64_t size) : size_(static_cast<size_t>(size)), fd_(fd) {}
    BinaryReader(const BinaryReader&) = delete;
    BinaryReader& operator=(const BinaryReader&) = delete;

    size_t Offset() const { return offset_; }
    size_t Size() const { return size_; }
    size_t Remaining() const { return size_ - offset_; }
    // True once a read asked for more than was left; later reads fail too.
    bool Failed() const { return failed_; }
    // True when the file gave fewer bytes than its size promised (it shrank
    // while it was read) or a read failed.
    bool ReadError() const { return readError_; }
    // Bytes taken from the file so far (0 for bytes in memory).
    uint64_t BytesFromFile() const { return bytesFromFile_; }

    // True when count items of itemSize bytes fit in what is left (no overflow).
    bool Holds(uint64_t count, uint64_t itemSize) const
    {
        return itemSize == 0 || count <= Remaining() / itemSize;
    }
    // The next n bytes, or null (and the reader failed) when fewer are left.
    // They stay valid until the following read.
    const uint8_t* Take(size_t n)
    {
        if (failed_ || n > Remaining()) {
            failed_ = true;
            return nullptr;
        }
        if (n == 0) return &kNothing;  // a place of its own: a null one would be a failure
        if ((offset_ < windowAt_ || offset_ + n > windowAt_ + windowLength_) && !Fill(n)) {
            failed_ = true;
            return nullptr;
        }
        const uint8_t* at = data_ + (offset_ - windowAt_);
        offset_ += n;
        return at;
    }
    bool Bytes(void* out, size_t n)
    {
        if (fd_ >= 0 && n > kWindow) return ReadDirect(static_cast<uint8_t*>(out), n);
        const uint8_t* at = Take(n);
        if (at && n > 0) std::memcpy(out, at, n);
        return at != nullptr;
    }
    // The following reads start at offset, before or after the present one.
    bool SeekTo(size_t offset)
    {
        if (failed_ || offset > size_) {
            failed_ = true;
            return false;
        }
        offset_ = offset;
        return true;
    }
    // Skipped bytes are not read.
    bool Skip(size_t n)
    {
        if (failed_ || n > Remaining()) {
            failed_ = true;
            return false;
        }
        offset_ += n;
        return true;
    }

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
            return !failed_;
        }
    }

    // The next line: the bytes up to the next line end (LF, CR LF, or a CR
    // alone, as old Mac files end their lines), or up to the end of the
    // bytes for a last line without one. It stays valid until the following
    // read. A line of more than maxLength bytes is kTooLong and is looked
    // at only as far as that: at most maxLength plus one window is read.
    LineRead NextLine(std::string_view* line, size_t maxLength);

private:
    static constexpr size_t kWindow = 64 * 1024;
    static constexpr uint8_t kNothing = 0;

    // The window made to hold [offset_, offset_ + n) of the file.
    bool Fill(size_t n);
    // n bytes from the file straight into out, past the window.
    bool ReadDirect(uint8_t* out, size_t n);

    const uint8_t* data_ = nullptr;  // the window's first byte
    size_t size_;
    size_t offset_ = 0;
    size_t windowAt_ = 0;  // the file offset of data_[0]
    size_t windowLength_ = 0;
    bool failed_ = false;
    bool readError_ = false;
    int fd_ = -1;
    uint64_t bytesFromFile_ = 0;
    std::vector<uint8_t> window_;
};

// Staged buffers are malloc'd, as the model's images and meshes are, so a
// parse hands them over without copying.
struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
