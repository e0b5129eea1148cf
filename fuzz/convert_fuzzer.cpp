// fuzz/convert_fuzzer.cpp: the whole conversion of a fuzzed .inp model, inside this process, once
// with -shp and once with -mif, each in a fresh folder beside the projection files that let the
// run get through; standard input is at its end, so every pause returns. Beyond the sanitizers:
// a run that ends with status 0 has written every file it announced ("OK.  File Unit:"), each
// shapefile set is complete and well formed, each .mid line holds one value per column, and no
// coordinate of a .mif or .shp and no number of a .csv table holds asterisks, NaN or Infinity.
// No run, whatever its status, may end in an internal stop ("Should not be here", "please
// contact"). A failed check aborts, so the input is kept.
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "build_info.hpp"
#include "convert/run_seam.hpp"
#include "platform/filesystem.hpp"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kModelName = "m.inp";
constexpr std::string_view kHeaderPrj = "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\"]]\n";
constexpr std::string_view kHeaderMif = "Version 300\nCoordSys Earth Projection 1, 104\n";

struct Form {
    std::string_view name;
    std::string_view switchArgument;
};
constexpr Form kForms[] = {{"shp", "-shp"}, {"mif", "-mif"}};

// The folder that holds each run's folder, the working folder to come back to (libFuzzer writes
// its findings relative to it), and the empty standard input of every run.
struct Fixture {
    fs::path root;
    fs::path home;
    std::FILE* noInput = nullptr;
};

const Fixture& fixture() {
    static const Fixture made = [] {
        Fixture f;
        // A memory file system where there is one: a run makes and removes dozens of files.
        const fs::path temporary = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (temporary / "zx-convert-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        f.root = pattern;
        f.home = fs::current_path();
        f.noInput = std::fopen("/dev/null", "r");
        if (f.noInput == nullptr) std::abort();
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(fixture().root, ignored);
        });
        return f;
    }();
    return made;
}

void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) std::abort();
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// What one run left to check: its form and its console transcript.
struct RunRecord {
    std::string_view form;
    std::string console;
};

[[noreturn]] void fail(const RunRecord& run, std::string_view what, std::string_view file) {
    constexpr std::size_t kTranscriptTail = 3000;
    const std::string_view transcript(run.console);
    const std::string_view tail =
        transcript.substr(transcript.size() > kTranscriptTail ? transcript.size() - kTranscriptTail : 0);
    std::fprintf(stderr, "\n==== conversion check failed (-%.*s): %.*s: %.*s\n---- end of the console:\n%.*s\n----\n",
                 static_cast<int>(run.form.size()), run.form.data(), static_cast<int>(what.size()), what.data(),
                 static_cast<int>(file.size()), file.data(), static_cast<int>(tail.size()), tail.data());
    std::abort();
}

// The names of the files the run opened for writing, from the opener's console lines
// " Trying to open file <name>...OK.  File Unit:<unit>".
std::set<std::string> announcedFiles(std::string_view console) {
    constexpr std::string_view kTrying = " Trying to open file ";
    constexpr std::string_view kOpened = "...OK.  File Unit:";
    std::set<std::string> names;
    std::size_t from = 0;
    while (from < console.size()) {
        std::size_t end = console.find('\n', from);
        if (end == std::string_view::npos) end = console.size();
        const std::string_view line = console.substr(from, end - from);
        from = end + 1;
        const std::size_t opened = line.rfind(kOpened);
        if (opened == std::string_view::npos) continue;
        const std::size_t trying = line.rfind(kTrying, opened);
        if (trying == std::string_view::npos) continue;
        names.emplace(line.substr(trying + kTrying.size(), opened - trying - kTrying.size()));
    }
    return names;
}

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::vector<std::string_view> lines(std::string_view text) {
    std::vector<std::string_view> result;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(from, end - from);
        if (line.ends_with('\r')) line.remove_suffix(1);
        result.push_back(line);
        from = end + 1;
    }
    return result;
}

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> result;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) result.push_back(line.substr(start, i - start));
    }
    return result;
}

// A whole word that is a finite number: run-together fields, asterisks, NaN and Infinity fail.
bool finiteNumber(std::string_view word) {
    double value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc{} && end == word.data() + word.size() && std::isfinite(value);
}

// The object lines of a .mif file (after "Data"): keyword lines and coordinate lines hold only
// finite numbers; style lines are skipped. The number of columns its header declares.
std::size_t checkMif(const RunRecord& run, const std::string& name) {
    const std::string text = readFile(zx::platform::diskPath(name));
    bool inData = false;
    std::size_t columns = 0;
    for (const std::string_view line : lines(text)) {
        const auto parts = words(line);
        if (!inData) {
            if (parts.size() == 2 && lowerCase(parts[0]) == "columns") {
                std::from_chars(parts[1].data(), parts[1].data() + parts[1].size(), columns);
            }
            inData = !parts.empty() && lowerCase(parts[0]) == "data";
            continue;
        }
        if (parts.empty()) continue;
        const std::string keyword = lowerCase(parts[0]);
        if (keyword == "pen" || keyword == "symbol" || keyword == "brush" || keyword == "none") continue;
        const bool objectLine = keyword == "point" || keyword == "line" || keyword == "pline" ||
                                keyword == "region" || keyword == "multipoint";
        std::size_t first = objectLine ? 1 : 0;
        if (parts.size() > first && lowerCase(parts[first]) == "multiple") ++first;
        for (std::size_t i = first; i < parts.size(); ++i) {
            if (!finiteNumber(parts[i])) {
                fail(run, "object line holds a word that is no finite number: " + std::string(line), name);
            }
        }
    }
    if (!inData) fail(run, "no Data line", name);
    return columns;
}

// The attribute lines of a .mid file: as many comma-separated values as the .mif declares
// columns, a quoted value closed (an inner quote doubled) and followed by the delimiter or the end.
void checkMid(const RunRecord& run, const std::string& name, std::size_t columns) {
    const std::string text = readFile(zx::platform::diskPath(name));
    for (const std::string_view line : lines(text)) {
        std::size_t values = 1;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == ',') {
                ++values;
            } else if (line[i] == '"' && (i == 0 || line[i - 1] == ',')) {
                for (++i; i < line.size(); ++i) {
                    if (line[i] != '"') continue;
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        ++i;
                        continue;
                    }
                    break;
                }
                if (i >= line.size()) fail(run, "quoted value not closed: " + std::string(line), name);
                if (i + 1 < line.size() && line[i + 1] != ',') {
                    fail(run, "quoted value followed by more text: " + std::string(line), name);
                }
            }
        }
        if (values != columns) {
            fail(run, "line holds " + std::to_string(values) + " values for " + std::to_string(columns) +
                          " columns: " + std::string(line),
                 name);
        }
    }
}

// The number lines of a .csv table ("!" starts a comment line that may hold names).
void checkCsv(const RunRecord& run, const std::string& name) {
    const std::string text = readFile(zx::platform::diskPath(name));
    for (const std::string_view line : lines(text)) {
        if (line.starts_with('!')) continue;
        const std::string lower = lowerCase(line);
        if (lower.find_first_of('*') != std::string::npos || lower.find("nan") != std::string::npos ||
            lower.find("inf") != std::string::npos) {
            fail(run, "table line holds asterisks, NaN or Infinity: " + std::string(line), name);
        }
    }
}

std::int32_t bigEndian32(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return static_cast<std::int32_t>(v);
}
std::int32_t littleEndian32(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 4; i-- > 0;) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return static_cast<std::int32_t>(v);
}
double littleEndianDouble(const std::string& bytes, std::size_t at) {
    std::uint64_t v = 0;
    for (std::size_t i = 8; i-- > 0;) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    double d = 0;
    std::memcpy(&d, &v, sizeof d);
    return d;
}

// A .shp file: its header's length is its size, its records follow one another to the end, each
// of the length its content needs, and every double (extents included) is finite.
void checkShp(const RunRecord& run, const std::string& name) {
    const std::string bytes = readFile(zx::platform::diskPath(name));
    constexpr std::size_t kHeader = 100;
    if (bytes.size() < kHeader) fail(run, "shorter than its header", name);
    if (bigEndian32(bytes, 0) != 9994) fail(run, "wrong file code", name);
    if (static_cast<std::size_t>(bigEndian32(bytes, 24)) * 2 != bytes.size()) {
        fail(run, "length field is not the size", name);
    }
    auto requireFinite = [&](std::size_t at, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            if (!std::isfinite(littleEndianDouble(bytes, at + 8 * i))) fail(run, "a double is not finite", name);
        }
    };
    requireFinite(36, 8);  // x, y, z and m ranges
    std::size_t at = kHeader;
    while (at < bytes.size()) {
        if (bytes.size() - at < 12) fail(run, "record header cut short", name);
        const std::size_t contentBytes = static_cast<std::size_t>(bigEndian32(bytes, at + 4)) * 2;
        const std::size_t content = at + 8;
        if (contentBytes < 4 || bytes.size() - content < contentBytes) fail(run, "record runs past the end", name);
        const std::int32_t type = littleEndian32(bytes, content);
        if (type == 1) {
            if (contentBytes != 20) fail(run, "point record of the wrong length", name);
            requireFinite(content + 4, 2);
        } else if (type == 3 || type == 5) {
            if (contentBytes < 44) fail(run, "polyline record too short", name);
            const auto parts = static_cast<std::size_t>(littleEndian32(bytes, content + 36));
            const auto points = static_cast<std::size_t>(littleEndian32(bytes, content + 40));
            if (parts > contentBytes || points > contentBytes) fail(run, "part or point count beyond the record", name);
            if (44 + 4 * parts + 16 * points != contentBytes) {
                fail(run, "record length is not its parts and points", name);
            }
            requireFinite(content + 4, 4);
            requireFinite(content + 44 + 4 * parts, 2 * points);
        } else if (type != 0 || contentBytes != 4) {
            fail(run, "unexpected shape type or null record length", name);
        }
        at = content + contentBytes;
    }
}

// Whether the text holds the pattern, found by comparing rolling hashes rather than bytes: libFuzzer
// learns the operands of every memcmp in the target and would copy the pattern into models,
// whose lines the console echoes in its messages.
bool holdsPattern(std::string_view text, std::string_view pattern) {
    constexpr std::uint64_t kBase = 257;
    if (pattern.empty() || text.size() < pattern.size()) return false;
    std::uint64_t patternHash = 0;
    std::uint64_t windowHash = 0;
    std::uint64_t highest = 1;  // kBase to the power of the pattern's length less one
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        patternHash = patternHash * kBase + static_cast<unsigned char>(pattern[i]);
        windowHash = windowHash * kBase + static_cast<unsigned char>(text[i]);
        if (i > 0) highest *= kBase;
    }
    for (std::size_t at = 0;; ++at) {
        if (windowHash == patternHash && text.substr(at, pattern.size()) == pattern) return true;
        if (at + pattern.size() >= text.size()) return false;
        windowHash = (windowHash - highest * static_cast<unsigned char>(text[at])) * kBase +
                     static_cast<unsigned char>(text[at + pattern.size()]);
    }
}

// An internal stop or software check is a fault of ours, whatever the input: each says "Should
// not be here" or asks the user to "please contact" the maker.
void checkNoInternalStop(const RunRecord& run) {
    if (holdsPattern(run.console, "Should not be here") ||
        holdsPattern(run.console, "lease contact " + std::string(zx::kContactAddress))) {
        fail(run, "internal stop", "the console");
    }
}

void checkOutputs(const RunRecord& run) {
    for (const std::string& name : announcedFiles(run.console)) {
        if (!zx::platform::pathExists(name)) fail(run, "announced but not on disk", name);
        const std::string extension = lowerCase(fs::path(zx::platform::diskPath(name)).extension().string());
        if (extension == ".mif") checkMid(run, name.substr(0, name.size() - 4) + ".mid", checkMif(run, name));
        if (extension == ".csv") checkCsv(run, name);
        if (extension == ".shp") {
            checkShp(run, name);
            for (std::string_view sibling : {".shx", ".dbf", ".prj"}) {
                const std::string other = name.substr(0, name.size() - 4) + std::string(sibling);
                if (!zx::platform::pathExists(other)) {
                    fail(run, "shapefile set without its " + std::string(sibling), name);
                }
            }
        }
    }
}

void convertOnce(const Form& form, std::string_view model) {
    const Fixture& f = fixture();
    const fs::path folder = f.root / "run";
    fs::create_directory(folder);
    writeFile(folder / kModelName, model);
    writeFile(folder / "Header.prj", kHeaderPrj);
    writeFile(folder / "Header.mif", kHeaderMif);
    if (::chdir(folder.c_str()) != 0) std::abort();

    char* transcript = nullptr;
    std::size_t transcriptSize = 0;
    std::FILE* console = ::open_memstream(&transcript, &transcriptSize);
    if (console == nullptr) std::abort();
    const int status = zx::convert::runInProcess(
        {"zervanix", std::string(form.switchArgument), std::string(kModelName)}, console, f.noInput);
    std::fclose(console);
    RunRecord run{form.name, std::string(transcript, transcriptSize)};
    std::free(transcript);

    checkNoInternalStop(run);
    if (status == 0) checkOutputs(run);
    if (::chdir(f.home.c_str()) != 0) std::abort();
    // Outputs stay inside the run's folder, whatever the names in the model.
    for (const auto& entry : fs::directory_iterator(f.root)) {
        if (entry.path().filename() != "run") fail(run, "written outside the run's folder", entry.path().string());
    }
    fs::remove_all(folder);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view model(reinterpret_cast<const char*>(data), size);
    for (const Form& form : kForms) convertOnce(form, model);
    return 0;
}
