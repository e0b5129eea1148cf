// convert/run_settings.hpp: what the main program settles from the command line before the
// tables are read, and what the output stages name their layers after.
#pragma once
#include <string>

namespace zx::convert {

struct RunSettings {
    std::string inputName;      // the .inp name as given or typed: it may hold a folder part
    std::string inputFileName;  // its file-name part, what layer and table names embed
    bool mifOutput = false;     // MapInfo layers; shapefile sets otherwise
    bool shpOutput = false;     // -shp given; without either switch no projection file is read
};

}  // namespace zx::convert
