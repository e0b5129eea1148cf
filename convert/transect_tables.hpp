// convert/transect_tables.hpp: the cross-section tables as CSV files in the folder xs (the
// transects, station and elevation, and the height-width tables made from special shapes), and
// the cross-section layer with one short line per table across the link that uses it. The
// 12-column table-link schema and its attribute line serve the height-width layer too.
#pragma once
#include <array>
#include <string>
#include <string_view>

#include "convert/network.hpp"
#include "gis/layer_table.hpp"

namespace zx::convert {

// Opens a layer of polylines with the table-link schema, writes its header and resets the
// object; the layer's id.
int xsOpenTableLinkLayer(std::string_view layerName, GisObject& object);

// The 12 values of a table-link record: Source, Type, Flags, Column_1 to Column_6, Z_Increment,
// Z_Maximum, Skew.
struct TableLinkAttributes {
    std::string_view source;
    std::string_view type;
    std::string_view flags;
    std::array<std::string_view, 6> columns;
    float zIncrement = 0;
    float zMaximum = 0;
    float skew = 0;
};
// The attribute line: every text quoted, the three numbers as F10.3.
std::string composeTableLinkLine(const TableLinkAttributes& attributes);

// The attribute line of a table's line in the cross-section layer.
std::string xsTransectRecord(const xsTable& table);

// Names the table's file (FileName) and writes it in xs: a header line ("X, Z, N" for a transect,
// "H, W, N" otherwise) and one row per point. A transect's points take the Manning value of the
// bank or the channel they lie in, and a station equal to the one written before it is moved by
// 0.00001 (to the next single-precision value where that changes nothing) with a warning. A
// transect without the Manning values its stations need ends the run; one without stations is
// written with a warning.
void xsWriteTableFile(xsTable& table, TableFileNames& names);

}  // namespace zx::convert
