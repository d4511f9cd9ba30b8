// Writes the generated benchmark drawing of N paths: svg-bench-drawing N FILE
#include <cstdio>
#include <cstdlib>

#include "SvgBenchDrawing.h"

int main(int argc, char** argv) {
    if (argc != 3 || std::atoi(argv[1]) <= 0) {
        std::fputs("usage: svg-bench-drawing PATHS FILE\n", stderr);
        return 2;
    }
    const std::string text = sartovin::bench::svgBenchDrawing(std::atoi(argv[1]));
    std::FILE* f = std::fopen(argv[2], "wb");
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) {
        std::perror(argv[2]);
        return 1;
    }
    return 0;
}
