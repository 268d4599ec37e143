#include "materials/texture_slot.h"

#include <cstring>
#include <thread>

namespace {

constexpr int kReaderThreads = 64;
constexpr int kHoldsPerThread = 2;

struct alignas(64) HazardLine {
    std::atomic<bool> taken{false};
    std::atomic<const SlotImage*> entry[kHoldsPerThread];
};
HazardLine gHazards[kReaderThreads];

// A thread's claim on a hazard line, given back when the thread ends: every
// export starts new workers, and lines handed out for good would run out.
struct LineClaim {
    HazardLine* line = nullptr;
    LineClaim()
    {
        for (HazardLine& candidate : gHazards) {
            bool free = false;
            if (candidate.taken.compare_exchange_strong(free, true, std::memory_order_acq_rel)) {
                line = &candidate;
                return;
            }
        }
    }
    ~LineClaim()
    {
        if (line != nullptr) line->taken.store(false, std::memory_order_release);
    }
};

// The calling thread's hazard line, or null while 64 other threads hold one.
HazardLine* ReaderLine()
{
    thread_local LineClaim claim;
    return claim.line;
}

}  // namespace

SlotImageHold::~SlotImageHold()
{
    if (hazard_ != nullptr) hazard_->store(nullptr, std::memory_order_release);
}

SlotImagePtr MakeSolidImage(uint32_t width, uint32_t height, uint8_t r, uint8_t g, uint8_t b)
{
    auto image = std::make_unique<SlotImage>();
    image->width = width;
    image->height = height;
    image->pixels.resize(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < image->pixels.size(); i += 3) {
        image->pixels[i] = r;
        image->pixels[i + 1] = g;
        image->pixels[i + 2] = b;
    }
    return image;
}

TextureSlot::~TextureSlot() { delete image_.load(std::memory_order_acquire); }

SlotImageHold TextureSlot::Image() const
{
    HazardLine* line = ReaderLine();
    if (line == nullptr) return {};
    std::atomic<const SlotImage*>* hazard = nullptr;
    for (auto& e : line->entry) {
        if (e.load(std::memory_order_relaxed) == nullptr) {
            hazard = &e;
            break;
        }
    }
    if (hazard == nullptr) return {};
    // Announce, then check that the image is still the slot's: a writer that
    // swapped in between either sees the announcement or is seen here.
    const SlotImage* image = image_.load(std::memory_order_acquire);
    for (;;) {
        if (image == nullptr) return {};
        hazard->store(image, std::memory_order_seq_cst);
        const SlotImage* now = image_.load(std::memory_order_seq_cst);
        if (now == image) return SlotImageHold(image, hazard);
        image = now;
    }
}

void TextureSlot::Replace(SlotImagePtr next)
{
    gTexturesBusy.store(1, std::memory_order_release);
    const SlotImage* old = image_.exchange(next.release(), std::memory_order_seq_cst);
    gTexturesBusy.store(0, std::memory_order_release);
    if (old == nullptr) return;
    for (HazardLine& line : gHazards) {
        for (auto& e : line.entry) {
            while (e.load(std::memory_order_seq_cst) == old) std::this_thread::yield();
        }
    }
    delete old;
}

uint32_t TextureSlot::Width() const
{
    const SlotImageHold image = Image();
    return image ? image->width : 0;
}

uint32_t TextureSlot::Height() const
{
    const SlotImageHold image = Image();
    return image ? image->height : 0;
}

void TextureSlot::NameGenerated(bool both)
{
    std::memset(name1, 0, 8);
    name1[0] = '#';
    if (both) {
        std::memset(name2, 0, 8);
        name2[0] = '#';
    }
}
