// The baseshape file reader on arbitrary bytes: a file it accepts is
// installed, written again and must read back whole.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "files/baseshape_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<BaseshapeFileEntry> entries;
    if (ParseBaseshapeFile(data, size, kMaxBaseshapes, &entries, nullptr) != BaseshapeFileStatus::kRead) return 0;
    const int count = static_cast<int>(entries.size());
    InstallBaseshapeEntries(entries, 0);
    std::vector<uint8_t> again;
    if (!WriteBaseshapeFile(SinkOf(again), 0, count)) __builtin_trap();
    if (ParseBaseshapeFile(again.data(), again.size(), kMaxBaseshapes, &entries, nullptr) != BaseshapeFileStatus::kRead ||
        static_cast<int>(entries.size()) != count) {
        __builtin_trap();
    }
    return 0;
}
