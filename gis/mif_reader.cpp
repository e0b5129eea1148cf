// gis/mif_reader.cpp: reading MapInfo interchange files: the header's column list and "Data" line,
// object keyword lines with their counts, and the coordinate lines of points, lines, polylines
// and regions. Other kinds (text, arc, ellipse) are recognised and their lines read over. And the
// records of the .mid file, whose quoted values may run over line ends.
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
// The lines that may follow an object's coordinates: its pen, brush, symbol, smoothing and label
// point, and a text's font, spacing, justification, angle and label line.
constexpr std::array<std::string_view, 10> kStyleWords{
    "PEN", "BRUSH", "SYMBOL", "SMOOTH", "CENTER", "FONT", "SPACING", "JUSTIFY", "ANGLE", "LABEL"};
// The keyword is looked for in this many characters of the line's first word and what follows.
constexpr std::size_t kWordLength = 16;

bool isBlankOrTab(char c) { return c == ' ' || c == '\t'; }

std::size_t firstNonBlank(std::string_view line) {
    std::size_t at = 0;
    while (at < line.size() && isBlankOrTab(line[at])) ++at;
    return at;
}

bool isBlank(std::string_view text) { return firstNonBlank(text) == text.size(); }

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

// A style word first on the line, followed by a blank, a bracket or nothing.
bool isStyleLine(std::string_view line) {
    const std::size_t at = firstNonBlank(line);
    return std::any_of(kStyleWords.begin(), kStyleWords.end(), [&](std::string_view word) {
        const std::size_t end = at + word.size();
        return beginsWith(line, at, word) &&
               (end == line.size() || !std::isalnum(static_cast<unsigned char>(line[end])));
    });
}

// Real numbers of a line, separated by blanks, TABs or commas; with nothingElse, only blanks and
// TABs may follow them (a vertex line holds its two numbers and no more).
bool readReals(std::string_view text, std::span<double> values, bool nothingElse) {
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
    return !nothingElse || isBlank(text.substr(at));
}

// A whole number standing alone, blanks and TABs around it.
bool readWhole(std::string_view text, std::int32_t& value) {
    text.remove_prefix(firstNonBlank(text));
    std::size_t end = 0;
    while (end < text.size() && !isBlankOrTab(text[end])) ++end;
    if (end == 0 || !isBlank(text.substr(end))) return false;
    const std::size_t sign = text.front() == '+' ? 1 : 0;
    const auto [ptr, ec] = std::from_chars(text.data() + sign, text.data() + end, value);
    return ec == std::errc{} && ptr == text.data() + end;
}

// A vertex, point, section or ring count: a whole number alone on its line or behind its
// keyword, so that a count one short is not taken from the vertex line behind it. GDAL writes 0
// for empty geometries ("Pline 0", "PLINE MULTIPLE 0", a ring or section of "0").
bool readCount(std::string_view text, std::int32_t& count) {
    std::int32_t value = 0;
    if (!readWhole(text, value) || value < 0) return false;
    count = value;
    return true;
}

// The column count, read list-directed: whatever follows the number is not looked at.
bool readColumnCount(std::string_view text, std::int32_t& count) {
    std::int32_t value = 0;
    const auto outcome = listin::readList(text, {&value});
    if (outcome.status != listin::ReadOutcome::Status::Ok || outcome.assigned != 1) return false;
    count = value;
    return true;
}

// What a keyword line holds behind its keyword: the count of a multiple polyline or multipoint and
// a region's polygon count, kept in the object; a point's two coordinates or none, a line's four,
// a polyline's vertex count or none, checked here so that a damaged line is named whole.
Fault readBehindKeyword(ObjectKind kind, std::string_view rest, GisObject& object) {
    std::array<double, 4> numbers{};
    std::int32_t count = 0;
    switch (kind) {
        case ObjectKind::PlineMultiple:
        case ObjectKind::Multipoint: return readCount(rest, object.count) ? Fault::None : Fault::KeywordLine;
        // A polygon count below 1 is a region too small, told when the region is read.
        case ObjectKind::Region:
            if (!readWhole(rest, object.nr)) return Fault::KeywordLine;
            return object.nr > kMaxParts ? Fault::TooManyPolygons : Fault::None;
        case ObjectKind::Point:
            return isBlank(rest) || readReals(rest, std::span(numbers).first(2), true) ? Fault::None
                                                                                        : Fault::KeywordLine;
        case ObjectKind::Line: return readReals(rest, numbers, true) ? Fault::None : Fault::KeywordLine;
        case ObjectKind::Pline: return isBlank(rest) || readCount(rest, count) ? Fault::None : Fault::KeywordLine;
        default: return Fault::None;
    }
}

// The lines a kind that is read over carries after its keyword line, before its style lines: a
// text's string and corners, an arc's corners and angles, an ellipse's corners, a rounded
// rectangle's rounding. A string or corners may stand on the keyword line instead.
std::int32_t ownLines(ObjectKind kind, std::string_view rest) {
    const std::int32_t firstOnNextLine = isBlank(rest) ? 1 : 0;
    switch (kind) {
        case ObjectKind::Text:
        case ObjectKind::Arc: return 1 + firstOnNextLine;
        case ObjectKind::Ellipse: return firstOnNextLine;
        case ObjectKind::RoundRect: return 1;
        default: return 0;
    }
}

// A line between objects that is no keyword line: blank, a style line or a line of the object
// before are read over; any other is counted, the first kept with where it starts.
void noteLineBetween(std::string_view line, std::uint64_t at, MifSkippedLines& skipped) {
    if (isBlank(line) || isStyleLine(line)) return;
    if (skipped.ownLinesLeft > 0) {
        --skipped.ownLinesLeft;
        return;
    }
    if (skipped.count++ == 0) {
        skipped.first = significantPart(line);
        skipped.firstAt = at;
    }
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

// A header line that is a "Transform" or a "Delimiter" line, kept in header. A Delimiter line
// whose value is not one character (or "\t"), or is a quote, changes nothing.
void noteHeaderLine(std::string_view line, HeaderLines* header) {
    if (header == nullptr) return;
    if (startsWithWord(line, "Transform")) header->transform = significantPart(line);
    if (!startsWithWord(line, "Delimiter")) return;
    std::string_view value = line.substr(firstNonBlank(line) + std::string_view("Delimiter").size());
    value.remove_prefix(firstNonBlank(value));
    value = significantPart(value);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    if (value == "\\t") header->delimiter = '\t';
    else if (value.size() == 1 && value[0] != '"') header->delimiter = value[0];
}

// Reads lines up to and including the first whose first word is the keyword; the header lines on
// the way into header, when asked for.
bool skipPastWord(platform::File& file, std::string_view keyword, std::string& line, HeaderLines* header = nullptr) {
    while (file.readRecord(line) == platform::File::ReadStatus::Ok) {
        if (startsWithWord(line, keyword)) return true;
        noteHeaderLine(line, header);
    }
    return false;
}

// Where the reading of a .mid record stands: at the start of a value, in a value written bare or
// behind a quoted one's closing quote, or inside a quoted value.
enum class MidScan { ValueStart, Bare, Quoted };

MidScan scanMid(std::string_view text, MidScan state, char delimiter) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (state) {
            case MidScan::ValueStart:
                state = c == '"' ? MidScan::Quoted : c == delimiter ? MidScan::ValueStart : MidScan::Bare;
                break;
            case MidScan::Bare:
                if (c == delimiter) state = MidScan::ValueStart;
                break;
            case MidScan::Quoted:
                if (c != '"') break;
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    ++i;  // a doubled quote
                } else {
                    state = MidScan::Bare;
                }
                break;
        }
    }
    return state;
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

    // The text did not read: it becomes the line the message shows (it may be the keyword line's
    // rest, handed in by a caller that did not read it with objectType).
    Outcome unreadable(std::string_view text) {
        if (text.data() != line.data()) line.assign(text);
        return failed(Fault::CoordinatesRead);
    }
    bool storePoint(std::string_view text, std::size_t index) {
        std::array<double, 2> xy{};
        if (!readReals(text, xy, true)) return false;
        out.x[index] = xy[0];
        out.y[index] = xy[1];
        return true;
    }
    // Reads n vertex lines, each checked; the first `stored` go into the entries from `first`
    // (0-based), the others are read over.
    Fault readPoints(std::int32_t n, std::size_t first, std::int32_t stored) {
        std::array<double, 2> xy{};
        for (std::int32_t i = 0; i < n; ++i) {
            if (const Fault fault = nextLine(file, line); fault != Fault::None) return fault;
            const bool read = i < stored ? storePoint(line, first + static_cast<std::size_t>(i))
                                         : readReals(line, xy, true);
            if (!read) return Fault::CoordinatesRead;
        }
        return Fault::None;
    }
};

// A point from the keyword line, or from the next line (a multipoint's points always are).
Outcome readPoint(CoordinateLines& lines, std::string_view rest, bool fromNextLine) {
    if (lines.out.capacity() < 1) return tooMany(1);
    if (fromNextLine || isBlank(rest)) {
        if (const Fault fault = nextLine(lines.file, lines.line); fault != Fault::None) return failed(fault);
        rest = lines.line;
    }
    if (!lines.storePoint(rest, 0)) return lines.unreadable(rest);
    lines.out.nv = 1;
    return {};
}

// A line, rectangle or rounded rectangle: its two corner points on the keyword line; a line's
// four numbers stand alone, a rounded rectangle may carry its rounding behind them.
Outcome readEnds(CoordinateLines& lines, std::string_view rest, bool nothingElse) {
    ObjectReadout& out = lines.out;
    if (out.capacity() < 2) return tooMany(2);
    std::array<double, 4> ends{};
    if (!readReals(rest, ends, nothingElse)) return lines.unreadable(rest);
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
    if (section || isBlank(rest)) {
        if (const Fault fault = nextLine(lines.file, lines.line); fault != Fault::None) return failed(fault);
        rest = lines.line;
    }
    std::int32_t nv = 0;
    if (!readCount(rest, nv)) return lines.unreadable(rest);
    lines.out.nv = nv;
    const std::int32_t capacity = lines.out.capacity();
    if (storeCoordinates && nv > capacity) return tooMany(nv);
    // Read over, but the first vertex kept where there is room for it.
    return failed(lines.readPoints(nv, 0, storeCoordinates ? nv : std::min(1, capacity)));
}

// One ring of a region: its point count, then its points, stored behind the rings before it; nv
// is the region's vertex count so far, each ring's separator included.
Outcome readRing(CoordinateLines& lines, GisObject& object, std::int32_t ring, std::int32_t& nv,
                 bool storeCoordinates) {
    if (const Fault fault = nextLine(lines.file, lines.line); fault != Fault::None) return failed(fault);
    std::int32_t n = 0;
    if (!readCount(lines.line, n)) return failed(Fault::CoordinatesRead);
    const auto start = static_cast<std::size_t>(nv);
    if (static_cast<std::int64_t>(nv) + n + 1 > kMaxVertices) return tooMany(kMaxVertices + 1);
    nv += n + 1;
    const std::int32_t capacity = lines.out.capacity();
    if (!storeCoordinates) return failed(lines.readPoints(n, 0, ring == 0 ? std::min(1, capacity) : 0));
    if (nv > capacity) return tooMany(nv);
    if (const Fault fault = lines.readPoints(n, start, n); fault != Fault::None) return failed(fault);
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
void readRegionStyle(CoordinateLines& lines, MifSkippedLines& skipped) {
    for (;;) {
        const std::uint64_t before = lines.file.position();
        if (lines.file.atEnd() || lines.file.readRecord(lines.line) != platform::File::ReadStatus::Ok) return;
        std::size_t at = 0;
        if (matchKeyword(lines.line, at) != nullptr) {
            lines.file.seek(before);
            return;
        }
        std::array<double, 2> label{};
        if (isCenterLine(lines.line, at) && readReals(std::string_view(lines.line).substr(at), label, false)) {
            lines.out.labelX = label[0];
            lines.out.labelY = label[1];
            lines.out.noCentre = false;
        }
        noteLineBetween(lines.line, before, skipped);
    }
}

Outcome readRegion(CoordinateLines& lines, GisObject& object, bool storeCoordinates, MifSkippedLines& skipped) {
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
    readRegionStyle(lines, skipped);
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

std::optional<MifColumn> splitColumn(std::string_view line, std::size_t nameLength) {
    line.remove_prefix(firstNonBlank(line));
    std::size_t nameEnd = 0;
    while (nameEnd < line.size() && !isBlankOrTab(line[nameEnd])) ++nameEnd;
    std::string_view type = line.substr(nameEnd);
    type.remove_prefix(firstNonBlank(type));
    while (!type.empty() && isBlankOrTab(type.back())) type.remove_suffix(1);
    // A blank line or a name alone would shift every name and type behind it by one column.
    if (nameEnd == 0 || type.empty()) return std::nullopt;
    return MifColumn{std::string(line.substr(0, std::min(nameEnd, nameLength))), std::string(type.substr(0, 24))};
}

Fault findColumns(platform::File& file, std::int32_t& count, std::string& line, HeaderLines* header) {
    file.rewind();
    for (;;) {
        if (file.readRecord(line) != platform::File::ReadStatus::Ok) return Fault::NoColumnsLine;
        if (startsWithWord(line, "Columns")) break;
        noteHeaderLine(line, header);
    }
    // The count is the number behind the word, however many blanks or TABs stand before it.
    const std::size_t behind = firstNonBlank(line) + std::string_view("Columns").size();
    if (!readColumnCount(std::string_view(line).substr(behind), count)) return Fault::ColumnCount;
    return Fault::None;
}

Fault readColumns(platform::File& file, std::vector<MifColumn>& columns, HeaderLines& header, std::string& line) {
    columns.clear();
    header = {};
    std::int32_t count = 0;
    if (const Fault fault = findColumns(file, count, line, &header); fault != Fault::None) return fault;
    if (count < 1) return Fault::NoColumns;
    for (std::int32_t i = 0; i < count; ++i) {
        if (file.readRecord(line) != platform::File::ReadStatus::Ok) return Fault::ColumnLine;
        std::optional<MifColumn> column = splitColumn(line, kColumnNameLength);
        if (!column) return Fault::ColumnLine;
        columns.push_back(std::move(*column));
    }
    // "Data" as the first word: a column named Data_src or Metadata does not end the search.
    return skipPastWord(file, "Data", line, &header) ? Fault::None : Fault::NoDataLine;
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

bool transformChangesNothing(std::string_view line) {
    std::array<double, 4> values{};  // x and y multipliers, x and y displacements
    line.remove_prefix(firstNonBlank(line) + std::string_view("Transform").size());
    if (!readReals(line, values, true)) return false;
    const auto keeps = [](double multiplier) { return multiplier == 0.0 || multiplier == 1.0; };
    return keeps(values[0]) && keeps(values[1]) && values[2] == 0.0 && values[3] == 0.0;
}

std::optional<std::string> findCoordSys(platform::File& file, std::string& line) {
    while (file.readRecord(line) == platform::File::ReadStatus::Ok) {
        if (findIgnoringCase(line, "CoordSys") != std::string_view::npos) return std::string(significantPart(line));
    }
    return std::nullopt;
}

bool objectType(platform::File& file, std::string& keywordLine, std::string& rest, GisObject& object,
                Outcome& outcome, MifSkippedLines& skipped) {
    outcome = {};
    keywordLine.clear();
    while (!file.atEnd()) {
        const std::uint64_t lineStart = file.position();
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
            noteLineBetween(keywordLine, lineStart, skipped);
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
        skipped.ownLinesLeft = ownLines(keyword->kind, rest);
        outcome.fault = readBehindKeyword(keyword->kind, rest, object);
        return outcome.fault == Fault::None;
    }
    return false;
}

Outcome readCoordinates(platform::File& file, std::string& rest, GisObject& object, ObjectReadout& out,
                        bool storeCoordinates, std::string& line, MifSkippedLines& skipped) {
    object.done = false;
    out.noCentre = true;
    CoordinateLines lines{file, line, out};
    Outcome outcome;
    switch (objectKind(object, KindOrder::Read)) {
        case ObjectKind::Point:
        case ObjectKind::Multipoint: outcome = readPoint(lines, rest, object.multipoint); break;
        case ObjectKind::Line: outcome = readEnds(lines, rest, true); break;
        case ObjectKind::Rect:
        case ObjectKind::RoundRect: outcome = readEnds(lines, rest, false); break;
        case ObjectKind::Arc:
        case ObjectKind::Ellipse: out.nv = 0; return outcome;
        case ObjectKind::Pline:
        case ObjectKind::PlineMultiple:
            outcome = readPolyline(lines, rest, object.plineMultiple, storeCoordinates);
            break;
        case ObjectKind::Region: outcome = readRegion(lines, object, storeCoordinates, skipped); break;
        // Nothing to read; a text object's lines are read over by the next type read.
        case ObjectKind::Text:
        case ObjectKind::None:
        case ObjectKind::Unsupported: return outcome;
    }
    object.done = outcome.fault == Fault::None;
    return outcome;
}

MidRecord readMidRecord(platform::File& file, std::string& record, std::string& line, char delimiter) {
    constexpr auto kOk = platform::File::ReadStatus::Ok;
    if (file.readRecord(record) != kOk) return MidRecord::None;
    for (MidScan state = scanMid(record, MidScan::ValueStart, delimiter); state == MidScan::Quoted;) {
        if (file.readRecord(line) != kOk) return MidRecord::OpenAtEnd;
        state = scanMid(line, state, delimiter);
        record += '\n';
        record += line;
    }
    return MidRecord::Whole;
}

}  // namespace zx::mif
