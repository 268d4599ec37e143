#include "engine/byte_sink.h"

#include <filesystem>

namespace {

bool WriteFile(void* context, const uint8_t* data, size_t size)
{
    auto& sink = *static_cast<FileSink*>(context);
    if (sink.failed || sink.file == nullptr) return false;
    if (sink.limit >= 0 && sink.written + static_cast<int64_t>(size) > sink.limit) {
        sink.failed = true;
        return false;
    }
    if (size != 0 && std::fwrite(data, 1, size, sink.file) != size) {
        sink.failed = true;
        return false;
    }
    sink.written += static_cast<int64_t>(size);
    return true;
}

bool AppendBytes(void* context, const uint8_t* data, size_t size)
{
    auto& bytes = *static_cast<std::vector<uint8_t>*>(context);
    bytes.insert(bytes.end(), data, data + size);
    return true;
}

}  // namespace

bool OpenFileSink(FileSink& sink, const std::string& path)
{
    sink = FileSink{};
    sink.path = path;
    sink.file = std::fopen(path.c_str(), "wb");
    return sink.file != nullptr;
}

ByteSink SinkOf(FileSink& sink) { return ByteSink{WriteFile, &sink}; }
ByteSink SinkOf(std::vector<uint8_t>& bytes) { return ByteSink{AppendBytes, &bytes}; }

bool CloseFileSink(FileSink& sink, bool discard)
{
    bool ok = !sink.failed;
    if (sink.file != nullptr) ok = std::fclose(sink.file) == 0 && ok;
    const bool opened = sink.file != nullptr;
    sink.file = nullptr;
    // Only a regular file is ours to remove: a device or pipe chosen as the
    // destination stays.
    std::error_code error;
    if (opened && (discard || !ok) && std::filesystem::is_regular_file(sink.path, error)) {
        std::filesystem::remove(sink.path, error);
    }
    return ok;
}
