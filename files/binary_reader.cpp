#include "files/binary_reader.h"

#include <algorithm>

#include "platform/regular_file.h"

FileReadAt gFileReadAt = ReadFromFileAt;

bool BinaryReader::Fill(size_t n)
{
    // Only a file reader gets here: in memory the window is the whole.
    const size_t end = windowAt_ + windowLength_;
    const size_t keep = offset_ >= windowAt_ && offset_ < end ? end - offset_ : 0;
    const size_t from = offset_ - windowAt_;
    const size_t want = std::max(n, std::min(kWindow, Remaining()));
    if (window_.size() < want) window_.resize(want);
    if (keep > 0) std::memmove(window_.data(), window_.data() + from, keep);
    const long got = gFileReadAt(fd_, window_.data() + keep, want - keep, offset_ + keep);
    data_ = window_.data();
    windowAt_ = offset_;
    windowLength_ = keep + static_cast<size_t>(std::max(got, 0L));
    bytesFromFile_ += static_cast<uint64_t>(std::max(got, 0L));
    if (got < 0 || windowLength_ < n) {
        readError_ = true;
        return false;
    }
    return true;
}

bool BinaryReader::ReadDirect(uint8_t* out, size_t n)
{
    if (failed_ || n > Remaining()) {
        failed_ = true;
        return false;
    }
    const size_t end = windowAt_ + windowLength_;
    const size_t buffered = offset_ >= windowAt_ && offset_ < end ? std::min(n, end - offset_) : 0;
    if (buffered > 0) std::memcpy(out, data_ + (offset_ - windowAt_), buffered);
    const long got = gFileReadAt(fd_, out + buffered, n - buffered, offset_ + buffered);
    bytesFromFile_ += static_cast<uint64_t>(std::max(got, 0L));
    offset_ += n;
    if (got < 0 || static_cast<size_t>(got) < n - buffered) {
        readError_ = failed_ = true;
        return false;
    }
    return true;
}

LineRead BinaryReader::NextLine(std::string_view* line, size_t maxLength)
{
    if (failed_) return LineRead::kFailed;
    if (offset_ >= size_) return LineRead::kEnd;
    size_t scanned = 0;  // bytes from offset_ on known to hold no line end
    for (;;) {
        const size_t end = windowAt_ + windowLength_;
        const size_t ready = offset_ >= windowAt_ && offset_ < end ? end - offset_ : 0;
        const uint8_t* at = ready > 0 ? data_ + (offset_ - windowAt_) : nullptr;
        size_t stop = scanned;
        while (stop < ready && at[stop] != '\n' && at[stop] != '\r') ++stop;
        const bool found = stop < ready;
        // A CR as the last byte at hand may be the first of a CR LF: the
        // next byte decides how much the line end takes.
        const bool undecided = found && at[stop] == '\r' && stop + 1 == ready && ready < Remaining();
        const size_t length = found ? stop : ready == Remaining() ? ready : ready + 1;  // at least one more
        if (length > maxLength) return LineRead::kTooLong;
        if ((found && !undecided) || (!found && ready == Remaining())) {
            size_t ending = found ? 1 : 0;
            if (found && at[stop] == '\r' && stop + 1 < ready && at[stop + 1] == '\n') ending = 2;
            *line = std::string_view(reinterpret_cast<const char*>(at), length);
            offset_ += length + ending;
            return LineRead::kLine;
        }
        // In memory the window is the whole, so only a file gets here.
        scanned = stop;
        if (!Fill(std::min(Remaining(), ready + kWindow))) {
            failed_ = true;
            return LineRead::kFailed;
        }
    }
}
