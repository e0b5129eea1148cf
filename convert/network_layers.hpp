// convert/network_layers.hpp: the two layers of the 1D network: one polyline per conduit, weir
// and orifice in the link layer, one point per junction in the junction layer, both with the 21
// columns of the 1d_nwk schema. The record builders turn one SWMM record into its attribute line
// (layers().gisAttributeLine) and decide the link's network type code; the conduit and orifice
// builders also fill the cross-section index lists that the later stages read.
//
// Cross-sections, junctions, coordinates and vertices are found by name under ASAME, the first
// record of a name winning.
#pragma once
#include <cstddef>
#include <string_view>

#include "convert/network.hpp"
#include "gis/layer_table.hpp"

namespace zx::convert {

// Opens the layer with the 1d_nwk schema (Inlet_Type 50 characters wide for links, 12 for
// junctions), writes its header and resets the object; the layer's id.
int nwkOpenLinkLayer(std::string_view layerName, GisObject& object);
int nwkOpenNodeLayer(std::string_view layerName, GisObject& object);

// The attribute line of conduit i. Appends the cross-section of an ARCH or RECT_TRIANGULAR
// conduit to its index list. Ends the run when the conduit has no cross-section.
void nwkConduitRecord(Network& network, std::size_t i);
// The attribute line of weir i; a ROADWAY or SIDEFLOW weir sets weirTypeFlag. Ends the run when
// the weir has no cross-section or its Node1 is no junction.
void nwkWeirRecord(const Network& network, std::size_t i, bool& weirTypeFlag);
// The attribute line of orifice i. Appends the cross-section of a BOTTOM orifice to the bottom
// orifice list. Ends the run when the orifice has no cross-section or its Node1 is no junction.
void nwkOrificeRecord(Network& network, std::size_t i);
void nwkJunctionRecord(const inpJunction& junction);

enum class LinkKind { Conduit, Weir, Orifice };
// The link's polyline in the object vertices: the upstream node, the link's [VERTICES] in order,
// the downstream node. A point within 1.0e-6 of the point before it is dropped with a warning
// (from the end of the line backwards; the first point always stays).
void nwkLinkPolyline(const Network& network, LinkKind kind, std::string_view link, const inpCoordinate& upstream,
                     const inpCoordinate& downstream);

}  // namespace zx::convert
