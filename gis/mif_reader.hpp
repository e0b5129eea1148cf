// gis/mif_reader.hpp: MapInfo interchange text read back: the .mif header (column list, "Data"
// line, CoordSys line), objects one keyword line and one part at a time, and .mid records. Pure
// file reading over the layer's own record: the layer table reports what these routines find wrong.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gis/layer_records.hpp"
#include "platform/file.hpp"

namespace zx::mif {

// What stops a read, in the order the reader meets it; the layer table words each one.
enum class Fault {
    None,
    NoColumnsLine,    // no line starts with "Columns"
    ColumnCount,      // no number after "Columns"
    NoColumns,        // a count below 1
    ColumnLine,       // the file ends inside the column list, or a column line is not a name and a type
    NoDataLine,       // no line starts with "Data"
    TypeEnd,          // the file ended while an object line was read
    TypeRead,         // an object line could not be read
    Collection,       // a "Collection" object
    TooManyPolygons,  // a region of more polygons than the part table holds
    KeywordLine,      // a keyword line whose count or coordinates do not read
    CoordinatesEnd,   // the file ended inside an object's coordinates
    CoordinatesRead,  // a coordinate or count line that does not read
    TooManyNodes,     // more vertices than the caller's arrays hold
    RegionTooSmall,   // a region without polygons or of fewer than 5 points
};
struct Outcome {
    Fault fault = Fault::None;
    std::int32_t requested = 0;  // TooManyNodes: the vertices the object needs
};

// Whether the line's first word is the keyword, in any case.
bool startsWithWord(std::string_view line, std::string_view keyword);

// Column names as the layer record keeps them, and as the attribute-definition readers give them.
inline constexpr std::size_t kColumnNameLength = 32;
inline constexpr std::size_t kDefinitionNameLength = 256;

// A column line: its name (cut to nameLength) and its type, separated by blanks or TABs, leading
// blanks and TABs aside; none when the line holds anything else.
std::optional<MifColumn> splitColumn(std::string_view line, std::size_t nameLength);

// The header lines that tell how the rest reads: its "Transform" line (the last one, if any) and
// the character of its `Delimiter "c"` line that separates the .mid values (a comma without one;
// `"\t"` is a TAB).
struct HeaderLines {
    std::string transform;
    char delimiter = ',';
};

// From the start of the file: the "Columns" line and its count, the file left behind that line;
// the header lines before it into header, when asked for.
Fault findColumns(platform::File& file, std::int32_t& count, std::string& line, HeaderLines* header = nullptr);

// The column list from the start of the file, every column kept, then the file left behind its
// "Data" line; the header lines, before the columns or after them, into header (the last of each
// holds).
Fault readColumns(platform::File& file, std::vector<MifColumn>& columns, HeaderLines& header, std::string& line);

// Whether a "Transform" line leaves coordinates as they are: multipliers of 1 (or 0, which means
// 1) and displacements of 0.
bool transformChangesNothing(std::string_view line);

// From the start of the file to behind its "Data" line.
Fault gotoData(platform::File& file, std::string& line);

// From the current position, the first line that holds "CoordSys", without trailing blanks.
std::optional<std::string> findCoordSys(platform::File& file, std::string& line);

// The next object's keyword line: its kind flags, kind name and counts set in the object, the
// text behind the keyword in rest. False with Fault::None when the file ends first. The lines
// read over on the way are counted in skipped unless they are blank, style lines or lines of the
// object before.
bool objectType(platform::File& file, std::string& keywordLine, std::string& rest, GisObject& object,
                Outcome& outcome, MifSkippedLines& skipped);

// The coordinates of the object objectType found (one section of a multiple polyline or one point
// of a multipoint per call) into out, with the label of a region's "Center" line; with
// storeCoordinates false they are read over, checked all the same. A line that does not read is
// left in line.
Outcome readCoordinates(platform::File& file, std::string& rest, GisObject& object, ObjectReadout& out,
                        bool storeCoordinates, std::string& line, MifSkippedLines& skipped);

// The next record of a .mid file: one line, or, while a value that starts with a double quote is
// still open at a line's end, that line and the next, each line end inside the value kept as one
// LF (a doubled quote inside the value stands for one and does not close it). Values are
// separated by the delimiter. A value still open at the end of the file makes no record, but the
// text read is there all the same (OpenAtEnd); None at the end of the file or on a read error.
enum class MidRecord { Whole, OpenAtEnd, None };
MidRecord readMidRecord(platform::File& file, std::string& record, std::string& line, char delimiter);

}  // namespace zx::mif
