// common/units.cpp: the file-unit table, its opener with the console dialogue around a failed
// open, the closer, the reserved slots and the save-date check.
#include "common/units.hpp"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "common/exit.hpp"
#include "common/fortran_format.hpp"
#include "common/paths.hpp"
#include "common/strings.hpp"
#include "common/text_lines.hpp"
#include "platform/console.hpp"
#include "platform/filesystem.hpp"
#include "platform/message_box.hpp"
#include "platform/process.hpp"

namespace zx {
namespace {

using platform::OpenIntent;

struct ModeSettings {
    std::string_view mode;
    OpenIntent intent;
    ByteOrder order;
    bool input;
};

// Every open mode the opener knows, with the access it gives. "IO" opens silently (below).
constexpr ModeSettings kModes[] = {
    {"I ", OpenIntent::Read, ByteOrder::Little, true},
    {"UI", OpenIntent::Read, ByteOrder::Little, true},
    {"BI", OpenIntent::Read, ByteOrder::Little, true},
    {"BE", OpenIntent::Read, ByteOrder::Big, true},
    {"O ", OpenIntent::Replace, ByteOrder::Little, false},
    {"F ", OpenIntent::Replace, ByteOrder::Little, false},
    {"UO", OpenIntent::Replace, ByteOrder::Little, false},
    {"BO", OpenIntent::Replace, ByteOrder::Little, false},
    {"BN", OpenIntent::Replace, ByteOrder::Big, false},
    {"A ", OpenIntent::Append, ByteOrder::Little, false},
    {"S ", OpenIntent::KeepOrCreate, ByteOrder::Little, false},
    {"AB", OpenIntent::Append, ByteOrder::Little, false},
    {"SB", OpenIntent::KeepOrCreate, ByteOrder::Little, false},
    {"SE", OpenIntent::KeepOrCreate, ByteOrder::Big, false},
};
constexpr ModeSettings kSilentMode{"IO", OpenIntent::KeepOrCreate, ByteOrder::Little, false};

// The two characters of a mode, blank-padded ("I" and "I " are the same mode).
std::string modeOf(std::string_view mode) {
    std::string m(mode.substr(0, 2));
    m.resize(2, ' ');
    return m;
}

const ModeSettings* findMode(std::string_view mode) {
    for (const auto& m : kModes) {
        if (m.mode == mode) return &m;
    }
    return nullptr;
}

bool isInputMode(std::string_view mode) {
    const auto* m = findMode(mode);
    return m != nullptr && m->input;
}

std::string unitField(int unit) { return fmt::integer(unit, 4); }

int fileTypeCodeOf(std::string_view extension, int current) {
    if (extension == ".mif") return 101;
    if (extension == ".mid") return 102;
    if (extension == ".12da") return 111;
    return current;
}

// A question of the opener that standard input can no longer answer ends the run here, rather
// than asking again forever.
[[noreturn]] void noAnswer(std::string_view what, std::string_view name) {
    auto& console = platform::console();
    console.writeLine();
    console.writeLine("ERROR - End of input reached " + std::string(what) + ": " + std::string(name));
    EXITS();
}

}  // namespace

UnitTable& units() {
    static UnitTable table;
    return table;
}

void UnitTable::init(int base) {
    settings_.simulationName.clear();
    settings_.simulationTitle.clear();
    settings_.windowedMode = false;
    base_ = std::max(base, 9);
    for (int i = 0; i < kReservedSlots; ++i) {
        auto& slot = reserved_[static_cast<std::size_t>(i)];
        slot.mode = "  ";
        slot.unit = base_ - 8 + i + 1;
        slot.inUse = false;
        slot.nameLength = 0;
    }
    for (int i = 0; i < kTableSlots; ++i) {
        auto& slot = table_[static_cast<std::size_t>(i)];
        slot.unit = base_ + i + 1;
        slot.inUse = false;
        slot.fileTypeCode = 0;
    }
    settings_.inputDriveLetter = ' ';
    settings_.outputDriveLetter = ' ';
    settings_.createMissingFolders = false;
    settings_.pauseOnExit = true;
    settings_.keepUnitsOnExit = false;
    settings_.logUnit = 0;
}

const OpenUnit* UnitTable::find(int unit) const {
    const auto it = open_.find(unit);
    return it == open_.end() ? nullptr : &it->second;
}

platform::File* UnitTable::file(int unit) const {
    const auto* open = find(unit);
    return open == nullptr ? nullptr : open->file.get();
}

int UnitTable::findUnitOfFile(std::string_view name) const {
    const auto identity = platform::fileIdentity(name);
    if (!identity) return 0;
    int found = 0;
    for (const auto& [unit, open] : open_) {
        if (open.file->identity() == *identity && (found == 0 || unit < found)) found = unit;
    }
    return found;
}

void UnitTable::logLine(int logUnit, std::string_view text, bool endLine) {
    if (logUnit <= 0) return;
    if (endLine) {
        writeUnitRecord(logUnit, text);
    } else {
        writeUnitText(logUnit, text);
    }
}

void UnitTable::openFree(int& unit, std::string_view mode, std::string_view name) {
    lastOpenedName_ = TRIMF(name);
    if (lastOpenedName_.empty()) {
        const std::string text =
            withContactRequest(" Empty filename specified.  Bailing out.", "  Please contact ", "");
        if (settings_.windowedMode) {
            platform::messageBox(text, significantPart(settings_.simulationName), platform::MessageButtons::Ok);
        } else {
            platform::console().writeLine(text);
            platform::console().pause("Press Enter to Close");
        }
        // Not EXITS: this stop has its own pause (no empty line before it, or its message box),
        // which EXITS would repeat. The checked close of every open unit is the same.
        closeEverythingOnExit();
        platform::endProcess();
    }
    auto slot = std::find_if(table_.begin(), table_.end(), [](const TableSlot& s) { return !s.inUse; });
    if (slot == table_.end()) platform::stopProcess("No free file numbers.");
    unit = slot->unit;
    openFile(unit, lastOpenedName_, mode, "  ", settings_.logUnit);
    lastOpenedExtension_ = FILEEXT(lastOpenedName_);
    slot->fileTypeCode = fileTypeCodeOf(lastOpenedExtension_, slot->fileTypeCode);
    slot->inUse = unit != 0;
}

void UnitTable::openFree2(int& unit, std::string_view mode, std::string_view prefix, std::string_view suffix) {
    const auto& first = reserved_[0];
    const std::string stored = first.name.substr(0, static_cast<std::size_t>(first.nameLength));
    const std::string base = (stored.size() >= 2 && stored[1] == '_') ? stored.substr(2) : stored;
    std::string name;
    for (char c : prefix.substr(0, 2)) {
        if (c != ' ') name.push_back(c);
    }
    name += base;
    for (char c : suffix.substr(0, 4)) {
        if (c != ' ') name.push_back(c);
    }
    openFree(unit, mode, name);
}

UnitTable::OpenResult UnitTable::openOutput(int unit, const std::string& name, std::string_view mode,
                                            std::string& reason) {
    const ModeSettings* settings = mode == kSilentMode.mode ? &kSilentMode : findMode(mode);
    if (settings == nullptr || settings->input) return OpenResult::Unrecognised;
    if (const auto previous = open_.find(unit); previous != open_.end()) closeUnitDirectly(unit, false);

    // A file this process already writes through another unit is shared, not opened again, so
    // that both units write the one file in the order of the writes.
    if (const int other = findUnitOfFile(name); other != 0) {
        const OpenUnit& existing = open_.at(other);
        if (!existing.input) {
            open_[unit] = OpenUnit{existing.file, std::string(mode), settings->order, false};
            return OpenResult::Opened;
        }
    }
    const bool existedBefore = platform::pathExists(name);
    auto file = platform::File::open(name, settings->intent, reason);
    if (!file) {
        return (mode == "A " && existedBefore) ? OpenResult::AppendFailed : OpenResult::Failed;
    }
    open_[unit] = OpenUnit{std::move(file), std::string(mode), settings->order, false};
    return OpenResult::Opened;
}

// Asks until a name can be tried: from a name given, a typed one, or the same one again. The
// already-open question and a missing input come back to asking; an output is retried in place.
void UnitTable::openFile(int& unit, std::string& name, std::string_view modeArgument, std::string_view kind,
                         int logUnit) {
    const std::string mode = modeOf(modeArgument);
    const bool input = isInputMode(mode);
    for (;;) {
        if (significantPart(name).empty()) {
            askForName(name, kind);
            continue;
        }
        announceTry(name, input, logUnit);
        if (input) {
            if (openInputFile(unit, name, mode, logUnit)) return;
            askForName(name, kind);
            continue;
        }
        const int openOn = findUnitOfFile(name);
        const bool keeping = mode[0] == 'A' || mode[0] == 'S';
        if (openOn != 0 && !keeping) {
            if (!askToCloseOpenFile(name)) {
                askForName(name, kind);
                continue;
            }
            closeUnitDirectly(openOn, false);
        }
        openOutputFile(unit, name, mode, logUnit);
        return;
    }
}

void UnitTable::announceTry(std::string& name, bool input, int logUnit) {
    CLEANPATH(name);
    const char drive = input ? settings_.inputDriveLetter : settings_.outputDriveLetter;
    if (drive != ' ' && name.size() >= 2 && name[1] == ':') name[0] = drive;
    const std::string trying = " Trying to open file " + name + "...";
    platform::console().write(trying);
    logLine(logUnit, trying, false);
}

void UnitTable::askForName(std::string& name, std::string_view kind) {
    auto& console = platform::console();
    const std::string_view kindText = significantPart(kind);
    if (settings_.windowedMode) {
        if (platform::messageBox(std::string(kindText) + " FILE and/or path\rdoes not exist.",
                                 significantPart(settings_.simulationName),
                                 platform::MessageButtons::RetryCancel) == platform::MessageAnswer::Cancel) {
            platform::endProcess();
        }
        return;
    }
    if (!kindText.empty()) {
        console.write("What is the " + std::string(kindText) + " file name? ");
    } else {
        console.write(" Check file exists and press enter or enter another file name: ");
    }
    auto answer = console.readLine();
    if (!answer) noAnswer("while asking for a file name instead of", name);
    answer->resize(std::min<std::size_t>(answer->size(), 80));
    if (significantPart(*answer).empty()) {
        console.writeLine(" No file name entered.  Trying file again...");
    } else {
        name = TRIMF(*answer);
    }
}

bool UnitTable::askToCloseOpenFile(const std::string& name) {
    if (settings_.windowedMode) {
        const auto answer = platform::messageBox(name + "\ris already open.  Close it?",
                                                 significantPart(settings_.simulationName),
                                                 platform::MessageButtons::YesNo);
        if (answer != platform::MessageAnswer::Yes) EXITS();
        return true;
    }
    auto& console = platform::console();
    console.writeLine();
    WRITENOADV(name, static_cast<int>(name.size()));
    console.write(" is already open, close it? ");
    const auto answer = console.readLine();
    if (!answer) noAnswer("at the question whether to close an open file", name);
    return !answer->empty() && ((*answer)[0] == 'Y' || (*answer)[0] == 'y');
}

bool UnitTable::openInputFile(int unit, const std::string& name, const std::string& mode, int logUnit) {
    auto& console = platform::console();
    if (!platform::pathExists(name)) {
        const std::string text = " CHECK 0008 - \"" + name + "\" cannot be found";
        console.writeLine(text);
        logLine(logUnit, text, true);
        return false;
    }
    if (open_.count(unit) != 0) closeUnitDirectly(unit, false);
    std::string reason;
    auto file = platform::File::open(name, platform::OpenIntent::Read, reason);
    if (!file) {
        // The file is there but cannot be read (a folder, no permission).
        console.writeLine("Can't Open");
        console.writeLine("ERROR - Unable to open file " + name + ": " + reason);
        logLine(logUnit, "ERROR - Unable to open file " + name + ": " + reason, true);
        EXITS();
    }
    open_[unit] = OpenUnit{std::move(file), mode, findMode(mode)->order, true};
    const std::string ok = "OK. Opened File Unit:" + unitField(unit);
    console.writeLine(ok);
    logLine(logUnit, ok, true);
    if (settings_.copyInputsMode) copyInputToMirror(name);
    return true;
}

void UnitTable::openOutputFile(int& unit, std::string& name, const std::string& mode, int logUnit) {
    auto& console = platform::console();
    if (mode == kSilentMode.mode) {
        std::string reason;
        if (openOutput(unit, name, mode, reason) != OpenResult::Opened) unit = 0;
        return;
    }
    if (findMode(mode) == nullptr) {
        const std::string text =
            "  Unrecognised file type " + mode + " file " + name.substr(0, std::min<std::size_t>(80, name.size()));
        console.writeLine(text);
        logLine(logUnit, text, true);
        unit = 0;
        return;
    }
    if (settings_.copyInputsMode) name = mirrorOutputName(name);
    for (;;) {
        std::string reason;
        const OpenResult result = openOutput(unit, name, mode, reason);
        if (result == OpenResult::Opened) {
            const std::string ok = "OK.  File Unit:" + unitField(unit);
            console.writeLine(ok);
            logLine(logUnit, ok, true);
            return;
        }
        if (result == OpenResult::AppendFailed) {
            console.writeLine("FAILED.  No File Unit allocated.");
            logLine(logUnit, "FAILED.  No File Unit allocated.", true);
            unit = 0;
            return;
        }
        console.writeLine("Can't Open");
        logLine(logUnit, "Can't Open", true);
        askAfterFailedOutput(name);
    }
}

void UnitTable::askAfterFailedOutput(const std::string& name) {
    if (!settings_.windowedMode) {
        auto& console = platform::console();
        console.writeLine();
        console.writeLine(" Can't open: " + name);
        console.writeLine();
        console.writeLine(" Another application or user maybe using it,");
        console.writeLine("    or the file's folder does not exist.");
        console.writeLine(" If so, close the file or create file path.");
        console.writeLine();
        if (!console.pause("Press Enter to Continue")) noAnswer("while waiting to retry opening", name);
        return;
    }
    using platform::MessageAnswer;
    using platform::MessageButtons;
    const auto caption = significantPart(settings_.simulationName);
    if (platform::pathExists(name)) {
        if (platform::messageBox(name + "\r\rAbove file is locked by another application.\r"
                                        "Close the file in the other application and press Retry.",
                                 caption, MessageButtons::RetryCancel) == MessageAnswer::Cancel) {
            platform::endProcess();
        }
        return;
    }
    const std::string folder = FILEFOLDERPATH(name);
    bool makeIt = settings_.createMissingFolders;
    while (!makeIt) {
        const auto answer = platform::messageBox(folder + "\r\rAbove folder does not exist!  Create?\r\r"
                                                          "Either create the folder yourself and press No,\r"
                                                          "or press Yes to have the folder created for you.",
                                                 caption, MessageButtons::YesNoCancel);
        if (answer == MessageAnswer::Cancel) platform::endProcess();
        if (answer == MessageAnswer::No) return;
        makeIt = platform::messageBox("Create folder below?\r" + folder, caption, MessageButtons::YesNo) ==
                 MessageAnswer::Yes;
    }
    while (platform::makeFolder(folder) == -1) {
        if (platform::messageBox("Could not create folder:\r" + folder +
                                     "\rCheck permissions and/or sufficient disk space.",
                                 caption, MessageButtons::RetryCancel) == MessageAnswer::Cancel) {
            platform::endProcess();
        }
    }
}

void UnitTable::closeUnitDirectly(int unit, bool report) {
    const auto it = open_.find(unit);
    if (it == open_.end()) return;
    std::shared_ptr<platform::File> file = std::move(it->second.file);
    open_.erase(it);
    std::string reason;
    // The file object closes with its last unit; a unit sharing it only hands its writes on.
    const bool ok = file.use_count() > 1 ? file->flush(reason) : file->close(reason);
    if (!ok) {
        if (!report) platform::stopProcess("  Unable to close file.");
        platform::markRunFailed();
        platform::console().writeLine();
        platform::console().writeLine("ERROR - Unable to write file " + file->name() + ": " + reason);
        EXITS();
    }
}

void UnitTable::close(int& unit) {
    const int number = unit;
    bool* inUse = nullptr;
    for (auto& slot : reserved_) {
        if (slot.unit == number) {
            inUse = &slot.inUse;
            break;
        }
    }
    if (inUse == nullptr) {
        for (auto& slot : table_) {
            if (slot.unit == number) {
                inUse = &slot.inUse;
                break;
            }
        }
    }
    if (inUse == nullptr || !*inUse) return;
    closeUnitDirectly(number, true);
    const std::string text = "...Closed File Unit:" + unitField(number);
    platform::console().writeLine(text);
    logLine(settings_.logUnit, text, true);
    unit = 0;
    *inUse = false;
}

void UnitTable::closeAll() {
    platform::console().writeLine(" Closing all file units...");
    logLine(settings_.logUnit, " Closing all file units...", true);
    settings_.logUnit = 0;
    for (const auto& slot : reserved_) {
        if (slot.inUse) closeUnitDirectly(slot.unit, true);
    }
    for (const auto& slot : table_) {
        if (slot.inUse) closeUnitDirectly(slot.unit, true);
    }
}

void UnitTable::closeEverythingOnExit() {
    // Units closed in table order, unless they are to stay open; then whatever is still open is
    // written out as the process ends. A failure is reported and fails the run, and the closing
    // goes on: this is already the end.
    std::vector<int> order;
    if (!settings_.keepUnitsOnExit) {
        for (const auto& slot : reserved_) {
            if (slot.inUse) order.push_back(slot.unit);
        }
        for (const auto& slot : table_) {
            if (slot.inUse) order.push_back(slot.unit);
        }
    }
    for (const auto& [unit, open] : open_) order.push_back(unit);
    for (int unit : order) {
        const auto it = open_.find(unit);
        if (it == open_.end()) continue;
        std::shared_ptr<platform::File> file = std::move(it->second.file);
        open_.erase(it);
        std::string reason;
        if (file.use_count() == 1 && !file->close(reason)) {
            platform::console().writeLine();
            platform::console().writeLine("ERROR - Unable to write file " + file->name() + ": " + reason);
            platform::markRunFailed();
        }
    }
}

int UnitTable::fileType(int unit) const {
    for (const auto& slot : table_) {
        if (slot.unit == unit) return slot.fileTypeCode;
    }
    return 0;
}

void UnitTable::opener(int slotNumber, int& unit, std::string_view mode, std::string_view kind, int ask) {
    if (slotNumber < 1 || slotNumber > kReservedSlots) platform::stopProcess("Incorrect file number - OPENER");
    auto& slot = reserved_[static_cast<std::size_t>(slotNumber - 1)];
    if (slot.inUse) platform::stopProcess("File already opened - OPENER");
    if (ask < 1 && slot.nameLength <= 0) EXITS();
    unit = slot.unit;
    slot.mode = modeOf(mode);
    openFile(unit, slot.name, mode, kind, settings_.logUnit);
    slot.inUse = true;
}

void UnitTable::opener2(int slotNumber, int& unit, std::string_view name, std::string_view mode,
                        std::string_view kind, int ask) {
    if (slotNumber < 1 || slotNumber > kReservedSlots) platform::stopProcess("Incorrect file number - OPENER");
    auto& slot = reserved_[static_cast<std::size_t>(slotNumber - 1)];
    slot.name = TRIMF(name);
    slot.nameLength = static_cast<int>(slot.name.size());
    opener(slotNumber, unit, mode, kind, ask);
}

void UnitTable::opener3(int slotNumber, int& unit, std::string_view mode, std::string_view kind, int ask,
                        std::string_view prefix) {
    if (slotNumber < 1 || slotNumber > kReservedSlots) platform::stopProcess("Incorrect file number - OPENER");
    auto& slot = reserved_[static_cast<std::size_t>(slotNumber - 1)];
    if (slot.nameLength == 0) {
        const auto& first = reserved_[0];
        const std::string stored = first.name.substr(0, static_cast<std::size_t>(first.nameLength));
        const bool underscore = stored.size() >= 2 && stored[1] == '_';
        std::string name = modeOf(prefix) + (underscore ? stored.substr(2) : stored);
        name.resize(std::min<std::size_t>(name.size(), 80));
        slot.name = name;
        slot.nameLength = std::min(first.nameLength + (underscore ? 0 : 2), 80);
    }
    opener(slotNumber, unit, mode, kind, ask);
}

void UnitTable::openerAsk() {
    struct Open {
        int slot;
        std::string_view mode;
        std::string_view kind;
    };
    for (const Open& o : {Open{1, "I ", "input"}, Open{2, "F ", "output"}}) {
        auto& slot = reserved_[static_cast<std::size_t>(o.slot - 1)];
        if (slot.inUse) platform::stopProcess("File already opened - OPENER");
        slot.mode = std::string(o.mode);
        int unit = slot.unit;
        openFile(unit, slot.name, o.mode, o.kind, settings_.logUnit);
        slot.inUse = true;
    }
}

bool UnitTable::named(int slot) const {
    if (slot < 1 || slot > kReservedSlots) platform::stopProcess("Invalid file number - NAMED");
    return reserved_[static_cast<std::size_t>(slot - 1)].nameLength >= 1;
}

std::string UnitTable::getName(int slot) const {
    if (slot < 1 || slot > kReservedSlots) platform::stopProcess("Invalid file number - GETNAM");
    const std::string& name = reserved_[static_cast<std::size_t>(slot - 1)].name;
    return std::string(significantPart(name.substr(0, std::min<std::size_t>(80, name.size()))));
}

void UnitTable::clearSlotName(int slot) {
    if (slot < 1 || slot > kReservedSlots) return;
    reserved_[static_cast<std::size_t>(slot - 1)].nameLength = 0;
    reserved_[static_cast<std::size_t>(slot - 1)].name.clear();
}

bool UnitTable::checkSaveDate(std::string_view first, std::string_view second, int& firstUnit, int& secondUnit,
                              bool isError, int logUnit) {
    auto& console = platform::console();
    const std::string firstName(significantPart(first));
    const std::string secondName(significantPart(second));
    const auto firstTime = platform::modificationTime(firstName);
    console.write("Checking save date is later than that of " + secondName + "...");
    const auto secondTime = platform::modificationTime(secondName);
    std::string prefix = isError ? "ERROR 0004" : "WARNING 0004";
    prefix.resize(16, ' ');
    auto report = [&](const std::string& line) {
        console.writeLine(line);
        logLine(logUnit, line, true);
    };
    // Either date unreadable: nothing can be compared.
    if (!firstTime || !secondTime) {
        console.writeLine("NOT OK ");
        report(prefix + " - Could not access save date of \"" + firstName + "\" to check with \"" + secondName + "\"");
        if (!isError) return true;
        console.writeLine(" NOTE - If using ORVALE.exe, use CHECK MI SAVE DATE == WARNING or OFF to suppress check ");
        EXITS();
    }
    if (*firstTime >= *secondTime) {
        console.writeLine("OK ");
        return true;
    }
    console.writeLine("NOT OK ");
    const std::string line =
        prefix + " - Save date of \"" + secondName + "\" file is later than that of \"" + firstName + "\"";
    if (!isError) {
        report(line);
        return true;
    }
    close(firstUnit);
    close(secondUnit);
    if (settings_.windowedMode) {
        console.writeLine(line);
        if (platform::messageBox(line, significantPart(settings_.simulationName), platform::MessageButtons::RetryCancel) ==
            platform::MessageAnswer::Cancel) {
            platform::endProcess();
        }
        return false;
    }
    console.writeLine(line);
    if (!console.pause("Re-export mif file and press Enter, or close window.")) {
        noAnswer("while waiting for the file to be saved again", firstName);
    }
    return false;
}

std::string UnitTable::mirrorFolder(const std::string& name) {
    std::string folder = FILEFOLDERPATH(name);
    DRIVEFOLDER(folder);
    return settings_.copyInputsFolder + folder;
}

std::string UnitTable::mirrorOutputName(const std::string& name) {
    const std::string folder = mirrorFolder(name);
    if (platform::makeFolder(folder) == -1) {
        auto& console = platform::console();
        console.writeLine("ERROR 0005 - Could not make the folder below while making a copy of the input files.");
        console.writeLine("             Check permissions and/or sufficient disk space.");
        console.writeLine(folder);
        EXITS();
    }
    settings_.copiedFileName = ADDFOLDER(folder, FILENAMEEXT(name));
    return settings_.copiedFileName;
}

void UnitTable::copyInputToMirror(const std::string& name) {
    namespace fs = std::filesystem;
    auto& console = platform::console();
    auto copyInto = [&](const std::string& folder, const fs::path& source) {
        std::error_code error;
        fs::copy_file(source, fs::path(platform::diskPath(folder)) / source.filename(),
                      fs::copy_options::overwrite_existing, error);
        if (error) {
            console.writeLine("ERROR 0006 - Could not copy the file below while making a copy of the input files.");
            console.writeLine("             Check permissions and/or sufficient disk space.");
            console.writeLine(source.string());
            console.writeLine(folder);
            EXITS();
        }
    };
    auto makeMirror = [&](const std::string& folder) {
        if (platform::makeFolder(folder) == -1) {
            console.writeLine("ERROR 0005 - Could not make the folder below while making a copy of the input files.");
            console.writeLine("             Check permissions and/or sufficient disk space.");
            console.writeLine(folder);
            EXITS();
        }
    };
    const std::string folder = mirrorFolder(name);
    makeMirror(folder);
    const fs::path source(platform::diskPath(name));
    if (settings_.copySingleInput) {
        copyInto(folder, source);
    } else {
        // Every file of the same folder and base name: the companions of a layer travel with it.
        const fs::path sourceFolder = source.has_parent_path() ? source.parent_path() : fs::path(".");
        const std::string base = FILENAME(name);
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(sourceFolder, error)) {
            if (entry.is_regular_file() && entry.path().stem().string() == base) copyInto(folder, entry.path());
        }
    }
    if (FILEEXT(name) == ".xf") {
        // The file also lands one folder up, where the files that refer to it expect it.
        const std::string parentMirror = mirrorFolder(FILEFOLDERPATH(name) + "..\\");
        makeMirror(parentMirror);
        copyInto(parentMirror, source);
    }
    settings_.copiedFileName = ADDFOLDER(folder, FILENAMEEXT(name));
}

void INITUNITS(int base) { units().init(base); }
void OPENFREEUNIT(int& unit, std::string_view mode, std::string_view name, int) { units().openFree(unit, mode, name); }
void OPENFREEUNIT_2(int& unit, std::string_view mode, std::string_view prefix, std::string_view suffix) {
    units().openFree2(unit, mode, prefix, suffix);
}
void OPENFILE(int& unit, std::string& name, int, std::string_view mode, std::string_view kind, int, int logUnit) {
    units().openFile(unit, name, mode, kind, logUnit);
}
void CLOSER(int& unit) { units().close(unit); }
void CLOSEALL() { units().closeAll(); }
int UNITFILETYPE(int unit) { return units().fileType(unit); }
void OPENER(int slot, int& unit, std::string_view mode, std::string_view kind, int ask) {
    units().opener(slot, unit, mode, kind, ask);
}
void OPENER_2(int slot, int& unit, std::string_view name, std::string_view mode, std::string_view kind, int ask) {
    units().opener2(slot, unit, name, mode, kind, ask);
}
void OPENER_3(int slot, int& unit, std::string_view mode, std::string_view kind, int ask, std::string_view prefix) {
    units().opener3(slot, unit, mode, kind, ask, prefix);
}
void OPENER_ASK() { units().openerAsk(); }
bool NAMED(int slot) { return units().named(slot); }
std::string GETNAM(int slot) { return units().getName(slot); }
void CLEARSLOTNAME(int slot) { units().clearSlotName(slot); }
bool CHECKMISAVEDATE(std::string_view first, std::string_view second, int& firstUnit, int& secondUnit, bool isError,
                     int logUnit) {
    return units().checkSaveDate(first, second, firstUnit, secondUnit, isError, logUnit);
}

void writeUnitText(int unit, std::string_view text) {
    if (auto* file = units().file(unit)) file->write(text);
}

void writeUnitRecord(int unit, std::string_view text) {
    if (auto* file = units().file(unit)) file->writeRecord(text);
}

RecordStatus readUnitRecord(int unit, std::string& record) {
    auto* file = units().file(unit);
    if (file == nullptr) {
        record.clear();
        return RecordStatus::Error;
    }
    switch (file->readRecord(record)) {
        case platform::File::ReadStatus::Ok: return RecordStatus::Ok;
        case platform::File::ReadStatus::EndOfFile: return RecordStatus::EndOfFile;
        case platform::File::ReadStatus::Error: return RecordStatus::Error;
    }
    return RecordStatus::Error;
}

void rewindUnit(int unit) {
    if (auto* file = units().file(unit)) file->rewind();
}

void flushUnit(int unit) {
    auto* file = units().file(unit);
    std::string reason;
    if (file != nullptr && !file->flush(reason)) {
        platform::console().writeLine();
        platform::console().writeLine("ERROR - Unable to write file " + file->name() + ": " + reason);
        EXITS();
    }
}

}  // namespace zx
