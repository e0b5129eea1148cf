// convert/network_layers.hpp: the two layers of the 1D network: one polyline per conduit, weir
// and orifice in the link layer, one point per junction in the junction layer, both with the 21
// columns of the 1d_nwk schema. The record builders turn one SWMM record into its attribute line
// and decide the link's network type code; the layer stage writes what they return and files the
// cross-sections that the later stages need into the index lists.
//
// Cross-sections, junctions, coordinates and vertices are found by name under ASAME, the first
// record of a name winning.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "convert/network.hpp"
#include "convert/stage_support.hpp"
#include "gis/layer_table.hpp"

namespace zx::convert {

// Opens the layer with the 1d_nwk schema (Inlet_Type as wide as given for links, 12 characters
// for junctions), writes its header and resets the object; the layer's id.
int nwkOpenLinkLayer(std::string_view layerName, int inletTypeWidth, GisObject& object);
int nwkOpenNodeLayer(std::string_view layerName, GisObject& object);

// What a link's record builder returns: its attribute line, the position of the cross-section
// record it was built from, and whether the link is only an approximation of the SWMM one (a
// ROADWAY or SIDEFLOW weir).
struct LinkRecord {
    std::string attributeLine;
    std::size_t xsection = 0;
    bool approximated = false;
};

// The record of conduit i. Ends the run when the conduit has no cross-section.
LinkRecord nwkConduitRecord(const Network& network, std::size_t i);
// The record of weir i. Ends the run when the weir has no cross-section or its Node1 is no
// junction.
LinkRecord nwkWeirRecord(const Network& network, std::size_t i);
// The record of orifice i; a BOTTOM orifice's Inlet_Type is the reference to its matrix files.
// Ends the run when the orifice has no cross-section or its Node1 is no junction.
LinkRecord nwkOrificeRecord(const Network& network, std::size_t i, std::string_view matrixReference);
std::string nwkJunctionRecord(const inpJunction& junction);

// A BOTTOM orifice: its flow and area matrices are written by the last stage.
bool isBottomOrifice(const inpOrifice& orifice);

enum class LinkKind { Conduit, Weir, Orifice };
// The link's polyline: the upstream node, the link's [VERTICES] in order, the downstream node. A
// point within 1.0e-6 of the point before it is dropped with a warning (from the end of the line
// backwards; the first point always stays).
std::vector<Point> nwkLinkPolyline(const Network& network, LinkKind kind, std::string_view link, Point upstream,
                                   Point downstream);

}  // namespace zx::convert
