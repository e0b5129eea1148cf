// convert/stage_support.hpp: what the output stages share: the names of their layers, numbers
// read from a cross-section's Geom1 text, the guard on names that become file names, the lines of
// the table files, and the short line that marks a link's cross-section in a table-link layer.
#pragma once
#include <array>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "convert/network.hpp"
#include "common/strings.hpp"
#include "convert/run_settings.hpp"
#include "convert/table_names.hpp"
#include "gis/layer_table.hpp"

namespace zx::convert {

// The attribute value that stands for "no value".
inline constexpr float kMissingValue = -99999.0F;

// prefix + the input's file name + suffix + ".mif" (MapInfo output) or ".shp".
std::string layerName(const RunSettings& run, std::string_view prefix, std::string_view suffix = {});

// One column of a layer's schema; width 0 leaves the width to the writers.
struct SchemaColumn {
    std::string_view name;
    std::string_view type;
    int width;
};

// Fills the attribute template with the columns, opens the output layer of polylines ("L") or
// points ("P"), writes its header and resets the object; the layer's id.
int openOutputLayer(std::string_view name, std::span<const SchemaColumn> columns, std::string_view geometry,
                    GisObject& object);

// Geom1 read as a number, in single or double precision; a text that is no number (a curve or
// transect name where the shape needs a size) ends the run with an ERROR naming the link.
float geom1Real4(const inpXsection& xsection);
double geom1Real8(const inpXsection& xsection);

// Makes the folder of table files; making one that exists is fine, one that cannot be made ends
// the run with its ERROR 0005 line.
void makeOutputFolder(OutputFolder folder);

// A name that becomes part of an output file's name must leave the file in its folder: one
// holding "/" or "\", or equal to "." or "..", ends the run with an ERROR naming the object
// (kind is "transect", "link" or "orifice").
void requireFileNamePart(std::string_view kind, std::string_view name);

// Appends a text bare when it reads back by itself from a comma-separated line, and quoted
// (appendQuoted) when it would not: when it holds a comma, a blank, a double quote or a slash, starts
// with an apostrophe, or starts like a repeat count ("3*").
void appendBareOrQuoted(std::string& line, std::string_view text);

// A table file written line by line on a unit of the unit table, closed when the object ends.
class TableFile {
public:
    explicit TableFile(std::string_view name);
    ~TableFile();
    TableFile(const TableFile&) = delete;
    TableFile& operator=(const TableFile&) = delete;

    void line(std::string_view text);
    // The values as fixed-point numbers of 15 columns with 7 decimals (wider where a value needs
    // it), separated by commas.
    void row(std::initializer_list<float> values);
    // One number of the table appended to a line, Fw.d or wider where it needs more columns; a
    // value that is not a finite number (a computation beyond the reals' range) ends the run
    // naming the table.
    void appendField(std::string& line, double value, int width, int decimals) const;

private:
    std::string name_;
    int unit_ = 0;
    std::string row_;  // reused for every row
};

struct Point {
    double x = 0;
    double y = 0;
};

// A number that is not finite ends the run, naming what holds it (kind "link", name "W1"; kind
// "table", name "xs\A1.csv"): GIS readers would take NaN for a number.
void requireFinite(double value, std::string_view kind, std::string_view name);

// The level of a link's end at a node (a conduit's invert, a weir's crest, an orifice's invert):
// its offset above the node's invert, or under LINK_OFFSETS ELEVATION the offset itself; a level
// below the node's invert is raised to it, in either mode, as SWMM raises it ("negative offset
// ignored").
float offsetLevel(const Network& network, float nodeElevation, float offset);

// The junction a weir or orifice takes its levels from; a node that is no junction ends the run
// with the message followed by the link's name.
const inpJunction& junctionOf(const Network& network, std::string_view node, std::string_view message,
                              std::string_view link);

// The coordinates of a link's two nodes; nullopt after a warning that names the first node that
// has none ("us node" or "ds node") followed by `what` (" conduit C1", " orifice O1").
std::optional<std::array<Point, 2>> nodePoints(const Network& network, std::string_view from, std::string_view to,
                                               std::string_view what);

// The line across the chord from one node to the other: as long as the chord, centred on its
// midpoint, turned by a right angle so that it runs from the right-hand side of the link (looking
// from the first node to the second) to its left-hand side. nullopt when the two nodes coincide:
// the chord then has no direction.
std::optional<std::array<Point, 2>> crossLine(Point from, Point to);

// The stages hand their objects to the layer table here: the points become the object's
// vertices and the object is written, then the attribute line becomes its record.
void writeLayerObject(int gisID, GisObject& object, std::span<const Point> points);
void writeLayerRecord(int gisID, const GisObject& object, std::string_view attributeLine);

// The warning for a link whose nodes coincide: the table and the link are named, the layer gets
// no line for them.
void warnNoCrossLine(std::string_view table, std::string_view link);

}  // namespace zx::convert
