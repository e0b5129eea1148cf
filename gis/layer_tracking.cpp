// gis/layer_tracking.cpp: the start of the layer library for a host program's run, and the two
// tracking files that list the layers a run opens for reading: a MapInfo workspace and a small
// MapInfo layer with one row per input layer.
#include "common/fortran_format.hpp"
#include "common/paths.hpp"
#include "common/strings.hpp"
#include "common/text_lines.hpp"
#include "common/units.hpp"
#include "gis/layer_table.hpp"
#include "platform/filesystem.hpp"

namespace zx {
namespace {
constexpr int kTrackingPrompt = 80;
}  // namespace

void LayerTable::initialise(int logUnit, std::string_view simulationName, std::string_view workspaceName,
                            std::string_view listName) {
    gisAttributeLine.clear();
    gisAttributeLineLarge.clear();
    gisLogUnit = logUnit;
    for (auto& line : gisMessageLines) line.clear();
    // Every slot is freed and reset, without closing what a slot still had open.
    for (int gisID = 1; gisID <= gisMaxLayers; ++gisID) slot(gisID) = LayerSlot{};
    settings = GisSettings{};
    settings.gisTableExtension = ".tab";

    auto& tracking = gisInputLayerTracking;
    const std::string_view workspace = significantPart(workspaceName);
    if (workspace.empty()) {
        tracking.workspaceUnit = -1;
    } else {
        OPENFREEUNIT(tracking.workspaceUnit, "O ", std::string(workspace) + ".wor", kTrackingPrompt);
        for (const std::string_view line : {"!Workspace", "!Version 600", "!Charset WindowsLatin1"}) {
            writeUnitRecord(tracking.workspaceUnit, line);
        }
        writeUnitRecord(tracking.workspaceUnit, "!Contains GIS input layers from ORVALE simulation " +
                                                    std::string(significantPart(simulationName)));
    }
    const std::string_view list = significantPart(listName);
    if (list.empty()) {
        tracking.listMifUnit = -1;
        tracking.listMidUnit = -1;
    } else {
        OPENFREEUNIT(tracking.listMifUnit, "O ", std::string(list) + "_input_layers.mif", kTrackingPrompt);
        OPENFREEUNIT(tracking.listMidUnit, "O ", std::string(list) + "_input_layers.mid", kTrackingPrompt);
        for (const std::string_view line : {"Version 300", "Charset \"WindowsLatin1\"", "Delimiter \",\"", "Columns 3",
                                            "  ID Integer", "  Open_ID Integer", "  Layer Char(254)", "Data", ""}) {
            writeUnitRecord(tracking.listMifUnit, line);
        }
    }
    tracking.count = 0;
    tracking.paths.clear();
}

void LayerTable::closeTracking() {
    auto& tracking = gisInputLayerTracking;
    if (tracking.workspaceUnit > 0) CLOSER(tracking.workspaceUnit);
    if (tracking.listMifUnit < 1) return;
    CLOSER(tracking.listMifUnit);
    CLOSER(tracking.listMidUnit);
}

void LayerTable::trackInputLayer(int gisID, std::string_view name) {
    auto& tracking = gisInputLayerTracking;
    const auto absolute = platform::absolutePath(name);
    const std::string path = FILENAMEPATH(absolute ? *absolute : name);
    const std::string extension = FILEEXT(name);
    LayerSlot& layer = slot(gisID);
    for (std::size_t i = 0; i < tracking.paths.size(); ++i) {
        if (ASAME(tracking.paths[i], path)) {
            layer.trackingIndex = static_cast<int>(i) + 1;
            return;
        }
    }
    ++tracking.count;
    if (tracking.count < InputLayerTracking::kMaxTracked) {
        tracking.paths.push_back(path);
        if (tracking.workspaceUnit > 0) {
            std::string line;
            if (extension.starts_with(".mi") && platform::pathExists(path + ".tab")) {
                line = "Open Table \"" + path + ".tab\"";
            } else if (extension.starts_with(".mi")) {
                line = "! .mif/.mid Layer with no .tab Layer \"" + path + extension + "\"";
            } else {
                line = "! Non-MapInfo .tab Layer \"" + path + extension + "\"";
            }
            writeUnitRecord(tracking.workspaceUnit, line);
        }
    } else {
        gisMessageLines[0] =
            "WARNING 0317 - Exceeded limit of input GIS layers that can be tracked (layer referencing may not be "
            "complete).";
        writeMessage(0);
        tracking.count = InputLayerTracking::kMaxTracked;
    }
    layer.trackingIndex = tracking.count;
    if (tracking.listMifUnit > 0) {
        writeUnitRecord(tracking.listMifUnit, "none");
        writeUnitRecord(tracking.listMidUnit, fmt::integer(tracking.count, 5) + "," + fmt::integer(gisID, 5) + ", \"" +
                                                  path + extension + "\"");
    }
}

}  // namespace zx
