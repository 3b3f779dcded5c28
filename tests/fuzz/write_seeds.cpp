// SPDX-License-Identifier: MIT
// Writes each hostile class into a folder: at seed size for the corpus (run
// by hand when a class is added), or at full size for the end-to-end suite.
//   build/tests/fuzz/write_seeds [--full] FOLDER
#include "tests/fuzz/HostileCatalogues.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    const bool full = argc == 3 && std::string(argv[1]) == "--full";
    if (argc != 2 && !full) {
        std::fprintf(stderr, "usage: write_seeds [--full] FOLDER\n");
        return 2;
    }
    const std::string folder = argv[argc - 1];
    for (const hostile::Sample& sample :
         hostile::samples(full ? hostile::FullSize : hostile::SeedSize))
        std::ofstream(folder + "/" + sample.name, std::ios::binary) << sample.bytes;
    return 0;
}
