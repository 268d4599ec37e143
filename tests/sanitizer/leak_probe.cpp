// Built only in the AddressSanitizer build: forgets an SDL surface, so that
// CI shows LeakSanitizer still reports our own leaks of library objects under
// the project's suppressions.
#include <SDL.h>

#include <cstdio>

namespace {

__attribute__((noinline)) void ForgetASurface()
{
    SDL_Surface* volatile surface = SDL_CreateRGBSurfaceWithFormat(0, 16, 16, 32, SDL_PIXELFORMAT_RGBA32);
    std::printf("surface made: %d\n", surface != nullptr);
    surface = nullptr;
}

}  // namespace

int main()
{
    ForgetASurface();
    return 0;
}
