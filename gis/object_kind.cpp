// gis/object_kind.cpp: the object record's flags read in the documented orders.
#include "gis/object_kind.hpp"

#include <span>

namespace zx {
namespace {

using enum ObjectKind;
constexpr ObjectKind kMifOrder[] = {Point, Multipoint, Line, Pline, PlineMultiple, Region, Text, None};
constexpr ObjectKind kShpSetOrder[] = {Point, Line, Pline, PlineMultiple, Region, Text, Multipoint, None};
constexpr ObjectKind kShapeRecordOrder[] = {Point, Multipoint, Line, Pline, PlineMultiple, Region, None};
constexpr ObjectKind kReadOrder[] = {Point, Multipoint, Line,          Rect,   RoundRect, Arc,
                                     Ellipse, Pline,    PlineMultiple, Region, Text,      None};

std::span<const ObjectKind> orderOf(KindOrder order) {
    switch (order) {
        case KindOrder::Mif: return kMifOrder;
        case KindOrder::ShpSet: return kShpSetOrder;
        case KindOrder::ShapeRecord: return kShapeRecordOrder;
        case KindOrder::Read: return kReadOrder;
    }
    return {};
}

}  // namespace

ObjectKind objectKind(const GisObject& object, KindOrder order) {
    for (const ObjectKind kind : orderOf(order)) {
        if (object.*kindFlag(kind)) return kind;
    }
    return Unsupported;
}

bool GisObject::*kindFlag(ObjectKind kind) {
    switch (kind) {
        case Point: return &GisObject::point;
        case Multipoint: return &GisObject::multipoint;
        case Line: return &GisObject::line;
        case Pline: return &GisObject::pline;
        case PlineMultiple: return &GisObject::plineMultiple;
        case Region: return &GisObject::region;
        case Text: return &GisObject::text;
        case None: return &GisObject::none;
        case Rect: return &GisObject::rect;
        case RoundRect: return &GisObject::roundRect;
        case Arc: return &GisObject::arc;
        case Ellipse: return &GisObject::ellipse;
        case Unsupported: return nullptr;
    }
    return nullptr;
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
        case Rect:
        case RoundRect:
        case Arc:
        case Ellipse:
        case Unsupported: return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace zx
