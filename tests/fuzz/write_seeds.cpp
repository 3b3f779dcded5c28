// Writes the seed corpus: each hostile class at seed size, beside the
// shipped examples. Run by hand when a class is added:
//   build/tests/fuzz/write_seeds tests/fuzz/corpus/catalogue
#include "tests/fuzz/HostileCatalogues.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_seeds FOLDER\n");
        return 2;
    }
    for (const hostile::Sample& sample : hostile::samples(hostile::SeedSize))
        std::ofstream(std::string(argv[1]) + "/" + sample.name, std::ios::binary) << sample.bytes;
    return 0;
}
