// gis/layer_close.cpp: closing layers. An output layer's files are finished here, in one place:
// the numbers only the last object settles go into the headers, each file is cut where its header
// says it ends, and any write that failed on the way ends the run. Then the units are released
// and the slot is freed.
#include "common/exit.hpp"
#include "common/number_text.hpp"
#include "common/units.hpp"
#include "gis/dbf_writer.hpp"
#include "gis/layer_table.hpp"
#include "gis/shp_writer.hpp"

namespace zx {

void LayerTable::closeLayer(int& gisID) {
    if (gisID < 1 || gisID > gisMaxLayers) {
        reportLine(withContactRequest("SOFTWARE CHECK - Trying to close a GIS Layer that's not open.", "  Please contact "));
        return;
    }
    LayerSlot& layer = slot(gisID);
    reportLine(" Closing GIS Layer " + AINTEGER(gisID) + " [" + layer.fileName + "]...");
    if (layer.output) writeEoF(gisID);
    auto release = [](int& unit) {
        if (unit > 0) CLOSER(unit);
    };
    switch (layer.format) {
        case LayerFormat::Mif:
            release(layer.mif.mifUnit);
            release(layer.mif.midUnit);
            break;
        case LayerFormat::Shapefile:
            for (std::size_t k = 0; k < kShpSets; ++k) {
                ShpFileSet& set = layer.shp[k];
                for (int* unit : {&set.shpUnit, &set.shpUnitBigEndian, &set.shxUnit, &set.shxUnitBigEndian,
                                  &set.prjUnit, &layer.dbf[k].unit}) {
                    release(*unit);
                }
            }
            break;
        case LayerFormat::None:
        case LayerFormat::Csv: stopLine(" Should not be here [gisCloseLayer]");
    }
    layer.open = false;
    layer.endOfFile = true;
    layer.output = false;
    layer.format = LayerFormat::None;
    gisID = 0;
}

void LayerTable::writeEoF(int gisID) {
    if (gisID < 1) stopLine("Should not be here gisWriteEoF[gisID=0]");
    switch (formatOf(gisID)) {
        case LayerFormat::Mif: finishMif(slot(gisID).mif); return;
        case LayerFormat::Shapefile:
            for (std::size_t k = 0; k < kShpSets; ++k) {
                finishDbf(slot(gisID).dbf[k]);
                finishShpSet(slot(gisID).shp[k]);
            }
            return;
        case LayerFormat::None:
        case LayerFormat::Csv: stopLine(" Should not be here [gisWriteHeader]");
    }
}

// A MapInfo layer has no header to finish; a write of its objects or records that failed on the
// way is reported here, before its units are released.
void LayerTable::finishMif(const MifLayerRecord& mif) {
    std::string reason;
    if (platform::File* file = units().file(mif.mifUnit); file != nullptr && !file->flush(reason)) {
        stopWithMessage("ERROR 0439 - Writing .mif file object coordinates.");
    }
    if (platform::File* file = units().file(mif.midUnit); file != nullptr && !file->flush(reason)) {
        stopWithMessage("ERROR 0254 - Failed to write attribute data record for a  object in GIS layer.");
    }
}

void LayerTable::finishDbf(DbfTable& table) {
    if (table.unit < 1) return;
    platform::File* file = units().file(table.unit);
    std::string reason;
    if (file == nullptr || !dbf::finish(*file, table, reason)) stopWithMessage(kFinishFailure);
    CLOSER(table.unit);
}

// A set without records keeps the header it was opened with; both files are cut all the same.
void LayerTable::finishShpSet(ShpFileSet& set) {
    const bool hasRecords = set.recordCount > 0;
    auto finish = [&](int unit, std::int32_t lengthWords) {
        platform::File* file = units().file(unit);
        std::string reason;
        if (file == nullptr || !shp::finish(*file, set, lengthWords, reason)) stopWithMessage(kFinishFailure);
    };
    if (set.shpUnit > 0) {
        finish(set.shpUnit, set.fileLengthWords);
        if (hasRecords) {
            CLOSER(set.shpUnit);
            CLOSER(set.shpUnitBigEndian);
        }
    }
    if (set.shxUnitBigEndian > 0) {
        finish(set.shxUnitBigEndian, shp::indexLengthWords(set));
        if (hasRecords) CLOSER(set.shxUnitBigEndian);
    }
}

bool LayerTable::closeAllLayers() {
    reportLine(" Closing any unclosed GIS layers...");
    bool closedAny = false;
    for (int gisID = 1; gisID <= gisMaxLayers; ++gisID) {
        if (!slot(gisID).open) continue;
        int closing = gisID;
        closeLayer(closing);
        closedAny = true;
    }
    return closedAny;
}

}  // namespace zx
