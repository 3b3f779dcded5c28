// Costs of reading a catalogue from disk and matching devices against it,
// with real libplist files of growing size.
#include "app/detection/DeviceCatalogue.h"
#include "platform/linux/PlistFileReader.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

std::string catalogueFile(int entries) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("runnetlume-bench-" + std::to_string(::getpid()) +
                                                  "-" + std::to_string(entries) + ".plist");
    std::ofstream out(path);
    out << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>devices</key><array>";
    for (int i = 0; i < entries; ++i)
        out << "<dict><key>vid</key><string>0x04B8</string><key>pid</key><string>0x" << std::hex
            << (0x1000 + i) << std::dec << "</string></dict>";
    out << "</array><key>application</key><string>/opt/tool</string></dict></plist>";
    return path;
}

void ReadCatalogue(benchmark::State& state) {
    const std::string path = catalogueFile(static_cast<int>(state.range(0)));
    const platform::linux_backend::PlistFileReader reader;
    for (auto _ : state) {
        const auto root = reader.readDictionary(path);
        benchmark::DoNotOptimize(DeviceCatalogue::fromPropertyList(*root));
    }
    std::filesystem::remove(path);
}
BENCHMARK(ReadCatalogue)->Arg(10)->Arg(100)->Arg(1000);

void MatchEveryEntry(benchmark::State& state) {
    const std::string path = catalogueFile(static_cast<int>(state.range(0)));
    const platform::linux_backend::PlistFileReader reader;
    const DeviceCatalogue catalogue =
        DeviceCatalogue::fromPropertyList(*reader.readDictionary(path));
    for (auto _ : state) {
        int matches = 0;
        for (const CatalogueEntry& entry : catalogue.devices())
            matches += entryMatchesDevice(entry, 0x04B8, 0x1000) ? 1 : 0;
        benchmark::DoNotOptimize(matches);
    }
    std::filesystem::remove(path);
}
BENCHMARK(MatchEveryEntry)->Arg(10)->Arg(100)->Arg(1000);

} // namespace

BENCHMARK_MAIN();
