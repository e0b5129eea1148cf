// fuzz/reader_fuzzer.cpp: a fuzzed GIS layer read to its end through zx_layer_probe's read path,
// then sampled onto a small grid through its grid path, inside this process. The first byte
// chooses the format (even: a shapefile set .shp/.dbf, odd: a MIF/MID pair), the next four the size
// of the first file (little-endian, cut to what is there); the rest is the second file. Standard
// input is at its end, so every pause returns. Beyond the sanitizers, neither path may end in an
// internal stop: a malformed layer ends in a clear ERROR. And no data is lost without a word: a
// read that ends with no ERROR and no WARNING has delivered one record per object, left nothing in
// the geometry file or the attribute file, and (read path, MIF) accounted for every line of the
// .mif after "Data".
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

// What a read that said nothing left behind; empty when nothing. The .mif's lines are checked
// when it is given.
std::string silentLoss(std::string_view text, const zx::probe::ReadEnd& end, std::string_view mif) {
    if (!end.reached || saysAtLineStart(text, "ERROR ") || saysAtLineStart(text, "WARNING ")) return {};
    if (end.records != end.objects) {
        return std::to_string(end.objects) + " objects delivered with " + std::to_string(end.records) + " records";
    }
    if (end.geometryLeft) return "the geometry file not read to its end";
    if (end.recordsLeft) return "the attribute file not read to its end";
    return zx::fuzz::mifLinesProblem(mif, end.delivered);
}

// A grid that small coordinates fall on, turned so that the frame's rotation is taken too.
zx::SamplingGrid samplingGrid() {
    zx::SamplingGrid grid;
    grid.rows = grid.columns = grid.n1 = grid.n2 = 16;
    grid.dx = grid.dy = 0.5F;
    grid.x0 = grid.y0 = -4.0;
    grid.angle = 0.5F;
    return grid;
}

// One path of the probe on the layer of the scratch folder, the console captured: what it said.
template <class Path>
std::string transcriptOf(const Path& path) {
    char* transcript = nullptr;
    std::size_t transcriptSize = 0;
    std::FILE* console = ::open_memstream(&transcript, &transcriptSize);
    std::FILE* results = std::fopen("/dev/null", "w");
    if (console == nullptr || results == nullptr) std::abort();
    auto& terminal = zx::platform::console();
    std::FILE* const previousOut = terminal.output();
    std::FILE* const previousIn = terminal.input();
    zx::convert::resetRunState();
    terminal.redirect(console, fixture().noInput);
    try {
        const zx::platform::RunLanding landing;
        path(results);
    } catch (const zx::platform::RunEnded&) {
    }
    terminal.flush();
    terminal.redirect(previousOut, previousIn);
    zx::convert::resetRunState();
    std::fclose(results);
    std::fclose(console);
    std::string text(transcript, transcriptSize);
    std::free(transcript);
    return text;
}

// What is wrong with one path's run; empty when nothing.
std::string problemOf(std::string_view text, const zx::probe::ReadEnd& end, std::string_view mif) {
    const std::string problem = zx::fuzz::internalStopProblem(text);
    return problem.empty() ? silentLoss(text, end, mif) : problem;
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
    const std::string layer = shapefile ? "l.shp" : "l.mif";
    zx::fuzz::writeFile(f.folder / layer, rest.substr(0, first));
    zx::fuzz::writeFile(f.folder / (shapefile ? "l.dbf" : "l.mid"), rest.substr(first));
    if (::chdir(f.folder.c_str()) != 0) std::abort();

    zx::probe::ReadEnd readEnd;
    const std::string read = transcriptOf([&](std::FILE* results) { zx::probe::readLayer(layer, results, &readEnd); });
    zx::probe::ReadEnd gridEnd;
    const std::string grid = transcriptOf([&](std::FILE* results) {
        zx::probe::sampleLayer(layer, samplingGrid(), zx::SamplingSwitches{}, results, &gridEnd);
    });
    if (::chdir(f.home.c_str()) != 0) std::abort();

    const std::string_view mif = shapefile ? std::string_view() : rest.substr(0, first);
    std::string problem = problemOf(read, readEnd, mif);
    std::string_view text = read;
    if (problem.empty()) {
        problem = problemOf(grid, gridEnd, {});
        if (!problem.empty()) problem = "grid path: " + problem;
        text = grid;
    }
    if (!problem.empty()) {
        std::fprintf(stderr, "\n==== layer read check failed: %s\n---- end of the console:\n%s\n----\n", problem.c_str(),
                     std::string(text.substr(text.size() > 3000 ? text.size() - 3000 : 0)).c_str());
        std::abort();
    }
    return 0;
}
