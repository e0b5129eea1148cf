// convert/network.hpp: the SWMM network as the converter holds it: one record type per data line
// of a section, one table per section, the section flags and the cross-section index lists. The
// .inp readers fill the tables; the output stages read them (and fill the index lists).
//
// Tables grow with what the file holds; positions are 0-based (record i of a table is [i], the
// count is count()). Texts are kept without trailing blanks, cut at their declared length as a
// fixed-length field would cut them. Names are found through indexes built as records are
// appended, never by scanning: find() compares under ASAME (case, quotes, TABs and leading
// blanks ignored), as SWMM compares names, and gives the first record of that name in table
// order, as a scan from the start would.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "convert/table_names.hpp"

namespace zx::convert {

// The most records a section may hold, vertices a link may have and points a transect may have;
// a file beyond them stops with the reader's over-capacity message.
inline constexpr int kTableCapacity = 10000;
inline constexpr int kVerticesPerLink = 10000;
inline constexpr int kPointsPerTransect = 1500;

// Declared lengths of the record texts.
inline constexpr std::size_t kNameLength = 100;    // object names, types, shapes, Geom1
inline constexpr std::size_t kTableIdLength = 50;  // transect ID and table file name
inline constexpr std::size_t kFlagLength = 3;      // FlapGate, Gated, Sur

// inpSectionFlags: one flag per section keyword of the scan, by the keyword's flag index.
inline constexpr std::size_t kSectionFlagCount = 50;
using SectionFlags = std::array<bool, kSectionFlagCount>;

// The flag indexes that the conversion reads.
namespace section {
inline constexpr std::size_t kOptions = 1;
inline constexpr std::size_t kJunctions = 16;
inline constexpr std::size_t kOutfalls = 17;
inline constexpr std::size_t kDividers = 18;
inline constexpr std::size_t kStorage = 19;
inline constexpr std::size_t kConduits = 20;
inline constexpr std::size_t kOrifices = 23;
inline constexpr std::size_t kWeirs = 24;
inline constexpr std::size_t kXsections = 26;
inline constexpr std::size_t kTransects = 27;  // also set when special shapes add tables
inline constexpr std::size_t kLosses = 28;
inline constexpr std::size_t kCoordinates = 45;
inline constexpr std::size_t kVertices = 46;
}  // namespace section

// One [COORDINATES] line.
struct inpCoordinate {
    std::string Node;
    double X = 0;
    double Y = 0;
};

// One [JUNCTIONS] line.
struct inpJunction {
    std::string Name;
    float Elevation = 0;
    float MaxDepth = 0;
    float InitDepth = 0;
    float SurDepth = 0;
    float Aponded = 0;
};

// The elevation of a node that the junction layer does not hold: an outfall, a divider or a
// storage unit (the second word of its line in [OUTFALLS], [DIVIDERS] or [STORAGE]).
struct inpNodeElevation {
    std::string Name;
    float Elevation = 0;
};

// What the offsets of links are measured from ([OPTIONS] LINK_OFFSETS): heights above the node's
// invert (DEPTH, SWMM's default) or elevations (ELEVATION).
enum class LinkOffsets { Depth, Elevation };

// An offset written "*" under ELEVATION: no offset, the link's end sits on its node's invert. It
// is the level below every level, so that raising it to the node's invert (offsetLevel) gives
// that invert.
inline constexpr float kAtNodeInvert = -std::numeric_limits<float>::infinity();

// One [CONDUITS] line. FlapGate is not on the line: inpApplyLosses sets it from [LOSSES]; "NA"
// means that none was given.
struct inpConduit {
    std::string Name;
    std::string FromNode;
    std::string ToNode;
    float Length = 0;
    float Roughness = 0;
    float InOffset = 0;
    float OutOffset = 0;
    float InitFlow = 0;
    float MaxFlow = 0;
    std::string FlapGate = "NA";
};

// One [WEIRS] line of 6, 9, 10 or 12 words. Fields a shorter line leaves out keep these values,
// which mean "not given": in particular an ungated weir.
struct inpWeir {
    std::string Name;
    std::string Node1;
    std::string Node2;
    std::string Type;
    float CrestHt = 0;
    float Cd = 0;
    std::string Gated = "NO";
    std::int32_t EC = 0;
    float Cd2 = 0;
    std::string Sur;
    float Width = 0;
    std::string Surface;  // a ROADWAY weir's road surface keyword (PAVED, GRAVEL)
};

// One [ORIFICES] line.
struct inpOrifice {
    std::string Name;
    std::string Node1;
    std::string Node2;
    std::string Type;
    float Offset = 0;
    float Cd = 0;
    std::string Gated;
    float CloseTime = 0;
};

// One [XSECTIONS] line. Geom1 keeps the text as written: a number for most shapes, a transect
// ID for IRREGULAR. Geometry fields of a shape the conversion does not support read as 0 when
// they hold a name (a CUSTOM curve).
struct inpXsection {
    std::string Link;
    std::string Shape;
    std::string Geom1;
    float Geom2 = 0;
    float Geom3 = 0;
    float Geom4 = 0;
    std::int32_t Barrels = 1;
};

// One cross-section table: a transect of [TRANSECTS] (Type "XZ": point k is station XorH[k],
// elevation ZorW[k]) or a height-width table made from a special shape (Type "HW": height
// XorH[k], width ZorW[k]).
struct xsTable {
    std::string FileName;  // in xs, given by the table names when the file is written
    std::string Type;
    std::string Flags = "N";
    std::string ID;
    std::string Link;  // a height-width table's link, its whole name (the ID is cut to 50)
    float Nleft = 0;
    float Nright = 0;
    float Nchannel = 0;
    std::int32_t Nsta = 0;
    float Xleft = 0;
    float Xright = 0;
    float Lfactor = 0;
    float Wfactor = 0;
    float Eoffset = 0;
    std::vector<float> ZorW;
    std::vector<float> XorH;
    std::size_t NPoints() const { return XorH.size(); }
};

// The [VERTICES] lines of one link, in file order: vertex k is (X[k], Y[k]).
struct inpVertexList {
    std::string Link;
    std::vector<double> X;
    std::vector<double> Y;
    std::size_t NVert() const { return X.size(); }
};

// One [LOSSES] line; the defaults are what a line leaves out.
struct inpLoss {
    std::string Link = "NA";
    float Kentry = 0;
    float Kexit = 0;
    float Kavg = 0;
    std::string FlapGate = "NO";
    float Seepage = 0;
};

// Positions of records by name under ASAME, the first record of each name kept.
class NameIndex {
public:
    void add(std::string_view name, std::size_t position);
    std::optional<std::size_t> find(std::string_view name) const;

private:
    std::unordered_map<std::string, std::size_t> positions_;
};

// A table whose records are found by one of their text fields.
template <typename Record, std::string Record::*Key>
class NamedTable {
public:
    std::size_t count() const { return records_.size(); }
    const Record& operator[](std::size_t i) const { return records_[i]; }
    // For the fields that change after reading; the key field stays as it was appended.
    Record& operator[](std::size_t i) { return records_[i]; }
    auto begin() const { return records_.begin(); }
    auto end() const { return records_.end(); }

    void append(Record record) {
        index_.add(record.*Key, records_.size());
        records_.push_back(std::move(record));
    }
    std::optional<std::size_t> find(std::string_view name) const { return index_.find(name); }

private:
    std::vector<Record> records_;
    NameIndex index_;
};

using CoordinateTable = NamedTable<inpCoordinate, &inpCoordinate::Node>;
using JunctionTable = NamedTable<inpJunction, &inpJunction::Name>;
using ConduitTable = NamedTable<inpConduit, &inpConduit::Name>;
using WeirTable = NamedTable<inpWeir, &inpWeir::Name>;
using OrificeTable = NamedTable<inpOrifice, &inpOrifice::Name>;
using VertexTable = NamedTable<inpVertexList, &inpVertexList::Link>;
using LossTable = NamedTable<inpLoss, &inpLoss::Link>;
using NodeElevationTable = NamedTable<inpNodeElevation, &inpNodeElevation::Name>;
using XsTableSet = std::vector<xsTable>;

// A BOTTOM orifice whose matrices are written: its position in the orifices, the position of its
// cross-section record and the names of its flow and area matrix files.
struct BottomOrifice {
    std::size_t orifice;
    std::size_t xsection;
    std::vector<std::string> matrixFiles;
};

// The cross-sections, found by Link, and the IRREGULAR ones by the transect their Geom1 names,
// with the counts of special shapes and the index lists.
class XsectionTable : public NamedTable<inpXsection, &inpXsection::Link> {
public:
    void append(inpXsection record);
    // The positions of the IRREGULAR cross-sections whose Geom1 names the transect (under ASAME,
    // as SWMM finds a transect), in table order.
    std::span<const std::size_t> usingTransect(std::string_view id) const;

    bool hasArch() const { return nArch > 0; }
    bool hasRectTriangular() const { return nRectTriangular > 0; }

    int nArch = 0;            // ARCH cross-sections read
    int nRectTriangular = 0;  // RECT_TRIANGULAR cross-sections read
    // Appended by the network-layer stage: the positions of the cross-section records of ARCH
    // conduits and of RECT_TRIANGULAR conduits, and the BOTTOM orifices in the link layer. Their
    // sizes are the entries in use.
    std::vector<std::size_t> archConduits;
    std::vector<std::size_t> rectTriangularConduits;
    std::vector<BottomOrifice> bottomOrifices;

private:
    std::unordered_map<std::string, std::vector<std::size_t>> irregularByTransect_;
};

// Everything the readers fill; one per run, owned by the main program.
struct Network {
    SectionFlags inpSectionFlags{};
    bool anyLinks = false;  // a [CONDUITS], [WEIRS] or [ORIFICES] header was found

    CoordinateTable inpCoordinates;
    JunctionTable inpJunctionTable;
    ConduitTable inpConduitTable;
    WeirTable inpWeirTable;
    OrificeTable inpOrificeTable;
    XsectionTable inpXsectionTable;
    XsTableSet xsTableSet;
    VertexTable inpVertexTable;
    LossTable inpLossTable;
    NodeElevationTable nodeElevations;  // outfalls, dividers and storage units
    LinkOffsets linkOffsets = LinkOffsets::Depth;
    TableFileNames tableFileNames;  // the table files named so far

    bool has(std::size_t flag) const { return inpSectionFlags[flag]; }
    // An ARCH or RECT_TRIANGULAR cross-section was read: the height-width layer is written.
    bool xsHasSpecialShapes() const { return inpXsectionTable.hasArch() || inpXsectionTable.hasRectTriangular(); }
};

}  // namespace zx::convert
