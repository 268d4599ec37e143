#include "platform/picture_limits.h"

const char* PictureProblemText(PictureProblem problem)
{
    switch (problem) {
    case PictureProblem::None: return "read";
    case PictureProblem::Missing: return "no such file";
    case PictureProblem::NotRegular: return "not a regular file";
    case PictureProblem::FileTooLarge: return "file too large";
    case PictureProblem::Unreadable: return "cannot be read";
    case PictureProblem::NotAPicture: return "not a BMP, PNG or JPEG picture";
    case PictureProblem::Unsupported: return "a kind of picture that is not read";
    case PictureProblem::TooManyPixels: return "picture too large";
    case PictureProblem::Truncated: return "truncated";
    case PictureProblem::Damaged: return "damaged";
    case PictureProblem::NoMemory: return "not enough memory";
    }
    return "cannot be read";
}

bool PictureSizeAllowed(uint64_t width, uint64_t height, const PictureLimits& limits)
{
    return width >= 1 && height >= 1 && width <= limits.maxSide && height <= limits.maxSide &&
           width * height <= limits.maxPixels;
}
