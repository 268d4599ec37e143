#include <cstdio>

int main()
{
    std::printf("Talvoran Vane: the application window is not built yet.\n");
    return 0;
}
