// gis/object_kind.cpp: the object record's flags read in the documented orders.
#include "gis/object_kind.hpp"

#include <span>

namespace zx {
namespace {

using enum ObjectKind;
constexpr ObjectKind kMifOrder[] = {Point, Multipoint, Line, Pline, PlineMultiple, Region, Text, None};
constexpr ObjectKind kShpSetOrder[] = {Point, Line, Pline, PlineMultiple, Region, Text, Multipoint, None};
constexpr ObjectKind kShapeRecordOrder[] = {Point, Multipoint, Line, Pline, PlineMultiple, Region, None};

bool flagOf(const GisObject& object, ObjectKind kind) {
    switch (kind) {
        case Point: return object.point;
        case Multipoint: return object.multipoint;
        case Line: return object.line;
        case Pline: return object.pline;
        case PlineMultiple: return object.plineMultiple;
        case Region: return object.region;
        case Text: return object.text;
        case None: return object.none;
        case Unsupported: return false;
    }
    return false;
}

std::span<const ObjectKind> orderOf(KindOrder order) {
    switch (order) {
        case KindOrder::Mif: return kMifOrder;
        case KindOrder::ShpSet: return kShpSetOrder;
        case KindOrder::ShapeRecord: return kShapeRecordOrder;
    }
    return {};
}

}  // namespace

ObjectKind objectKind(const GisObject& object, KindOrder order) {
    for (const ObjectKind kind : orderOf(order)) {
        if (flagOf(object, kind)) return kind;
    }
    return Unsupported;
}

std::optional<std::size_t> shpSetOf(ObjectKind kind) {
    constexpr std::size_t kPoints = 0;
    constexpr std::size_t kLines = 1;
    constexpr std::size_t kRegions = 2;
    switch (kind) {
        case Point:
        case Multipoint:
        case Text: return kPoints;
        case Line:
        case Pline:
        case PlineMultiple: return kLines;
        case Region: return kRegions;
        case None:
        case Unsupported: return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace zx
