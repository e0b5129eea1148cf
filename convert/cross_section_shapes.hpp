// convert/cross_section_shapes.hpp: the SWMM cross-section shapes the converter knows, one row
// each: what a conduit of the shape becomes in the 1D network, which shapes turn into
// height-width tables, and which are special (a table file of their own and a line in the
// height-width layer). A shape that is not here is written with type "?" and no dimensions.
#pragma once
#include <array>
#include <string_view>

namespace zx::convert {

// How a conduit's dimensions are taken from its cross-section.
enum class ConduitRule {
    Diameter,        // Geom1 is the diameter
    Rectangle,       // Geom1 the height, Geom2 the width
    Table,           // a table among the transect tables carries the section
    Dummy,           // no section: no length, a nominal roughness
    Arch,            // a table of its own (special)
    RectTriangular,  // a table of its own (special)
};

// The two-point height-width table a shape becomes among the transect tables, if any.
enum class HeightWidthRule { None, RectOpen, Trapezoidal, Triangular };

struct CrossSectionShape {
    std::string_view name;         // as SWMM spells it; compared under ASAME
    std::string_view networkType;  // the 1d_nwk type code of a conduit
    ConduitRule conduit;
    HeightWidthRule heightWidth;
    bool special;  // counted for the height-width layer
};

inline constexpr std::array<CrossSectionShape, 10> kCrossSectionShapes{{
    {"CIRCULAR", "C", ConduitRule::Diameter, HeightWidthRule::None, false},
    {"FORCE_MAIN", "C", ConduitRule::Diameter, HeightWidthRule::None, false},
    {"RECT_CLOSED", "R", ConduitRule::Rectangle, HeightWidthRule::None, false},
    {"RECT_OPEN", "S", ConduitRule::Table, HeightWidthRule::RectOpen, false},
    {"TRAPEZOIDAL", "S", ConduitRule::Table, HeightWidthRule::Trapezoidal, false},
    {"TRIANGULAR", "S", ConduitRule::Table, HeightWidthRule::Triangular, false},
    {"IRREGULAR", "S", ConduitRule::Table, HeightWidthRule::None, false},
    {"DUMMY", "X", ConduitRule::Dummy, HeightWidthRule::None, false},
    {"ARCH", "I", ConduitRule::Arch, HeightWidthRule::None, true},
    {"RECT_TRIANGULAR", "I", ConduitRule::RectTriangular, HeightWidthRule::None, true},
}};

// The rows that rules of their own name: orifice areas, transects, and the special shapes.
inline constexpr const CrossSectionShape& kCircular = kCrossSectionShapes[0];
inline constexpr const CrossSectionShape& kIrregular = kCrossSectionShapes[6];
inline constexpr const CrossSectionShape& kArch = kCrossSectionShapes[8];
inline constexpr const CrossSectionShape& kRectTriangular = kCrossSectionShapes[9];

// The row of a shape name (case, quotes and leading blanks ignored); nullptr for any other shape.
const CrossSectionShape* findCrossSectionShape(std::string_view name);

// Whether the name is that of the row's shape.
bool isShape(std::string_view name, const CrossSectionShape& shape);

}  // namespace zx::convert
