// common/messages.cpp: the exported message block and the routines that issue its message on the
// console, in the log and in the optional message layers.
#include "common/messages.hpp"

#include <algorithm>
#include <cstring>

#include "common/fortran_abi.hpp"
#include "common/fortran_format.hpp"
#include "common/list_input.hpp"
#include "common/strings.hpp"
#include "common/units.hpp"
#include "platform/console.hpp"

namespace zx {
namespace {

constexpr double kNoLocation = -99999.0;

constexpr DMessageBlock clearedBlock() {
    DMessageBlock block{};
    block.X = kNoLocation;
    block.Y = kNoLocation;
    for (std::size_t i = 0; i < kMessageLineLength; ++i) {
        block.line1[i] = block.line2[i] = block.line3[i] = block.line4[i] = ' ';
        block.attr1[i] = block.attr2[i] = block.attr3[i] = ' ';
    }
    for (char& c : block.prefix) c = ' ';
    return block;
}

struct Classification {
    MessageKind kind;
    std::size_t wordLength;  // the number is read from the six columns after the word
};

Classification classify(std::string_view line1) {
    constexpr std::pair<std::string_view, MessageKind> kWords[] = {
        {"ERROR", MessageKind::Error},
        {"WARNING", MessageKind::Warning},
        {"CHECK", MessageKind::Check},
        {"UNSTABLE", MessageKind::Unstable},
    };
    for (const auto& [word, kind] : kWords) {
        if (line1.substr(0, word.size()) == word) return {kind, word.size()};
    }
    return {MessageKind::Unclassified, 0};
}

int messageNumber(const char* line1, std::size_t wordLength) {
    std::int32_t number = 0;
    listin::readList(std::string_view(line1 + wordLength, 6), {&number});
    return number;
}

// The fourth line is made from the attribute texts: "a1; a2; a3", each only when given.
void rebuildLine4(DMessageBlock& block) {
    std::string line4(fieldText(block.attr1));
    for (std::string_view attr : {fieldText(block.attr2), fieldText(block.attr3)}) {
        if (attr.empty()) continue;
        line4 += "; ";
        line4 += attr;
    }
    setField(block.line4, line4);
}

// The console and log rendering of the message: line 1 with its prefix, then the other lines.
std::vector<std::string> renderedLines(const DMessageBlock& block) {
    std::string first;
    if (!fieldText(block.prefix).empty()) {
        first = std::string(fieldText(block.prefix)) + " ";
    }
    first += fieldText(block.line1);
    std::vector<std::string> lines{first};
    for (std::string_view line : {fieldText(block.line2), fieldText(block.line3), fieldText(block.line4)}) {
        if (!line.empty()) lines.emplace_back(line);
    }
    if (abi::isTrue(block.oneLine)) {
        std::string joined = lines[0];
        for (std::size_t i = 1; i < lines.size(); ++i) joined += "  " + lines[i];
        return {joined};
    }
    return lines;
}

std::string quoted(std::string_view text) { return ", \"" + DOUBLEQUOTE(text) + "\""; }

void writeMessageRecord(const DMessageBlock& block) {
    std::string record = fmt::integerMin(block.number, 5, 4) + "," + fmt::integer(block.kind, 2) + "," +
                         fmt::fixed(block.X, 16, 3) + "," + fmt::fixed(block.Y, 16, 3);
    const std::string lines = std::string(fieldText(block.line1)) + "  " + std::string(fieldText(block.line2)) +
                              "  " + std::string(fieldText(block.line3));
    record += quoted(lines);
    record += quoted(fieldText(block.attr1));
    record += quoted(fieldText(block.attr2));
    record += quoted(fieldText(block.attr3));
    writeUnitRecord(block.msgMidUnit, record);
}

}  // namespace
}  // namespace zx

// The exported block itself: constant-initialised, so it is cleared before any code runs.
extern "C" {
__attribute__((visibility("default"))) constinit zx::DMessageBlock DMESSAGES = zx::clearedBlock();
}

namespace zx {

DMessageBlock& messageBlock() { return DMESSAGES; }

void setField(char* field, std::size_t length, std::string_view value) { abi::fill(field, length, value); }

void DMESSAGECLEAR() {
    DMessageBlock& block = messageBlock();
    for (char* line : {block.line1, block.line2, block.line3, block.line4, block.attr1, block.attr2, block.attr3}) {
        std::memset(line, ' ', kMessageLineLength);
    }
    std::memset(block.prefix, ' ', sizeof block.prefix);
    block.X = kNoLocation;
    block.Y = kNoLocation;
    block.oneLine = abi::kFalse;
}

void DMESSAGERESETCOUNTERS() {
    DMessageBlock& block = messageBlock();
    block.nError = block.nWarning = block.nCheck = 0;
    block.nErrorXY = block.nWarningXY = block.nCheckXY = 0;
}

void resetMessageBlock() {
    // What clearedBlock() gives, without evaluating it again: all zero, then cleared.
    messageBlock() = DMessageBlock{};
    DMESSAGECLEAR();
}

void DMESSAGE(int blankLines) {
    DMessageBlock& block = messageBlock();
    const Classification c = classify(fieldText(block.line1));
    block.number = 0;
    block.kind = static_cast<std::int32_t>(c.kind);
    switch (c.kind) {
        case MessageKind::Error: ++block.nError; break;
        case MessageKind::Warning: ++block.nWarning; break;
        case MessageKind::Check: ++block.nCheck; break;
        case MessageKind::Unstable:
        case MessageKind::Unclassified: break;
    }
    if (c.kind != MessageKind::Unclassified) block.number = messageNumber(block.line1, c.wordLength);

    if (block.msgMidUnit > 0 && c.kind != MessageKind::Unclassified) writeMessageRecord(block);
    rebuildLine4(block);

    const auto lines = renderedLines(block);
    if (blankLines >= 0) {
        auto& console = platform::console();
        for (int i = 0; i < blankLines; ++i) console.writeLine();
        for (const auto& line : lines) console.writeLine(line);
    }
    if (blankLines >= -1 && block.logUnit > 0) {
        for (int i = 0; i < blankLines; ++i) writeUnitRecord(block.logUnit, "");
        for (const auto& line : lines) writeUnitRecord(block.logUnit, line);
    }
    DMESSAGECLEAR();
}

void DMESSAGEXY(int blankLines, double x, double y) {
    DMessageBlock& block = messageBlock();
    setField(block.prefix, "XY: ");
    struct Layer {
        std::string_view word;
        std::int32_t DMessageBlock::*counter;
        bool checkLayer;
        std::string_view font;
    };
    static constexpr Layer kLayers[] = {
        {"ERROR", &DMessageBlock::nErrorXY, false, "Font (\"Arial\",257,0,16711935,0)"},
        {"WARNING", &DMessageBlock::nWarningXY, false, "Font (\"Arial\",257,0,16776960,0)"},
        {"UNSTABLE", nullptr, false, "Font (\"Arial\",257,0,16711935,0)"},
        {"CHECK", &DMessageBlock::nCheckXY, true, "Font (\"Arial\",257,0,255,16777215)"},
    };
    Layer chosen{"", nullptr, true, "Font (\"Arial\",257,0,53248,16777215)"};
    const std::string_view line1 = fieldText(block.line1);
    for (const Layer& layer : kLayers) {
        if (line1.substr(0, layer.word.size()) == layer.word) {
            chosen = layer;
            break;
        }
    }
    if (chosen.counter != nullptr) ++(block.*chosen.counter);
    const int mifUnit = chosen.checkLayer ? block.checkMifUnit : block.xyMifUnit;
    const int midUnit = chosen.checkLayer ? block.checkMidUnit : block.xyMidUnit;

    rebuildLine4(block);
    const std::string_view separator = abi::isTrue(block.oneLine) ? "  " : "\\n";
    std::string label = "\"" + DOUBLEQUOTE(line1);
    std::string record = "\"";
    if (!line1.empty()) record += DOUBLEQUOTE(line1) + "  ";
    int textLines = 1;
    for (std::string_view line : {fieldText(block.line2), fieldText(block.line3), fieldText(block.line4)}) {
        if (line.empty()) continue;
        ++textLines;
        label += std::string(separator) + DOUBLEQUOTE(line);
        record += DOUBLEQUOTE(line) + "  ";
    }
    label += "\"";
    record += "\"";

    // Units that are not open are skipped: a located message never goes to a file of its own.
    if (units().find(mifUnit) != nullptr) {
        const double h = block.labelHeight;
        const double w = block.labelWidth;
        const double halfHeight = textLines * h / 2;
        writeUnitRecord(mifUnit, "Text");
        writeUnitRecord(mifUnit, label);
        writeUnitRecord(mifUnit, "    " + fmt::fixed(x + h, 16, 3) + fmt::fixed(y - halfHeight, 16, 3) +
                                     fmt::fixed(x + h + w, 16, 3) + fmt::fixed(y + halfHeight, 16, 3));
        writeUnitRecord(mifUnit, "    " + std::string(chosen.font));
        writeUnitRecord(mifUnit, "    Label Line Arrow " + fmt::fixed(x, 16, 3) + fmt::fixed(y, 16, 3));
    }
    if (units().find(midUnit) != nullptr) writeUnitRecord(midUnit, record);

    block.X = x;
    block.Y = y;
    DMESSAGE(blankLines);
}

void DLINE(int unit) {
    const std::string rule(80, '_');
    platform::console().writeLine(rule);
    if (unit > 0) writeUnitRecord(unit, rule);
}

void issueMessage(int blankLines, std::string_view line1, std::string_view line2) {
    DMessageBlock& block = messageBlock();
    setField(block.line1, line1);
    setField(block.line2, line2);
    DMESSAGE(blankLines);
}

}  // namespace zx
