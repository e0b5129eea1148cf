// fuzz/reader_fuzzer.cpp: a fuzzed GIS layer read to its end through zx_layer_probe's read path,
// inside this process. The first byte chooses the format (even: a shapefile set .shp/.dbf, odd: a
// MIF/MID pair), the next four the size of the first file (little-endian, cut to what is there);
// the rest is the second file. Standard input is at its end, so every pause returns. Beyond the
// sanitizers, a read must not end in an internal stop: a malformed layer ends in a clear ERROR.
// And no data is lost without a word: a read that ends with no ERROR and no WARNING has delivered
// one record per object and left nothing in the geometry file or the attribute file.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "convert/run_seam.hpp"
#include "fuzz/output_checks.hpp"
#include "platform/console.hpp"
#include "fuzz/scratch_folder.hpp"
#include "platform/process.hpp"
#include "probe/probe.hpp"

namespace {

namespace fs = std::filesystem;

const zx::fuzz::ScratchFolder& fixture() { return zx::fuzz::scratchFolder("reader"); }

bool saysAtLineStart(std::string_view text, std::string_view word) {
    return text.starts_with(word) || text.find("\n" + std::string(word)) != std::string_view::npos;
}

// What a read that said nothing left behind; empty when nothing.
std::string silentLoss(std::string_view text, const zx::probe::ReadEnd& end) {
    if (!end.reached || saysAtLineStart(text, "ERROR ") || saysAtLineStart(text, "WARNING ")) return {};
    if (end.records != end.objects) {
        return std::to_string(end.objects) + " objects delivered with " + std::to_string(end.records) + " records";
    }
    if (end.geometryLeft) return "the geometry file not read to its end";
    if (end.recordsLeft) return "the attribute file not read to its end";
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kPrefix = 5;
    if (size < kPrefix) return 0;
    const bool shapefile = data[0] % 2 == 0;
    const std::uint32_t declared = data[1] | data[2] << 8 | data[3] << 16 | std::uint32_t{data[4]} << 24;
    const std::string_view rest(reinterpret_cast<const char*>(data) + kPrefix, size - kPrefix);
    const std::size_t first = std::min<std::size_t>(declared, rest.size());

    const zx::fuzz::ScratchFolder& f = fixture();
    const std::string_view layer = shapefile ? "l.shp" : "l.mif";
    zx::fuzz::writeFile(f.folder / layer, rest.substr(0, first));
    zx::fuzz::writeFile(f.folder / (shapefile ? "l.dbf" : "l.mid"), rest.substr(first));
    if (::chdir(f.folder.c_str()) != 0) std::abort();

    char* transcript = nullptr;
    std::size_t transcriptSize = 0;
    std::FILE* console = ::open_memstream(&transcript, &transcriptSize);
    std::FILE* results = std::fopen("/dev/null", "w");
    if (console == nullptr || results == nullptr) std::abort();
    auto& terminal = zx::platform::console();
    std::FILE* const previousOut = terminal.output();
    std::FILE* const previousIn = terminal.input();
    zx::convert::resetRunState();
    terminal.redirect(console, f.noInput);
    zx::probe::ReadEnd end;
    try {
        const zx::platform::RunLanding landing;
        zx::probe::readLayer(std::string(layer), results, &end);
    } catch (const zx::platform::RunEnded&) {
    }
    terminal.flush();
    terminal.redirect(previousOut, previousIn);
    zx::convert::resetRunState();
    std::fclose(results);
    std::fclose(console);
    const std::string text(transcript, transcriptSize);
    std::free(transcript);
    if (::chdir(f.home.c_str()) != 0) std::abort();

    std::string problem = zx::fuzz::internalStopProblem(text);
    if (problem.empty()) problem = silentLoss(text, end);
    if (!problem.empty()) {
        std::fprintf(stderr, "\n==== layer read check failed: %s\n---- end of the console:\n%s\n----\n", problem.c_str(),
                     text.substr(text.size() > 3000 ? text.size() - 3000 : 0).c_str());
        std::abort();
    }
    return 0;
}
