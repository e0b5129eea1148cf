// tests/gis/object_kind_test.cpp: the kind an object record names when several flags are set, in
// each writer's order, and the shapefile set of each kind.
#include "gis/object_kind.hpp"

#include <gtest/gtest.h>

#include <string_view>

namespace zx {
namespace {

GisObject withFlags(std::string_view flags) {
    GisObject o;
    for (const char f : flags) {
        switch (f) {
            case 'p': o.point = true; break;
            case 'm': o.multipoint = true; break;
            case 'l': o.line = true; break;
            case 'L': o.pline = true; break;
            case 'M': o.plineMultiple = true; break;
            case 'r': o.region = true; break;
            case 't': o.text = true; break;
            case 'n': o.none = true; break;
            case 'e': o.ellipse = true; break;
        }
    }
    return o;
}

TEST(ObjectKind, TheFirstFlagOfEachOrderDecides) {
    using enum ObjectKind;
    // flags; kind for the MIF writer, the shapefile set choice, the shape record
    const std::tuple<std::string_view, ObjectKind, ObjectKind, ObjectKind> cases[] = {
        {"ml", Multipoint, Line, Multipoint}, {"tm", Multipoint, Text, Multipoint}, {"LM", Pline, Pline, Pline},
        {"rt", Region, Region, Region},       {"nt", Text, Text, None},       {"e", Unsupported, Unsupported, Unsupported},
        {"", Unsupported, Unsupported, Unsupported},
    };
    for (const auto& [flags, mif, set, record] : cases) {
        const GisObject o = withFlags(flags);
        EXPECT_EQ(objectKind(o, KindOrder::Mif), mif) << flags;
        EXPECT_EQ(objectKind(o, KindOrder::ShpSet), set) << flags;
        EXPECT_EQ(objectKind(o, KindOrder::ShapeRecord), record) << flags;
    }
}

TEST(ObjectKind, PointsTextsAndMultipointsShareASet) {
    using enum ObjectKind;
    for (const ObjectKind kind : {Point, Text, Multipoint}) EXPECT_EQ(shpSetOf(kind), 0u);
    for (const ObjectKind kind : {Line, Pline, PlineMultiple}) EXPECT_EQ(shpSetOf(kind), 1u);
    EXPECT_EQ(shpSetOf(Region), 2u);
    EXPECT_EQ(shpSetOf(None), std::nullopt);
    EXPECT_EQ(shpSetOf(Unsupported), std::nullopt);
}

}  // namespace
}  // namespace zx
