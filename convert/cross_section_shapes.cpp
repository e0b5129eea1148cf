// convert/cross_section_shapes.cpp: the look-up of a cross-section shape by its SWMM name.
#include "convert/cross_section_shapes.hpp"

#include <algorithm>

#include "common/strings.hpp"

namespace zx::convert {

const CrossSectionShape* findCrossSectionShape(std::string_view name) {
    const auto* row = std::find_if(kCrossSectionShapes.begin(), kCrossSectionShapes.end(),
                                   [&](const CrossSectionShape& shape) { return ASAME(name, shape.name); });
    return row == kCrossSectionShapes.end() ? nullptr : row;
}

bool isShape(std::string_view name, const CrossSectionShape& shape) { return findCrossSectionShape(name) == &shape; }

}  // namespace zx::convert
