#include "files/binary_writer.h"

#include "engine/file_replacement.h"

FileWriteResult WriteReplacingFile(const std::string& path, bool (*fill)(BinaryWriter& out, const void* context),
                                   const void* context)
{
    FileReplacement file;
    if (!file.Begin(path)) return FileWriteResult::kOpenFailed;
    const ByteSink sink = file.Sink();
    BinaryWriter out(sink);
    const bool filled = fill(out, context) && out.Ok();
    if (!filled) return FileWriteResult::kWriteFailed;  // the temporary goes with the replacement
    return file.Commit() ? FileWriteResult::kWritten : FileWriteResult::kWriteFailed;
}
