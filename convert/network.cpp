// convert/network.cpp: the name indexes of the network tables.
#include "convert/network.hpp"

#include "common/strings.hpp"
#include "common/text_lines.hpp"

namespace zx::convert {

void NameIndex::add(std::string_view name, std::size_t position) {
    if (comparison_ == Comparison::Asame) {
        positions_.try_emplace(asameKey(name), position);
    } else {
        positions_.try_emplace(std::string(significantPart(name)), position);
    }
}

std::optional<std::size_t> NameIndex::find(std::string_view name) const {
    const auto found =
        comparison_ == Comparison::Asame ? positions_.find(asameKey(name)) : positions_.find(significantPart(name));
    if (found == positions_.end()) return std::nullopt;
    return found->second;
}

void XsectionTable::append(inpXsection record) {
    geom1_.add(record.Geom1, count());
    NamedTable::append(std::move(record));
}

}  // namespace zx::convert
