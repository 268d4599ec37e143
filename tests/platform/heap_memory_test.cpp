#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/heap_memory.h"

namespace {

// Resident kilobytes of this process.
long ResidentKb()
{
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (f == nullptr) return -1;
    char line[256];
    long kb = -1;
    while (std::fgets(line, sizeof line, f) != nullptr)
        if (std::sscanf(line, "VmRSS: %ld kB", &kb) == 1) break;
    std::fclose(f);
    return kb;
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || defined(TALVORAN_ADDRESS_SANITIZER) || \
    defined(TALVORAN_THREAD_SANITIZER)
constexpr bool kOwnAllocator = true;  // the sanitizer's heap, not the C library's
#else
constexpr bool kOwnAllocator = false;
#endif

// Small blocks freed in the middle of the heap (one kept at its top, so
// that the heap cannot simply shrink) stay resident until released. Under a
// sanitizer's own allocator the release must still be harmless.
TEST(HeapMemory, FreedBlocksGoBackToTheSystem)
{
    constexpr size_t kBlock = 16 * 1024, kBlocks = 4096;  // 64 MB
    std::vector<char*> blocks(kBlocks);
    for (char*& b : blocks) {
        b = new char[kBlock];
        std::memset(b, 1, kBlock);
        asm volatile("" : : "r"(b) : "memory");  // the blocks are really made and written
    }
    char* top = new char[kBlock];
    asm volatile("" : : "r"(top) : "memory");
    for (char* b : blocks) delete[] b;
    const long before = ResidentKb();
    ReleaseFreeHeapMemory();
    const long after = ResidentKb();
    delete[] top;
    ASSERT_GT(before, 0);
    if (kOwnAllocator) return;
    EXPECT_LT(after, before - 32 * 1024) << "resident " << before << " kB, then " << after << " kB";
}

}  // namespace
