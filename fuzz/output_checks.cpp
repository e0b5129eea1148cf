// fuzz/output_checks.cpp: the checks of the converter fuzz target on a run's console and files.
#include "fuzz/output_checks.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "build_info.hpp"
#include "gis/byte_order.hpp"
#include "gis/file_layouts.hpp"
#include "platform/filesystem.hpp"

namespace zx::fuzz {
namespace {

constexpr std::uint64_t kHashBase = 257;

std::uint64_t hashOf(std::string_view text) {
    std::uint64_t hash = 0;
    for (const char c : text) hash = hash * kHashBase + static_cast<unsigned char>(c);
    return hash;
}

// Equality decided by hash first, so that a comparison of bytes happens only on a real match.
bool sameText(std::string_view text, std::string_view constant) {
    return text.size() == constant.size() && hashOf(text) == hashOf(constant) && text == constant;
}

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// The lines of a text, without their LF or CR LF; with crEnds a lone CR ends a line too.
std::vector<std::string_view> lines(std::string_view text, bool crEnds = false) {
    std::vector<std::string_view> result;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find_first_of(crEnds ? "\r\n" : "\n", from);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(from, end - from);
        if (line.ends_with('\r')) line.remove_suffix(1);
        result.push_back(line);
        from = end + 1;
        if (crEnds && end < text.size() && text[end] == '\r' && from < text.size() && text[from] == '\n') ++from;
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

std::int32_t bigEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return static_cast<std::int32_t>(v);
}
std::int32_t littleEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 4; i-- > 0;) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return static_cast<std::int32_t>(v);
}
double littleEndianDouble(std::string_view bytes, std::size_t at) {
    std::uint64_t v = 0;
    for (std::size_t i = 8; i-- > 0;) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    double d = 0;
    std::memcpy(&d, &v, sizeof d);
    return d;
}

std::string readFile(const std::string& name) {
    std::ifstream in(platform::diskPath(name), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The names of the files the run opened for writing, in order, as often as each was opened: the
// opener's console lines " Trying to open file <name>...OK.  File Unit:<4-digit unit>".
std::vector<std::string> openedFiles(std::string_view console) {
    constexpr std::string_view kTrying = " Trying to open file ";
    constexpr std::string_view kOpened = "...OK.  File Unit:";
    constexpr std::size_t kUnitWidth = 4;
    std::vector<std::string> names;
    for (const std::string_view line : lines(console)) {
        if (line.size() < kTrying.size() + kOpened.size() + kUnitWidth) continue;
        const std::size_t opened = line.size() - kUnitWidth - kOpened.size();
        const bool announced =
            sameText(line.substr(0, kTrying.size()), kTrying) && sameText(line.substr(opened, kOpened.size()), kOpened);
        if (!announced) continue;
        names.emplace_back(line.substr(kTrying.size(), opened - kTrying.size()));
    }
    return names;
}

std::string extensionOf(const std::string& name) {
    return lowerCase(std::filesystem::path(platform::diskPath(name)).extension().string());
}

// The values of a .mid line, unquoted, into values: a value that begins with a double quote runs
// to the closing one, an inner quote doubled. What is wrong with the line, or an empty text.
std::string splitMidLine(std::string_view line, std::vector<std::string>& values) {
    values.assign(1, std::string());
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == ',') {
            values.emplace_back();
            continue;
        }
        if (line[i] != '"' || (i > 0 && line[i - 1] != ',')) {
            values.back() += line[i];
            continue;
        }
        for (++i; i < line.size(); ++i) {
            if (line[i] != '"') {
                values.back() += line[i];
            } else if (i + 1 < line.size() && line[i + 1] == '"') {
                values.back() += line[++i];
            } else {
                break;
            }
        }
        if (i >= line.size()) return "quoted value not closed: " + std::string(line);
        if (i + 1 < line.size() && line[i + 1] != ',') {
            return "quoted value followed by more text: " + std::string(line);
        }
    }
    return {};
}

bool isBlankLine(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

// A line's text from its first character that is no blank or TAB, in lower case.
std::string lowerFromFirstWord(std::string_view line) {
    return lowerCase(line.substr(std::min(line.find_first_not_of(" \t"), line.size())));
}

// A line that a MIF reader takes as an object's keyword line: its first word begins with a keyword.
bool isMifKeywordLine(std::string_view line) {
    constexpr std::array<std::string_view, 12> kKeywords{"point", "pline", "line", "region", "multipoint", "none",
                                                         "rect", "roundrect", "text", "arc", "ellipse", "collection"};
    const std::string lower = lowerFromFirstWord(line);
    return std::any_of(kKeywords.begin(), kKeywords.end(), [&](std::string_view k) { return lower.starts_with(k); });
}

// A style line: a style word first, followed by a blank, a bracket or nothing.
bool isMifStyleLine(std::string_view line) {
    constexpr std::array<std::string_view, 10> kStyles{"pen",  "brush",   "symbol",  "smooth", "center",
                                                       "font", "spacing", "justify", "angle",  "label"};
    const std::string lower = lowerFromFirstWord(line);
    return std::any_of(kStyles.begin(), kStyles.end(), [&](std::string_view w) {
        return lower.starts_with(w) &&
               (lower.size() == w.size() || !std::isalnum(static_cast<unsigned char>(lower[w.size()])));
    });
}

// The lines an object owns after its keyword line: those its counts and vertices need, and those
// a kind read over may carry. What stands behind the keyword tells whether a point's coordinates,
// a polyline's count, a text's string or an arc's or ellipse's corners come on the next line.
struct OwnedLines {
    std::size_t required = 0;
    std::size_t allowed = 0;
};
OwnedLines linesOwnedBy(const DeliveredObject& object, std::string_view keywordLine) {
    const std::string lower = lowerFromFirstWord(keywordLine);
    const std::size_t onNextLine = isBlankLine(std::string_view(lower).substr(std::min(object.kind.size(), lower.size())));
    std::size_t vertices = 0;
    for (const int n : object.partVertices) vertices += static_cast<std::size_t>(std::max(n, 0));
    const std::size_t parts = object.partVertices.size();
    const std::string_view kind = object.kind;
    if (kind == "POINT") return {onNextLine, 0};
    if (kind == "MULTIPOINT") return {parts, 0};
    if (kind == "PLINE") return {onNextLine + vertices, 0};
    if (kind == "PLINE MULTIPLE") return {parts + vertices, 0};  // a count line per section
    if (kind == "REGION") return {vertices, 0};  // each ring's count line, one separator vertex per ring
    if (kind == "TEXT" || kind == "ARC") return {0, 1 + onNextLine};
    if (kind == "ELLIPSE") return {0, onNextLine};
    if (kind == "ROUNDRECT") return {0, 1};
    return {};
}

// Whether the line's first word is the word (lower case).
bool firstWordIs(std::string_view line, std::string_view word) {
    const auto parts = words(line);
    return !parts.empty() && lowerCase(parts[0]) == word;
}

// Whether the reference, seen from the layer's folder, is a file on disk; an Inlet_Type reference
// is two files separated by " | " (a name may hold that text too: any split will do).
bool namesFiles(const std::string& folder, std::string_view reference, bool pair) {
    const auto isFile = [&](std::string_view name) {
        return std::filesystem::is_regular_file(platform::diskPath(folder + std::string(name)));
    };
    if (!pair) return isFile(reference);
    constexpr std::string_view kSeparator = " | ";
    for (std::size_t at = reference.find(kSeparator); at != std::string_view::npos;
         at = reference.find(kSeparator, at + 1)) {
        if (isFile(reference.substr(0, at)) && isFile(reference.substr(at + kSeparator.size()))) return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> midColumn(std::string_view mif, std::string_view mid, std::string_view column) {
    // The column lines follow "Columns <n>" in the header, one name first on each.
    const std::vector<std::string_view> header = lines(mif);
    std::optional<std::size_t> position;
    for (std::size_t i = 0; i < header.size() && !position; ++i) {
        const auto parts = words(header[i]);
        if (parts.size() != 2 || lowerCase(parts[0]) != "columns") continue;
        std::size_t count = 0;
        std::from_chars(parts[1].data(), parts[1].data() + parts[1].size(), count);
        for (std::size_t k = 0; k < count && i + 1 + k < header.size(); ++k) {
            const auto definition = words(header[i + 1 + k]);
            if (!definition.empty() && lowerCase(definition[0]) == lowerCase(column)) position = k;
        }
    }
    std::vector<std::string> values;
    if (!position) return values;
    for (const std::string_view line : lines(mid)) {
        std::vector<std::string> fields;
        splitMidLine(line, fields);
        values.push_back(*position < fields.size() ? std::move(fields[*position]) : std::string());
    }
    return values;
}

std::vector<std::string> dbfColumn(std::string_view dbf, std::string_view column) {
    const auto* data = reinterpret_cast<const unsigned char*>(dbf.data());
    std::vector<std::string> values;
    if (dbf.size() < dbf::kDescriptorBytes) return values;
    // The header's record count, header length and record length.
    const std::size_t records = bytes::getLE32(data + 4);
    const std::size_t headerBytes = bytes::getLE16(data + 8);
    const std::size_t recordBytes = bytes::getLE16(data + 10);
    std::size_t offset = 1;  // after the deletion flag
    for (std::size_t at = dbf::kDescriptorBytes; at + dbf::kDescriptorBytes <= dbf.size() && data[at] != dbf::kHeaderEnd;
         at += dbf::kDescriptorBytes) {
        const std::string_view name = dbf.substr(at, std::min<std::size_t>(dbf.substr(at, 11).find('\0'), 11));
        const std::size_t width = data[at + 16];  // the field's length
        if (lowerCase(name) != lowerCase(column)) {
            offset += width;
            continue;
        }
        for (std::size_t r = 0; r < records && headerBytes + (r + 1) * recordBytes <= dbf.size(); ++r) {
            std::string_view value = dbf.substr(headerBytes + r * recordBytes + offset, width);
            while (value.ends_with(' ')) value.remove_suffix(1);
            values.emplace_back(value);
        }
        break;
    }
    return values;
}

bool holdsPattern(std::string_view text, std::string_view pattern) {
    if (pattern.empty() || text.size() < pattern.size()) return false;
    const std::uint64_t patternHash = hashOf(pattern);
    std::uint64_t windowHash = hashOf(text.substr(0, pattern.size()));
    std::uint64_t highest = 1;  // the base to the power of the pattern's length less one
    for (std::size_t i = 1; i < pattern.size(); ++i) highest *= kHashBase;
    for (std::size_t at = 0;; ++at) {
        if (windowHash == patternHash && text.substr(at, pattern.size()) == pattern) return true;
        if (at + pattern.size() >= text.size()) return false;
        windowHash = (windowHash - highest * static_cast<unsigned char>(text[at])) * kHashBase +
                     static_cast<unsigned char>(text[at + pattern.size()]);
    }
}

std::set<std::string> announcedFiles(std::string_view console) {
    const std::vector<std::string> opened = openedFiles(console);
    return {opened.begin(), opened.end()};
}

std::string internalStopProblem(std::string_view console) {
    if (holdsPattern(console, "Should not be here") ||
        holdsPattern(console, "lease contact " + std::string(kContactAddress))) {
        return "internal stop";
    }
    return {};
}

std::string mifProblem(std::string_view text, std::size_t& columns) {
    bool inData = false;
    columns = 0;
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
                return "object line holds a word that is no finite number: " + std::string(line);
            }
        }
    }
    return inData ? std::string() : "no Data line";
}

std::string mifLinesProblem(std::string_view mif, const std::vector<DeliveredObject>& objects) {
    const std::vector<std::string_view> all = lines(mif, true);
    // The "Data" line stands behind the column lines that follow "Columns <n>".
    std::size_t at = 0;
    while (at < all.size() && !firstWordIs(all[at], "columns")) ++at;
    if (at == all.size() || words(all[at]).size() < 2) return {};
    const std::string_view count = words(all[at])[1];
    std::size_t columns = 0;
    std::from_chars(count.data(), count.data() + count.size(), columns);
    for (at += 1 + columns; at < all.size() && !firstWordIs(all[at], "data");) ++at;
    std::size_t next = 0;  // the next object delivered
    OwnedLines owed;
    for (++at; at < all.size(); ++at) {
        const std::string_view line = all[at];
        if (owed.required > 0) {
            --owed.required;
            continue;
        }
        if (isBlankLine(line) || isMifStyleLine(line)) continue;
        const std::string where = "line " + std::to_string(at + 1) + " \"" + std::string(line) + "\"";
        if (isMifKeywordLine(line)) {
            if (next == objects.size()) return where + ": an object beyond the " + std::to_string(next) + " read";
            owed = linesOwnedBy(objects[next++], line);
        } else if (owed.allowed > 0) {
            --owed.allowed;
        } else {
            return where + " belongs to no object read";
        }
    }
    if (next != objects.size() || owed.required > 0) {
        return std::to_string(objects.size()) + " objects read from " + std::to_string(next) + " keyword lines";
    }
    return {};
}

std::string midProblem(std::string_view text, std::size_t columns) {
    std::vector<std::string> values;
    for (const std::string_view line : lines(text)) {
        if (std::string problem = splitMidLine(line, values); !problem.empty()) return problem;
        if (values.size() != columns) {
            return std::to_string(values.size()) + " values for " + std::to_string(columns) +
                   " columns: " + std::string(line);
        }
    }
    return {};
}

std::string csvProblem(std::string_view text) {
    for (const std::string_view line : lines(text)) {
        if (line.starts_with('!')) continue;
        const std::string lower = lowerCase(line);
        if (lower.find('*') != std::string::npos || lower.find("nan") != std::string::npos ||
            lower.find("inf") != std::string::npos) {
            return "table line holds asterisks, NaN or Infinity: " + std::string(line);
        }
    }
    return {};
}

std::string shpProblem(std::string_view bytes) {
    constexpr std::size_t kHeader = 100;
    if (bytes.size() < kHeader) return "shorter than its header";
    if (bigEndian32(bytes, 0) != 9994) return "wrong file code";
    if (static_cast<std::size_t>(bigEndian32(bytes, 24)) * 2 != bytes.size()) return "length field is not the size";
    auto finite = [&](std::size_t at, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            if (!std::isfinite(littleEndianDouble(bytes, at + 8 * i))) return false;
        }
        return true;
    };
    if (!finite(36, 8)) return "a range in the header is not finite";  // x, y, z and m
    for (std::size_t at = kHeader; at < bytes.size();) {
        if (bytes.size() - at < 12) return "record header cut short";
        const std::size_t contentBytes = static_cast<std::size_t>(bigEndian32(bytes, at + 4)) * 2;
        const std::size_t content = at + 8;
        if (contentBytes < 4 || bytes.size() - content < contentBytes) return "record runs past the end";
        const std::int32_t type = littleEndian32(bytes, content);
        if (type == 1) {
            if (contentBytes != 20) return "point record of the wrong length";
            if (!finite(content + 4, 2)) return "a point is not finite";
        } else if (type == 3 || type == 5) {
            if (contentBytes < 44) return "polyline record too short";
            const auto parts = static_cast<std::size_t>(littleEndian32(bytes, content + 36));
            const auto points = static_cast<std::size_t>(littleEndian32(bytes, content + 40));
            if (parts > contentBytes || points > contentBytes) return "part or point count beyond the record";
            if (44 + 4 * parts + 16 * points != contentBytes) return "record length is not its parts and points";
            if (!finite(content + 4, 4) || !finite(content + 44 + 4 * parts, 2 * points)) {
                return "a vertex or extent is not finite";
            }
        } else if (type != 0 || contentBytes != 4) {
            return "unexpected shape type or null record length";
        }
        at = content + contentBytes;
    }
    return {};
}

std::string outputProblem(std::string_view console) {
    for (const std::string& name : announcedFiles(console)) {
        auto problemOf = [&]() -> std::string {
            if (!platform::pathExists(name)) return "announced but not on disk";
            const std::string extension = extensionOf(name);
            const std::string stem = name.substr(0, name.size() - extension.size());
            if (extension == ".csv") return csvProblem(readFile(name));
            if (extension == ".mif") {
                std::size_t columns = 0;
                const std::string problem = mifProblem(readFile(name), columns);
                if (!problem.empty()) return problem;
                const std::string midProblemText = midProblem(readFile(stem + ".mid"), columns);
                return midProblemText.empty() ? std::string() : "its .mid: " + midProblemText;
            }
            if (extension != ".shp") return {};
            for (const std::string_view sibling : {".shx", ".dbf", ".prj"}) {
                const std::string other = stem + std::string(sibling);
                if (!platform::pathExists(other)) return "set without its " + std::string(sibling);
            }
            return shpProblem(readFile(name));
        };
        if (const std::string problem = problemOf(); !problem.empty()) return name + ": " + problem;
    }
    return {};
}

std::string tableProblem(std::string_view console) {
    // The folders of the tables are opened on Windows too, where case does not tell files apart.
    std::set<std::string> tables;
    for (const std::string& name : openedFiles(console)) {
        if (extensionOf(name) == ".csv" && !tables.insert(lowerCase(name)).second) return name + ": created twice";
    }
    for (const std::string& layer : announcedFiles(console)) {
        const std::string extension = extensionOf(layer);
        if (extension != ".mif" && extension != ".shp") continue;
        const std::string stem = layer.substr(0, layer.size() - extension.size());
        const std::string folder = layer.substr(0, layer.find_last_of("\\/") + 1);
        for (const bool pair : {false, true}) {
            const std::string_view column = pair ? "Inlet_Type" : "Source";
            const std::vector<std::string> references =
                extension == ".mif" ? midColumn(readFile(layer), readFile(stem + ".mid"), column)
                                    : dbfColumn(readFile(stem + ".dbf"), column);
            for (const std::string& reference : references) {
                // A link without matrices has no Inlet_Type; every table line has its Source.
                if (pair && reference.empty()) continue;
                if (!namesFiles(folder, reference, pair)) {
                    return layer + ": " + std::string(column) + " names no table file: " + reference;
                }
            }
        }
    }
    return {};
}

}  // namespace zx::fuzz
