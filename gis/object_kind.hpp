// gis/object_kind.hpp: what kind of object the object record describes, decided once from its
// flags, and the shapefile set a kind belongs to. A record may have several kind flags set; the
// first set flag in the order of the deciding routine wins. The orders differ by design, as the
// library documents them: the MIF writer, the choice of a shapefile set, the shape record, and the
// readers.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "gis/layer_records.hpp"
#include "gis/file_layouts.hpp"

namespace zx {

// Rect, RoundRect, Arc and Ellipse come from MIF layers read back; no writer takes them.
enum class ObjectKind {
    Point, Multipoint, Line, Pline, PlineMultiple, Region, Text, None, Rect, RoundRect, Arc, Ellipse, Unsupported
};

enum class KindOrder {
    Mif,          // point, multipoint, line, polyline, multiple polyline, region, text, none
    ShpSet,       // point, line, polyline, multiple polyline, region, text, multipoint, none
    ShapeRecord,  // point, multipoint, line, polyline, multiple polyline, region, none
    Read,         // point, multipoint, line, rect, roundrect, arc, ellipse, polyline, multiple
                  // polyline, region, text, none
};

// The kind of the first flag set in the order; Unsupported when none of its flags is set.
ObjectKind objectKind(const GisObject& object, KindOrder order);

// The object record's flag of the kind; nullptr for Unsupported, which has none.
bool GisObject::*kindFlag(ObjectKind kind);

// The shapefile sets of a layer, in the order of its slot's arrays: file-name letter and the
// shape type of the .shp header.
struct ShpSetKind {
    char letter;
    std::int32_t shapeType;
};
inline constexpr std::array<ShpSetKind, kShpSets> kShpSetKinds{
    {{'P', shp::kPointShape}, {'L', shp::kPolyLineShape}, {'R', shp::kPolygonShape}}};

// The set an object of the kind goes to, in the .shp and the .dbf alike (a text object's anchor
// and a multipoint go to the points); nullopt for None, which goes to every open set, and for
// the kinds no writer takes.
std::optional<std::size_t> shpSetOf(ObjectKind kind);

}  // namespace zx
