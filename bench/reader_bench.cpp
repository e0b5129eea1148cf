// bench/reader_bench.cpp: the reading half of bench/reader_bench.sh.
//   zx_reader_bench LAYER   opens the layer (.shp or .mif) for input, reads every object with
//                           its coordinates and label and every attribute record, as a caller of
//                           the library does, and prints the number of objects and vertices read.
#include <cstdio>
#include <string>
#include <vector>

#include "common/units.hpp"
#include "gis/layer_table.hpp"
#include "platform/console.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: zx_reader_bench LAYER\n", stderr);
        return 2;
    }
    using namespace zx;
    INITUNITS(1000);
    const int gisID = gisOpenLayer(argv[1], "", "I ", false);
    gisReadHeader(gisID);
    std::vector<double> x(kMaxVertices);
    std::vector<double> y(kMaxVertices);
    GisObject object;
    std::string record;
    long objects = 0;
    long vertices = 0;
    while (!layers().slot(gisID).endOfFile && gisObjectType(gisID, object)) {
        ObjectReadout out{x, y, kMaxVertices};
        for (std::int32_t part = 0; part < object.count; ++part) {
            gisReadObject(gisID, object, out, true);
            vertices += out.nv;
        }
        gisReadRecord(gisID, object, record);
        ++objects;
    }
    std::printf("%ld objects, %ld vertices\n", objects, vertices);
    return 0;
}
