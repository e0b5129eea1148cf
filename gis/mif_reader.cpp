// gis/mif_reader.cpp: reading MapInfo interchange files: the header's column list and "Data" line,
// object keyword lines with their counts, and the coordinate lines of points, lines, polylines
// and regions. Other kinds (text, arc, ellipse) are recognised and their lines read over.
#include "gis/mif_reader.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <span>

#include "common/list_input.hpp"
#include "common/strings.hpp"
#include "common/text_lines.hpp"
#include "gis/object_kind.hpp"

namespace zx::mif {
namespace {

struct Keyword {
    std::string_view text;
    ObjectKind kind;  // Unsupported: "Collection", recognised only to be refused
};
// Prefix tests in this order: the first keyword the line's word begins with wins, so "PLINE
// MULTIPLE" comes before "PLINE", and any word beginning with a keyword's letters is taken as it.
constexpr std::array<Keyword, 13> kKeywords{{
    {"POINT", ObjectKind::Point},
    {"PLINE MULTIPLE", ObjectKind::PlineMultiple},
    {"PLINE", ObjectKind::Pline},
    {"LINE", ObjectKind::Line},
    {"REGION", ObjectKind::Region},
    {"MULTIPOINT", ObjectKind::Multipoint},
    {"NONE", ObjectKind::None},
    {"RECT", ObjectKind::Rect},
    {"ROUNDRECT", ObjectKind::RoundRect},
    {"TEXT", ObjectKind::Text},
    {"ARC", ObjectKind::Arc},
    {"ELLIPSE", ObjectKind::Ellipse},
    {"COLLECTION", ObjectKind::Unsupported},
}};
constexpr std::string_view kCenter = "CENTER";
// The keyword is looked for in this many characters of the line's first word and what follows.
constexpr std::size_t kWordLength = 16;

bool isBlankOrTab(char c) { return c == ' ' || c == '\t'; }

std::size_t firstNonBlank(std::string_view line) {
    std::size_t at = 0;
    while (at < line.size() && isBlankOrTab(line[at])) ++at;
    return at;
}

// Whether the line's text from `at` begins with the upper-case prefix, in any case.
bool beginsWith(std::string_view line, std::size_t at, std::string_view prefix) {
    if (line.size() - at < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(line[at + i])) != prefix[i]) return false;
    }
    return true;
}

// The keyword the line begins with after its leading blanks and TABs; `at` is left behind it.
const Keyword* matchKeyword(std::string_view line, std::size_t& at) {
    at = firstNonBlank(line);
    const std::string_view word = line.substr(at, kWordLength);
    for (const Keyword& keyword : kKeywords) {
        if (beginsWith(word, 0, keyword.text)) {
            at += keyword.text.size();
            return &keyword;
        }
    }
    return nullptr;
}

bool isCenterLine(std::string_view line, std::size_t& at) {
    at = firstNonBlank(line);
    if (!beginsWith(line, at, kCenter)) return false;
    at += kCenter.size();
    return true;
}

// Real numbers of a coordinate line, separated by blanks, TABs or commas.
bool readReals(std::string_view text, std::span<double> values) {
    std::size_t at = 0;
    for (double& value : values) {
        while (at < text.size() && (isBlankOrTab(text[at]) || text[at] == ',')) ++at;
        std::size_t end = at;
        while (end < text.size() && !isBlankOrTab(text[end]) && text[end] != ',') ++end;
        if (end == at) return false;
        const char* first = text.data() + at;
        const char* last = text.data() + end;
        if (*first == '+') ++first;
        const auto [ptr, ec] = std::from_chars(first, last, value);
        if (ec != std::errc{} || ptr != last) {
            // The list-directed forms from_chars does not know (1.5d0, 1.5+3).
            const auto parsed = listin::parseReal8(text.substr(at, end - at));
            if (!parsed) return false;
            value = *parsed;
        }
        at = end;
    }
    return true;
}

bool readCount(std::string_view text, std::int32_t& count) {
    std::int32_t value = 0;
    const auto outcome = listin::readList(text, {&value});
    if (outcome.status != listin::ReadOutcome::Status::Ok || outcome.assigned != 1) return false;
    count = value;
    return true;
}

// The next line of an object's coordinates; Fault::None when it was read.
Fault nextLine(platform::File& file, std::string& line) {
    switch (file.readRecord(line)) {
        case platform::File::ReadStatus::Ok: return Fault::None;
        case platform::File::ReadStatus::EndOfFile: return Fault::CoordinatesEnd;
        case platform::File::ReadStatus::Error: break;
    }
    return Fault::CoordinatesRead;
}

// Reads lines up to and including the first whose first word is the keyword.
bool skipPastWord(platform::File& file, std::string_view keyword, std::string& line) {
    while (file.readRecord(line) == platform::File::ReadStatus::Ok) {
        if (startsWithWord(line, keyword)) return true;
    }
    return false;
}

void ensureParts(GisObject& object, std::size_t parts) {
    if (object.ir.size() < parts) object.ir.resize(parts);
}

Outcome failed(Fault fault) { return {fault, 0}; }
Outcome tooMany(std::int32_t requested) { return {Fault::TooManyNodes, requested}; }

// The coordinate lines of one object, read from the file into the caller's readout.
struct CoordinateLines {
    platform::File& file;
    std::string& line;  // reused for every line
    ObjectReadout& out;

    bool storePoint(std::string_view text, std::size_t index) {
        std::array<double, 2> xy{};
        if (!readReals(text, xy)) return false;
        out.x[index] = xy[0];
        out.y[index] = xy[1];
        return true;
    }
    // Reads n point lines into the entries from `first` (0-based), or reads them over.
    Fault readPoints(std::int32_t n, std::size_t first, bool store) {
        for (std::int32_t i = 0; i < n; ++i) {
            if (const Fault fault = nextLine(file, line); fault != Fault::None) return fault;
            if (store && !storePoint(line, first + static_cast<std::size_t>(i))) return Fault::CoordinatesRead;
        }
        return Fault::None;
    }
};

// A point from the keyword line, or from the next line (a multipoint's points always are).
Outcome readPoint(CoordinateLines& lines, std::string_view rest, bool fromNextLine) {
    if (lines.out.capacity() < 1) return tooMany(1);
    if (fromNextLine || significantPart(rest).empty()) {
        if (const Fault fault = nextLine(lines.file, lines.line); fault != Fault::None) return failed(fault);
        rest = lines.line;
    }
    if (!lines.storePoint(rest, 0)) return failed(Fault::CoordinatesRead);
    lines.out.nv = 1;
    return {};
}

// A line, rectangle or rounded rectangle: its two corner points on the keyword line.
Outcome readEnds(CoordinateLines& lines, std::string_view rest) {
    ObjectReadout& out = lines.out;
    if (out.capacity() < 2) return tooMany(2);
    std::array<double, 4> ends{};
    if (!readReals(rest, ends)) return failed(Fault::CoordinatesRead);
    out.x[0] = ends[0];
    out.y[0] = ends[1];
    out.x[1] = ends[2];
    out.y[1] = ends[3];
    out.nv = 2;
    return {};
}

// A polyline, or one section of a multiple polyline: its vertex count, then a vertex per line.
Outcome readPolyline(CoordinateLines& lines, std::string& rest, bool section, bool storeCoordinates) {
    // A section's vertex count stands on the next line; a polyline's on its keyword line, or the next.
    if (section || significantPart(rest).empty()) {
        if (const Fault fault = nextLine(lines.file, lines.line); fault != Fault::None) return failed(fault);
        rest = lines.line;
    }
    std::int32_t nv = 0;
    if (!readCount(rest, nv) || nv < 0) return failed(Fault::CoordinatesRead);
    lines.out.nv = nv;
    const std::int32_t capacity = lines.out.capacity();
    if (storeCoordinates) {
        if (nv > capacity) return tooMany(nv);
        return failed(lines.readPoints(nv, 0, true));
    }
    if (nv == 0) return {};
    // Read over, but the first vertex kept where there is room for it.
    if (const Fault fault = lines.readPoints(1, 0, capacity >= 1); fault != Fault::None) return failed(fault);
    return failed(lines.readPoints(nv - 1, 0, false));
}

// One ring of a region: its point count, then its points, stored behind the rings before it; nv
// is the region's vertex count so far, each ring's separator included.
Outcome readRing(CoordinateLines& lines, GisObject& object, std::int32_t ring, std::int32_t& nv,
                 bool storeCoordinates) {
    if (const Fault fault = nextLine(lines.file, lines.line); fault != Fault::None) return failed(fault);
    std::int32_t n = 0;
    if (!readCount(lines.line, n) || n < 0) return failed(Fault::CoordinatesRead);
    const auto start = static_cast<std::size_t>(nv);
    if (static_cast<std::int64_t>(nv) + n + 1 > kMaxVertices) return tooMany(kMaxVertices + 1);
    nv += n + 1;
    const std::int32_t capacity = lines.out.capacity();
    if (!storeCoordinates) {
        const bool keepFirst = ring == 0 && n >= 1 && capacity >= 1;
        const Fault first = lines.readPoints(keepFirst ? 1 : 0, 0, true);
        if (first != Fault::None) return failed(first);
        return failed(lines.readPoints(keepFirst ? n - 1 : n, 0, false));
    }
    if (nv > capacity) return tooMany(nv);
    if (const Fault fault = lines.readPoints(n, start, true); fault != Fault::None) return failed(fault);
    // Each ring is followed by a copy of its second point (its first when it has only one; the
    // origin when it has none): nothing is read beyond the ring.
    ObjectReadout& out = lines.out;
    const std::size_t copied = n >= 2 ? start + 1 : start;
    const auto separator = static_cast<std::size_t>(nv - 1);
    out.x[separator] = n >= 1 ? out.x[copied] : 0.0;
    out.y[separator] = n >= 1 ? out.y[copied] : 0.0;
    object.ir[static_cast<std::size_t>(ring)] = nv - 1;
    return {};
}

// The style lines after a region may hold its "Center" line anywhere among them; they are read
// up to the next object's keyword line, which is left for the next object.
void readRegionStyle(CoordinateLines& lines) {
    for (;;) {
        const std::uint64_t before = lines.file.position();
        if (lines.file.atEnd() || lines.file.readRecord(lines.line) != platform::File::ReadStatus::Ok) return;
        std::size_t at = 0;
        if (matchKeyword(lines.line, at) != nullptr) {
            lines.file.seek(before);
            return;
        }
        std::array<double, 2> label{};
        if (isCenterLine(lines.line, at) && readReals(std::string_view(lines.line).substr(at), label)) {
            lines.out.labelX = label[0];
            lines.out.labelY = label[1];
            lines.out.noCentre = false;
        }
    }
}

Outcome readRegion(CoordinateLines& lines, GisObject& object, bool storeCoordinates) {
    if (object.nr < 1) return failed(Fault::RegionTooSmall);
    ensureParts(object, static_cast<std::size_t>(object.nr) + 1);
    std::int32_t nv = 0;
    for (std::int32_t ring = 0; ring < object.nr; ++ring) {
        if (Outcome outcome = readRing(lines, object, ring, nv, storeCoordinates); outcome.fault != Fault::None) {
            return outcome;
        }
    }
    lines.out.nv = nv;
    if (nv < 5) return failed(Fault::RegionTooSmall);
    readRegionStyle(lines);
    return {};
}

}  // namespace

bool startsWithWord(std::string_view line, std::string_view keyword) {
    const std::size_t at = firstNonBlank(line);
    const std::string upper = UPPERCASE(keyword);
    if (!beginsWith(line, at, upper)) return false;
    const std::size_t end = at + keyword.size();
    return end == line.size() || isBlankOrTab(line[end]);
}

MifColumn splitColumn(std::string_view line) {
    std::size_t at = 0;
    while (at < line.size() && line[at] == ' ') ++at;
    line.remove_prefix(at);
    const std::size_t blank = line.find(' ');
    MifColumn column;
    column.name = std::string(line.substr(0, std::min<std::size_t>(blank, 32)));
    if (blank != std::string_view::npos) column.type = std::string(significantPart(line.substr(blank + 1)).substr(0, 24));
    return column;
}

Fault findColumns(platform::File& file, std::int32_t& count, std::string& line) {
    file.rewind();
    if (!skipPastWord(file, "Columns", line)) return Fault::NoColumnsLine;
    // The count is the number behind the word, however many blanks or TABs stand before it.
    const std::size_t behind = firstNonBlank(line) + std::string_view("Columns").size();
    if (!readCount(std::string_view(line).substr(behind), count)) return Fault::ColumnCount;
    return Fault::None;
}

Fault readColumns(platform::File& file, std::vector<MifColumn>& columns, std::string& line) {
    columns.clear();
    std::int32_t count = 0;
    if (const Fault fault = findColumns(file, count, line); fault != Fault::None) return fault;
    if (count < 1) return Fault::NoColumns;
    for (std::int32_t i = 0; i < count; ++i) {
        if (file.readRecord(line) != platform::File::ReadStatus::Ok) return Fault::ColumnLine;
        columns.push_back(splitColumn(line));
    }
    // "Data" as the first word: a column named Data_src or Metadata does not end the search.
    return skipPastWord(file, "Data", line) ? Fault::None : Fault::NoDataLine;
}

Fault gotoData(platform::File& file, std::string& line) {
    file.rewind();
    // The column lines come first, so that a column named Data is not taken for the "Data" line.
    std::int32_t count = 0;
    if (findColumns(file, count, line) == Fault::None) {
        for (std::int32_t i = 0; i < count; ++i) {
            if (file.readRecord(line) != platform::File::ReadStatus::Ok) return Fault::NoDataLine;
        }
    } else {
        file.rewind();
    }
    return skipPastWord(file, "Data", line) ? Fault::None : Fault::NoDataLine;
}

std::optional<std::string> findCoordSys(platform::File& file, std::string& line) {
    while (file.readRecord(line) == platform::File::ReadStatus::Ok) {
        if (findIgnoringCase(line, "CoordSys") != std::string_view::npos) return std::string(significantPart(line));
    }
    return std::nullopt;
}

bool objectType(platform::File& file, std::string& keywordLine, std::string& rest, GisObject& object,
                Outcome& outcome) {
    outcome = {};
    keywordLine.clear();
    while (!file.atEnd()) {
        switch (file.readRecord(keywordLine)) {
            case platform::File::ReadStatus::Ok: break;
            case platform::File::ReadStatus::EndOfFile: outcome.fault = Fault::TypeEnd; return false;
            case platform::File::ReadStatus::Error: outcome.fault = Fault::TypeRead; return false;
        }
        std::size_t at = 0;
        const Keyword* keyword = matchKeyword(keywordLine, at);
        if (keyword == nullptr) {
            std::size_t behind = 0;
            object.center = isCenterLine(keywordLine, behind);
            if (object.center) object.kindName = kCenter;
            continue;
        }
        object.center = false;
        if (keyword->kind == ObjectKind::Unsupported) {
            outcome.fault = Fault::Collection;
            return false;
        }
        object.*kindFlag(keyword->kind) = true;
        object.kindName = keyword->text;
        rest.assign(keywordLine, at);
        if (keyword->kind == ObjectKind::PlineMultiple || keyword->kind == ObjectKind::Multipoint) {
            if (!readCount(rest, object.count)) outcome.fault = Fault::ObjectCount;
        } else if (keyword->kind == ObjectKind::Region) {
            if (!readCount(rest, object.nr)) {
                outcome.fault = Fault::ObjectCount;
            } else if (object.nr > kMaxParts) {
                outcome.fault = Fault::TooManyPolygons;
            }
        }
        return outcome.fault == Fault::None;
    }
    return false;
}

Outcome readCoordinates(platform::File& file, std::string& rest, GisObject& object, ObjectReadout& out,
                        bool storeCoordinates, std::string& line) {
    object.done = false;
    out.noCentre = true;
    CoordinateLines lines{file, line, out};
    Outcome outcome;
    switch (objectKind(object, KindOrder::Read)) {
        case ObjectKind::Point:
        case ObjectKind::Multipoint: outcome = readPoint(lines, rest, object.multipoint); break;
        case ObjectKind::Line:
        case ObjectKind::Rect:
        case ObjectKind::RoundRect: outcome = readEnds(lines, rest); break;
        case ObjectKind::Arc:
        case ObjectKind::Ellipse: out.nv = 0; return outcome;
        case ObjectKind::Pline:
        case ObjectKind::PlineMultiple:
            outcome = readPolyline(lines, rest, object.plineMultiple, storeCoordinates);
            break;
        case ObjectKind::Region: outcome = readRegion(lines, object, storeCoordinates); break;
        // Nothing to read; a text object's lines are read over by the next type read.
        case ObjectKind::Text:
        case ObjectKind::None:
        case ObjectKind::Unsupported: return outcome;
    }
    object.done = outcome.fault == Fault::None;
    return outcome;
}

}  // namespace zx::mif
