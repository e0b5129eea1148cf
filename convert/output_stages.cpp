// convert/output_stages.cpp: the output stages. Placeholders until the layer writers are built:
// each writes nothing yet.
#include "convert/output_stages.hpp"

namespace zx::convert {

void writeLinkLayer(Network&, const RunSettings&, CheckFlags&) {}
void writeJunctionLayer(const Network&, const RunSettings&) {}
void writeTransectTables(const Network&, const RunSettings&) {}
void writeHeightWidthLayer(const Network&, const RunSettings&) {}
void writeBottomOrificeMatrices(const Network&) {}

}  // namespace zx::convert
