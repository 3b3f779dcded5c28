// SPDX-License-Identifier: MIT
// Costs of reading a catalogue from disk and matching devices against it,
// with real files of growing size in both forms (XML written here, binary
// written by libplist), up to the 10,000 models a large driver may list.
#include "app/detection/DeviceCatalogue.h"
#include "platform/linux/PlistFileReader.h"
#include "tests/fuzz/HostileCatalogues.h"

#include <benchmark/benchmark.h>
#include <plist/plist.h>
#include <pugixml.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <malloc.h>
#include <memory>
#include <unistd.h>

namespace {

std::string asBinary(const std::string& xml) {
    plist_t root = nullptr;
    plist_from_xml(xml.data(), static_cast<uint32_t>(xml.size()), &root);
    char* data = nullptr;
    uint32_t length = 0;
    plist_to_bin(root, &data, &length);
    std::string out(data, length);
    plist_to_bin_free(data);
    plist_free(root);
    return out;
}

class CatalogueFile {
public:
    CatalogueFile(int entries, bool binary)
        : path_(std::filesystem::temp_directory_path() /
                ("runnetlume-bench-" + std::to_string(::getpid()) + "-" + std::to_string(entries) +
                 (binary ? ".bplist" : ".plist"))) {
        const std::string xml = hostile::modelsXml(entries);
        std::ofstream(path_, std::ios::binary) << (binary ? asBinary(xml) : xml);
    }
    ~CatalogueFile() { std::filesystem::remove(path_); }
    CatalogueFile(const CatalogueFile&) = delete;
    CatalogueFile& operator=(const CatalogueFile&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

DeviceCatalogue readCatalogue(const std::string& path) {
    static const platform::linux_backend::PlistFileReader reader;
    const auto root = reader.readDictionary(path);
    return root ? DeviceCatalogue::fromPropertyList(root->root()) : DeviceCatalogue{};
}

int matches(const DeviceCatalogue& catalogue, std::uint16_t vid, std::uint16_t pid) {
    int found = 0;
    for (const CatalogueEntry& entry : catalogue.devices())
        found += entryMatchesDevice(entry, vid, pid) ? 1 : 0;
    return found;
}

// One use as the assistant makes it: read the file, build the catalogue and
// try every entry against one device that is not listed.
void ReadAndMatch(benchmark::State& state, bool binary) {
    const CatalogueFile file(static_cast<int>(state.range(0)), binary);
    for (auto _ : state)
        benchmark::DoNotOptimize(matches(readCatalogue(file.path()), 0x04B8, 0x0001));
}
BENCHMARK_CAPTURE(ReadAndMatch, xml, false)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadAndMatch, binary, true)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

// The reference beside it in the same run: pugixml alone reading and parsing
// the same XML file, the floor under any reader built on it. It is given its
// best case: a heap that keeps what it was given (see main), so that its
// memory comes without the kernel's help on every run but the first. Without
// that its figure varies by a factor of two with where earlier blocks lie.
void PugixmlParseOnly(benchmark::State& state) {
    const CatalogueFile file(static_cast<int>(state.range(0)), false);
    for (auto _ : state) {
        std::ifstream in(file.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        pugi::xml_document document;
        benchmark::DoNotOptimize(document.load_buffer(bytes.data(), bytes.size()).status);
    }
}
BENCHMARK(PugixmlParseOnly)->Arg(10)->Arg(10000)->Unit(benchmark::kMillisecond);

// Per entry: items/s in the report is entries tried per second.
void MatchEveryEntry(benchmark::State& state) {
    const CatalogueFile file(static_cast<int>(state.range(0)), false);
    const DeviceCatalogue catalogue = readCatalogue(file.path());
    for (auto _ : state)
        benchmark::DoNotOptimize(matches(catalogue, 0x04B8, 0x1000));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(MatchEveryEntry)->Arg(10)->Arg(10000);

// What both catalogues cost a start-up with no printer attached: the agent
// refresh reads the Wi-Fi catalogue, the scan reads both, and the listener's
// arming call reads both again.
void StartupCatalogueReads(benchmark::State& state) {
    const CatalogueFile wifi(static_cast<int>(state.range(0)), false);
    const CatalogueFile other(static_cast<int>(state.range(0)), false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(readCatalogue(wifi.path()).smLaunchAgentPath().size());
        benchmark::DoNotOptimize(matches(readCatalogue(wifi.path()), 1, 1));
        benchmark::DoNotOptimize(matches(readCatalogue(other.path()), 1, 1));
        benchmark::DoNotOptimize(matches(readCatalogue(wifi.path()), 1, 1));
        benchmark::DoNotOptimize(matches(readCatalogue(other.path()), 1, 1));
    }
}
BENCHMARK(StartupCatalogueReads)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Only pugixml's reference allocates through the heap in bulk; the
    // catalogue reader takes its memory from the system itself.
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
