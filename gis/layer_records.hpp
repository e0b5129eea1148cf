// gis/layer_records.hpp: the records of the GIS layer library, shared by the layer table, the
// format writers and readers: the object record and its vertices, the attribute template, and per
// layer id its slot with the MapInfo, shapefile and dBASE records, the module settings and the
// input-layer tracking.
//
// Layer ids count from 1 to gisMaxLayers; 0 means no layer. Texts are kept without trailing
// blanks; a blank text is an empty string.
#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zx {

inline constexpr int gisMaxLayers = 100;
inline constexpr int kMaxVertices = 100000;  // the vertex arrays' capacity
inline constexpr int kMaxParts = 10000;      // the part table's capacity
inline constexpr int kMaxDbfFields = 128;

// A layer's format. Csv only while opening: an attribute-only .csv layer is stored as Mif.
enum class LayerFormat : std::int32_t { None = 0, Mif = 1, Shapefile = 2, Csv = -1 };

// The object record (gisO_): what kind of object is written or was read, and its parts.
struct GisObject {
    // Kind flags; a record may hold several, and each routine acts on the first of its own order.
    bool none = false;
    bool point = false;
    bool line = false;           // a two-point line
    bool pline = false;          // a polyline
    bool plineMultiple = false;  // a polyline of several sections
    bool region = false;
    bool ellipse = false;
    bool rect = false;
    bool roundRect = false;
    bool arc = false;
    bool center = false;  // a "CENTER" line follows the object
    bool text = false;
    bool multipoint = false;

    bool done = false;     // coordinates read, or shape record written
    bool deleted = false;  // the object's attribute record is marked deleted in its .dbf file
    std::int32_t count = 0;
    std::int32_t nr = 0;  // parts or rings
    // ir[i - 1] is ir(i): for the writers the 1-based index of part i's first vertex.
    std::vector<std::int32_t> ir = std::vector<std::int32_t>(1, 0);
    std::string kindName;
};

// The coordinates of the current object (gisObjectVertices); x[j - 1], y[j - 1] is vertex j.
struct GisObjectVertices {
    std::int32_t nv = 0;
    std::vector<double> x;
    std::vector<double> y;
    // Sets the vertex count, growing the arrays when they are shorter.
    void setCount(std::int32_t count) {
        nv = count;
        if (count > 0 && x.size() < static_cast<std::size_t>(count)) {
            x.resize(static_cast<std::size_t>(count));
            y.resize(static_cast<std::size_t>(count));
        }
    }
};

// Where the readers put an object's coordinates (gisReadObject) and what they work out from them.
struct ObjectReadout {
    std::span<double> x;
    std::span<double> y;
    std::int32_t limit = 0;  // the arrays' capacity the caller declares
    std::int32_t nv = 0;
    double labelX = 0.0;
    double labelY = 0.0;
    float angle = 0.0f;  // degrees
    float length = 0.0f;
    bool noCentre = true;  // no MIF "Center" line gave the label

    // Vertices are stored only below the capacity the caller declares and the arrays hold.
    std::int32_t capacity() const {
        return static_cast<std::int32_t>(
            std::min<std::size_t>({static_cast<std::size_t>(std::max(limit, 0)), x.size(), y.size()}));
    }
};

// The first nv vertices of an object, read-only, as the format writers take them.
struct VertexView {
    std::span<const double> x;
    std::span<const double> y;
};

// The column definitions of the layer about to be written (gisAttributeTemplate).
struct GisAttributeColumn {
    std::string name;
    std::string type;  // "Char", "Float", "Integer", "Logical", "Decimal", ...
    std::int32_t width = 0;
};
struct GisAttributeTemplate {
    std::vector<GisAttributeColumn> columns;
    std::int32_t recordCount = 0;  // copied into the header of a new .dbf file
};

struct MifColumn {
    std::string name;
    std::string type;
};

// Lines of a .mif read between objects that belong to none: neither a keyword line nor a style
// line, nor one of the lines the object before carries (a text's string and corners, an arc's
// angles, a rounded rectangle's rounding).
struct MifSkippedLines {
    std::int32_t count = 0;
    std::string first;              // the first of them, told in the warning
    std::uint64_t firstAt = 0;      // where it starts in the file
    std::int32_t ownLinesLeft = 0;  // lines the object before may still carry
};

// The MapInfo side of a layer (mifLayerRecord).
struct MifLayerRecord {
    std::string keywordLine;  // the readers' current object line
    std::string restOfLine;   // what follows its keyword
    int mifUnit = 0;
    int midUnit = 0;  // the .csv file of an attribute-only .csv layer
    std::string styleLine1;
    std::string styleLine2;
    std::vector<MifColumn> columns;
    char delimiter = ',';          // between .mid values, from the header's Delimiter line
    std::int32_t recordsDone = 0;  // .mid lines read since the header
    std::int32_t objectsDone = 0;  // object keyword lines read since the header
    MifSkippedLines skipped;
};

// One shapefile set (shpFileSet): units, header fields and counters of its .shp and .shx files.
// The .shp and .shx files are each open on two units, the little-endian one and the big-endian
// one; for an output set both units view one file.
struct ShpFileSet {
    int shpUnit = 0;
    int shpUnitBigEndian = 0;
    int shxUnit = 0;
    int shxUnitBigEndian = 0;
    int prjUnit = 0;
    std::int32_t fileCode = 0;
    std::int32_t fileLengthWords = 0;  // 16-bit words
    std::int32_t version = 0;
    std::int32_t fileShapeType = 0;
    std::int32_t recordShapeType = 0;  // of the last record written
    std::int32_t recordCount = 0;
    std::int32_t nextRecordWords = 0;  // offset of the next record, in 16-bit words
    // Reading: where the current record ends; its parts and points are read up to there only.
    std::uint64_t recordEndBytes = 0;
    double xmin = 0.0;
    double ymin = 0.0;
    double xmax = -1.0;
    double ymax = -1.0;
};

struct DbfField {
    std::string name;  // at most 10 characters
    char type = ' ';   // 'C' or 'N'
    std::int32_t width = 0;
    std::int32_t decimals = 0;
};

// The attribute table of one shapefile set (dbfTable).
struct DbfTable {
    int unit = 0;
    std::int32_t headerRecordCount = 0;
    std::int32_t recordsDone = 0;  // written (output) or read (input) so far
    std::vector<DbfField> fields;
    std::int32_t recordLength = 0;  // the sum of the field widths, without the deletion byte
    // Reading: where the records start and how far apart they lie, as the file's header says.
    std::int32_t headerBytes = 0;
    std::int32_t recordBytes = 0;
};

// Geometry kinds of shapefile sets: index 0 points ("P"), 1 lines ("L"), 2 regions ("R").
inline constexpr std::size_t kShpSets = 3;
// The 100-byte header of a .shp or .shx file, in 16-bit words.
inline constexpr std::int32_t kShpHeaderWords = 50;

struct LayerSlot {
    std::string fileName;
    LayerFormat format = LayerFormat::None;
    int trackingIndex = 0;
    bool open = false;
    bool endOfFile = false;
    bool recordsLeftTold = false;  // the records left behind the last object were warned about
    bool skippedLinesTold = false;  // the .mif lines skipped between objects were warned about
    bool output = false;
    MifLayerRecord mif;
    std::array<ShpFileSet, kShpSets> shp;
    std::array<DbfTable, kShpSets> dbf;
};

// Settings that govern layers opened for reading; gisInitialise gives them their defaults.
struct GisSettings {
    bool gisSaveDateCheck = false;
    bool gisSaveDateIsError = false;
    bool gisProjectionCheckIsError = false;
    std::string mifExpectedCoordSys;
    std::string shpExpectedProjection;
    std::string gisTableExtension;
};

// The tracking files of the input layers a run opens (gisInputLayerTracking). A unit is above 0
// while its file is open, -1 when gisInitialise was given no name for it.
struct InputLayerTracking {
    static constexpr int kMaxTracked = 1000;
    int workspaceUnit = 0;
    int listMifUnit = 0;
    int listMidUnit = 0;
    int count = 0;
    std::vector<std::string> paths;  // absolute paths without extension, entries 1 to 999
};

}  // namespace zx
