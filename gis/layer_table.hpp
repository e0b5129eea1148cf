// gis/layer_table.hpp: the GIS layer table and the records around it: one slot per layer id with
// its MapInfo, shapefile and dBASE records, the object record, the vertex arrays, the attribute
// template and lines, the projection texts, the GIS message lines, the module settings and the
// input-layer tracking. One LayerTable owns all of it; the layer routines are its members, and the
// library's routine names below are thin forwarders to the one table of the process.
//
// Layer ids count from 1 to gisMaxLayers; 0 means no layer. Texts are kept without trailing
// blanks; a blank text is an empty string.
#pragma once
#include <array>
#include <cstdint>
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

    bool done = false;  // coordinates read, or shape record written
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

// The MapInfo side of a layer (mifLayerRecord).
struct MifLayerRecord {
    std::string keywordLine;  // the readers' current object line
    std::string restOfLine;   // what follows its keyword
    int mifUnit = 0;
    int midUnit = 0;  // the .csv file of an attribute-only .csv layer
    std::string styleLine1;
    std::string styleLine2;
    std::vector<MifColumn> columns;
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

class LayerTable {
public:
    // Records the caller fills before writing, and the texts the writers put into every layer.
    GisObjectVertices gisObjectVertices;
    GisAttributeTemplate gisAttributeTemplate;
    std::string gisAttributeLine;
    std::string gisAttributeLineLarge;
    std::string mifCoordSysLine;
    std::string shpProjectionText;
    std::array<std::string, 4> gisMessageLines;
    int gisLogUnit = 0;
    GisSettings settings;
    InputLayerTracking gisInputLayerTracking;

    LayerSlot& slot(int gisID) { return slots_.at(static_cast<std::size_t>(gisID)); }

    // Messages and resets.
    void writeMessage(int blankLines);
    void initialiseLayer(int gisID);

    // Start-up and tracking.
    void initialise(int logUnit, std::string_view simulationName, std::string_view workspaceName,
                    std::string_view listName);
    void closeTracking();

    // Opening.
    int openLayer(std::string_view name, std::string_view geometry, std::string_view mode, bool attributeOnly);
    bool openShpFile(std::string_view name, std::string_view letters, DbfTable& table, ShpFileSet& set,
                     std::string_view mode, bool attributeOnly);
    void openMifFile(std::string_view name, int& mifUnit, int& midUnit, std::string_view mode, bool attributeOnly);
    LayerFormat fileType(std::string_view extension, bool allowAttributeOnly);
    std::string projectionName(std::string& text);

    // Writing.
    void writeHeader(int gisID);
    void writeObject(int gisID, GisObject& object);
    void writeRecord(int gisID, const GisObject& object);
    void writeRecordLarge(int gisID, const GisObject& object);
    void writeMifHeader(const GisAttributeTemplate& columns, int unit);
    void writeMifObject(const GisObject& object, int unit, std::string_view styleLine1, std::string_view styleLine2);
    void writeShpFileHeader(ShpFileSet& set, int littleEndianUnit, int bigEndianUnit);
    void writeShpObject(GisObject& object, ShpFileSet& set);
    void writeDbfHeader(const GisAttributeTemplate& columns, DbfTable& table);
    void writeDbfLine(DbfTable& table);
    void writeDbfLineLarge(DbfTable& table);

    // Closing.
    void closeLayer(int& gisID);
    void writeEoF(int gisID);
    bool closeAllLayers();

private:
    // Every failure found while finishing a shapefile layer's files.
    static constexpr std::string_view kFinishFailure =
        "ERROR 0413 - Rewriting .dbf file header with final information.";

    // A line to the console and to the GIS log.
    void reportLine(std::string_view text);
    // Line 1 of the message lines printed after one empty line, then the end of the run.
    [[noreturn]] void stopWithMessage(std::string_view line1);
    // An internal stop written as one console line: what, then the request to contact the maker.
    [[noreturn]] static void stopLine(std::string_view what);
    // What, then two blanks and the request to contact the maker, as one message line.
    static std::string pleaseContact(std::string_view what);
    // The format of a layer id; None for an id outside the table.
    LayerFormat formatOf(int gisID) const;

    void trackInputLayer(int gisID, std::string_view name);
    void checkMifCoordSys(int mifUnit);
    void checkShpProjection(ShpFileSet& set, const std::string& prjName);
    void validateParts(int gisID, GisObject& object);
    void requireFiniteVertices(int gisID);
    // The vertices an object reads must lie in the arrays and within their capacity.
    void requireVertices(std::int32_t count) const;
    // The number of parts a line or region object is written with, every part start checked.
    std::int32_t partCount(const GisObject& object) const;
    void writeRecordOf(int gisID, const GisObject& object, bool large);
    void writeDbfValues(DbfTable& table, std::string_view line, std::string_view routine, std::string_view failure);
    void finishMif(const MifLayerRecord& mif);
    void finishDbf(DbfTable& table);
    void finishShpSet(ShpFileSet& set);

    std::array<LayerSlot, gisMaxLayers + 1> slots_{};  // index 0 unused: ids count from 1
    std::string mifLine_;                              // one .mif line, reused for every line
    std::string dbfRecord_;                            // one .dbf record, reused for every record
    std::string dbfValue_;                             // one value split from an attribute line
};

// The one table of the process.
LayerTable& layers();

// The library's routines by their own names.
void gisWriteMessage(int blankLines);
void gisInitialiseObject(GisObject& object);
void gisInitialiseLayer(int gisID);
void gisInitialise(int logUnit, std::string_view simulationName, std::string_view workspaceName,
                   std::string_view listName);
void gisCloseTracking();
int gisOpenLayer(std::string_view name, std::string_view geometry, std::string_view mode, bool attributeOnly);
bool OpenshpFile(std::string_view name, std::string_view letters, DbfTable& table, ShpFileSet& set,
                 std::string_view mode, bool attributeOnly);
void OpenmifFile(std::string_view name, int& mifUnit, int& midUnit, std::string_view mode, bool attributeOnly);
LayerFormat gisFileType(std::string_view extension, bool allowAttributeOnly);
std::string shpProjectionName(std::string& text);
void gisWriteHeader(int gisID);
void mifWriteHeader(const GisAttributeTemplate& columns, int unit);
void gisWriteObject(int gisID, GisObject& object);
void mifWriteObject(const GisObject& object, int unit, std::string_view styleLine1, std::string_view styleLine2);
void gisWriteRecord(int gisID, const GisObject& object);
void gisWriteRecordLarge(int gisID, const GisObject& object);
void shpWriteFileHeader(ShpFileSet& set, int littleEndianUnit, int bigEndianUnit);
void shpWriteObject(GisObject& object, ShpFileSet& set);
void dbfWriteHeader(const GisAttributeTemplate& columns, DbfTable& table);
void dbfdataline(DbfTable& table);
void dbfdatalinelarge(DbfTable& table);
void gisCloseLayer(int& gisID);
void gisWriteEoF(int gisID);
bool gisCloseAllLayers();

}  // namespace zx
