// convert/network.cpp: the name indexes of the network tables.
#include "convert/network.hpp"

#include "common/strings.hpp"
#include "common/text_lines.hpp"
#include "convert/cross_section_shapes.hpp"

namespace zx::convert {

void NameIndex::add(std::string_view name, std::size_t position) { positions_.try_emplace(asameKey(name), position); }

std::optional<std::size_t> NameIndex::find(std::string_view name) const {
    const auto found = positions_.find(asameKey(name));
    if (found == positions_.end()) return std::nullopt;
    return found->second;
}

void XsectionTable::append(inpXsection record) {
    const CrossSectionShape* shape = findCrossSectionShape(record.Shape);
    if (shape == &kIrregular) irregularByTransect_[asameKey(record.Geom1)].push_back(count());
    if (shape == &kArch) ++nArch;
    if (shape == &kRectTriangular) ++nRectTriangular;
    NamedTable::append(std::move(record));
}

std::span<const std::size_t> XsectionTable::usingTransect(std::string_view id) const {
    const auto found = irregularByTransect_.find(asameKey(id));
    if (found == irregularByTransect_.end()) return {};
    return found->second;
}

}  // namespace zx::convert
