// SPDX-License-Identifier: MIT
// Catalogue files of every class that once broke, or could break, the
// reader, built at any size: at full size for the regression tests, small
// for the fuzzer's seed corpus.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace hostile {

struct Sample {
    std::string name; // also the seed's file name
    std::string bytes;
    // True when the printer 0x04B8:0x0E28 must be found in it; otherwise it
    // must read as unreadable (an empty catalogue).
    bool readable;
};

// levels: the nesting of the deep classes (150,000 and more at full size);
// copies: how often the shared string of the expansion class is referred to
// (100,000 at full size); models: the listed models of the large catalogues;
// values: the small values of the wide classes (at full size as many as the
// reader accepts, so that each is read whole at its largest).
struct Scale {
    int levels;
    int copies;
    std::size_t sharedStringBytes;
    int models;
    int values;
};
constexpr Scale FullSize{200'000, 100'000, 2'600'000, 10'000, 199'995};
constexpr Scale SeedSize{100, 50, 64, 20, 100};

std::vector<Sample> samples(const Scale& scale);

// A binary property list of the given objects (each already encoded with
// its marker) with object 0 at the top; references are `refSize` bytes.
std::string binaryPlist(const std::vector<std::string>& objects, int refSize);

// A catalogue of `models` entries, 0x04B8:0x0E28 last, as plain XML text.
std::string modelsXml(int models);

} // namespace hostile
