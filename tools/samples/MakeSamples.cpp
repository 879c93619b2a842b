#include "tools/samples/SampleAssets.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

// tolve-make-samples FOLDER: writes the bundled sample palette, texture file
// and demo map into FOLDER.
int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::printf("usage: tolve-make-samples FOLDER\n\n"
                    "Writes quake.pal, quake101.wad and demo.map into FOLDER. The files are\n"
                    "the same, byte for byte, on every run.\n");
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: tolve-make-samples FOLDER\n");
        return 2;
    }
    try {
        std::string error;
        if (!samples::WriteSampleFiles(argv[1], error)) {
            std::fprintf(stderr, "tolve-make-samples: %s\n", error.c_str());
            return 1;
        }
    } catch (const std::exception& problem) {
        std::fprintf(stderr, "tolve-make-samples: %s\n", problem.what());
        return 1;
    }
    return 0;
}
