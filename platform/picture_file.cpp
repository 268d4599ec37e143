// Sections:
//   [sources]  the file and memory sources, and the one that puts the
//              format's first bytes back in front
//   [sinks]    the whole picture, bottom row first; the sampled thumbnail
//   [decode]   choosing the decoder by the first bytes; the public loaders
#include "platform/picture_file.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <system_error>
#include <utility>

#include "platform/picture_decoders.h"
#include "platform/regular_file.h"

// ---- [sources] --------------------------------------------------------------

namespace {

class MemorySource : public PictureSource {
public:
    MemorySource(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}
    size_t Read(uint8_t* to, size_t n) override
    {
        n = std::min(n, size_ - at_);
        if (n > 0) std::memcpy(to, bytes_ + at_, n);
        at_ += n;
        return n;
    }

private:
    const uint8_t* bytes_;
    size_t size_;
    size_t at_ = 0;
};

class FileSource : public PictureSource {
public:
    explicit FileSource(int fd) : fd_(fd) {}
    ~FileSource() override { ::close(fd_); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    size_t Read(uint8_t* to, size_t n) override
    {
        const long got = ReadFromFile(fd_, to, n);
        if (got < 0) {
            failed_ = true;
            return 0;
        }
        return static_cast<size_t>(got);
    }
    bool failed() const override { return failed_; }

private:
    int fd_;
    bool failed_ = false;
};

// The first bytes, read to tell the format, served again before the rest.
class PrefixedSource : public PictureSource {
public:
    PrefixedSource(PictureSource& rest, const uint8_t* prefix, size_t size) : rest_(rest), prefix_(prefix), size_(size) {}
    size_t Read(uint8_t* to, size_t n) override
    {
        const size_t first = std::min(n, size_ - at_);
        std::memcpy(to, prefix_ + at_, first);
        at_ += first;
        return first + (n > first ? rest_.Read(to + first, n - first) : 0);
    }
    bool failed() const override { return rest_.failed(); }

private:
    PictureSource& rest_;
    const uint8_t* prefix_;
    size_t size_;
    size_t at_ = 0;
};

// ---- [sinks] ----------------------------------------------------------------

class WholePicture : public PictureSink {
public:
    bool Begin(uint32_t width, uint32_t height) override
    {
        width_ = width;
        height_ = height;
        try {
            pixels.assign(static_cast<size_t>(width) * height * 3, 0);
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    }
    void Pixels(uint32_t y, uint32_t x0, uint32_t dx, const uint8_t* rgb, uint32_t count) override
    {
        if (y >= height_) return;
        uint8_t* row = &pixels[static_cast<size_t>(height_ - 1 - y) * width_ * 3];
        if (dx == 1 && x0 == 0 && count <= width_) {
            std::memcpy(row, rgb, static_cast<size_t>(count) * 3);
            return;
        }
        for (uint32_t i = 0, x = x0; i < count && x < width_; ++i, x += dx) std::memcpy(row + x * 3, rgb + i * 3, 3);
    }
    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }

    std::vector<uint8_t> pixels;

private:
    uint32_t width_ = 0, height_ = 0;
};

// Keeps only the pixels the nearest-neighbour thumbnail takes.
class Thumbnail : public PictureSink {
public:
    explicit Thumbnail(uint32_t side) : pixels(static_cast<size_t>(side) * side * 3, 0), side_(side) {}
    uint32_t Reduction(uint32_t width, uint32_t height) const override
    {
        uint32_t r = 1;
        while (r < 8 && width / (r * 2) >= side_ && height / (r * 2) >= side_) r *= 2;
        return r;
    }
    bool Begin(uint32_t width, uint32_t height) override
    {
        const float fx = static_cast<float>(width) / static_cast<float>(side_);
        const float fy = static_cast<float>(height) / static_cast<float>(side_);
        column_.resize(side_);
        sourceRow_.resize(side_);
        for (uint32_t i = 0; i < side_; ++i) {
            column_[i] = std::min(width - 1, static_cast<uint32_t>(static_cast<float>(i) * fx));
            // Thumbnail row i counts from the bottom; decoders count from the top.
            sourceRow_[i] = height - 1 - std::min(height - 1, static_cast<uint32_t>(static_cast<float>(i) * fy));
        }
        return true;
    }
    bool WantsRow(uint32_t y) const override
    {
        return std::find(sourceRow_.begin(), sourceRow_.end(), y) != sourceRow_.end();
    }
    void Pixels(uint32_t y, uint32_t x0, uint32_t dx, const uint8_t* rgb, uint32_t count) override
    {
        for (uint32_t row = 0; row < side_; ++row) {
            if (sourceRow_[row] != y) continue;
            for (uint32_t x = 0; x < side_; ++x) {
                const uint32_t sx = column_[x];
                if (sx < x0 || (sx - x0) % dx != 0 || (sx - x0) / dx >= count) continue;
                std::memcpy(&pixels[(static_cast<size_t>(row) * side_ + x) * 3], rgb + (sx - x0) / dx * 3, 3);
            }
        }
    }

    std::vector<uint8_t> pixels;  // side x side, bottom row first

private:
    uint32_t side_;
    std::vector<uint32_t> column_, sourceRow_;
};

// ---- [decode] ---------------------------------------------------------------

PictureProblem Decode(PictureSource& source, PictureSink& sink, const PictureLimits& limits)
{
    uint8_t head[8];
    const size_t got = source.Read(head, sizeof head);
    if (source.failed()) return PictureProblem::Unreadable;
    PrefixedSource whole(source, head, got);
    static constexpr uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PictureProblem problem = PictureProblem::NotAPicture;
    if (got == 8 && std::memcmp(head, kPng, 8) == 0) {
        problem = DecodePng(whole, sink, limits);
    } else if (got >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) {
        problem = DecodeJpeg(whole, sink, limits);
    } else if (got >= 2 && head[0] == 'B' && head[1] == 'M') {
        problem = DecodeBmp(whole, sink, limits);
    } else if (got < 8 && got > 0) {
        problem = PictureProblem::Truncated;
    }
    if (problem != PictureProblem::None && source.failed()) return PictureProblem::Unreadable;
    return problem;
}

PictureProblem FromFileStatus(RegularFileStatus status)
{
    switch (status) {
    case RegularFileStatus::Read: return PictureProblem::None;
    case RegularFileStatus::Missing: return PictureProblem::Missing;
    case RegularFileStatus::NotRegular: return PictureProblem::NotRegular;
    case RegularFileStatus::TooLarge: return PictureProblem::FileTooLarge;
    case RegularFileStatus::Unreadable: return PictureProblem::Unreadable;
    case RegularFileStatus::NoMemory: return PictureProblem::NoMemory;
    }
    return PictureProblem::Unreadable;
}

PictureProblem DecodeFile(const std::string& path, PictureSink& sink, const PictureLimits& limits)
{
    int fd = -1;
    const RegularFileStatus status = OpenRegularFile(path, kMaxPictureFileBytes, &fd);
    if (status != RegularFileStatus::Read) return FromFileStatus(status);
    FileSource file(fd);
    return Decode(file, sink, limits);
}

PictureProblem DecodeMemory(const uint8_t* bytes, size_t size, PictureSink& sink, const PictureLimits& limits)
{
    if (bytes == nullptr || size == 0) return PictureProblem::NotAPicture;
    MemorySource memory(bytes, size);
    return Decode(memory, sink, limits);
}

RgbPicture ToPicture(PictureProblem problem, WholePicture& whole)
{
    RgbPicture picture;
    if (problem != PictureProblem::None) return picture;
    picture.width = static_cast<int>(whole.width());
    picture.height = static_cast<int>(whole.height());
    picture.pixels = std::move(whole.pixels);
    return picture;
}

bool GreyImage(RgbImage& image)
{
    image.width = image.height = 16;
    image.pixels.assign(16 * 16 * 3, 128);
    image.ok = 0;
    return false;
}

bool Report(PictureProblem found, PictureProblem* problem)
{
    if (problem != nullptr) *problem = found;
    return found == PictureProblem::None;
}

bool ToImage(RgbImage& image, PictureProblem found, WholePicture& whole, PictureProblem* problem)
{
    if (!Report(found, problem)) return GreyImage(image);
    image.width = whole.width();
    image.height = whole.height();
    image.pixels = std::move(whole.pixels);
    image.ok = 1;
    return true;
}

bool ToThumbnail(RgbImage& image, PictureProblem found, Thumbnail& thumbnail, uint32_t side, PictureProblem* problem)
{
    if (!Report(found, problem)) return GreyImage(image);
    image.width = image.height = side;
    image.pixels = std::move(thumbnail.pixels);
    image.ok = 1;
    return true;
}

}  // namespace

RgbPicture LoadPictureRgb(const std::string& path)
{
    WholePicture whole;
    const PictureProblem problem = DecodeFile(path, whole, kInterfacePictureLimits);
    // A missing folder is reported once, at start-up, not for every picture.
    std::error_code ec;
    if (problem != PictureProblem::None &&
        std::filesystem::is_directory(std::filesystem::path(path).parent_path(), ec)) {
        std::fprintf(stderr, "cannot load picture %s: %s\n", path.c_str(), PictureProblemText(problem));
    }
    return ToPicture(problem, whole);
}

RgbPicture DecodePictureRgb(const uint8_t* bytes, size_t size)
{
    WholePicture whole;
    return ToPicture(DecodeMemory(bytes, size, whole, kInterfacePictureLimits), whole);
}

bool DecodeImageRgb(RgbImage& image, const uint8_t* bytes, size_t size, PictureProblem* problem)
{
    image.pixels.clear();
    WholePicture whole;
    return ToImage(image, DecodeMemory(bytes, size, whole, kImageLimits), whole, problem);
}

bool LoadImageFileRgb(RgbImage& image, const std::string& path, PictureProblem* problem)
{
    image.pixels.clear();
    WholePicture whole;
    return ToImage(image, DecodeFile(path, whole, kImageLimits), whole, problem);
}

bool DecodeImageThumbnailRgb(RgbImage& image, const uint8_t* bytes, size_t size, uint32_t side,
                             PictureProblem* problem)
{
    image.pixels.clear();
    if (side == 0) return Report(PictureProblem::TooManyPixels, problem) || GreyImage(image);
    Thumbnail thumbnail(side);
    return ToThumbnail(image, DecodeMemory(bytes, size, thumbnail, kImageLimits), thumbnail, side, problem);
}

bool LoadImageThumbnailRgb(RgbImage& image, const std::string& path, uint32_t side, PictureProblem* problem)
{
    image.pixels.clear();
    if (side == 0) return Report(PictureProblem::TooManyPixels, problem) || GreyImage(image);
    Thumbnail thumbnail(side);
    return ToThumbnail(image, DecodeFile(path, thumbnail, kImageLimits), thumbnail, side, problem);
}
