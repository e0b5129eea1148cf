// common/units.hpp: the file-unit table. Every file of the library and the converter is opened on a unit number
// handed out here and closed through here; the console shows each open and close.
//
// Units 1001-2000 (base 1000) are the table units handed out first-free; units 993-1000 are the
// eight reserved slots opened by slot number. A file opened on two units at once by the keeping
// modes ("SB" then "SE") is one file object behind both units, so writes through either land in
// the same file in the order they are made.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/file.hpp"

namespace zx {

enum class ByteOrder { Little, Big };

// What an open unit is: its file, how it was opened and the byte order of its binary values.
struct OpenUnit {
    std::shared_ptr<platform::File> file;
    std::string mode;  // the two-character open mode
    ByteOrder order = ByteOrder::Little;
    bool input = false;
};

class UnitTable {
public:
    static constexpr int kTableSlots = 1000;
    static constexpr int kReservedSlots = 8;

    struct TableSlot {
        int unit = 0;
        bool inUse = false;
        int fileTypeCode = 0;
    };
    struct ReservedSlot {
        int unit = 0;
        bool inUse = false;
        std::string mode;
        std::string name;
        int nameLength = 0;
    };

    // Module settings of the unit module, set up by INITUNITS.
    struct Settings {
        bool windowedMode = false;
        bool pauseOnExit = true;
        bool keepUnitsOnExit = false;
        std::string simulationName;
        std::string simulationTitle;
        int logUnit = 0;
        char inputDriveLetter = ' ';
        char outputDriveLetter = ' ';
        int fastOutputBlockSize = 0;
        bool createMissingFolders = false;
        bool copyInputsMode = false;
        std::string copyInputsFolder;
        bool copySingleInput = false;
        std::string copiedFileName;
        std::array<bool, 26> flagLetters{};
    };

    void init(int base);
    int base() const { return base_; }

    // The routines of the unit module; see units.cpp for their steps.
    void openFree(int& unit, std::string_view mode, std::string_view name);
    void openFree2(int& unit, std::string_view mode, std::string_view prefix, std::string_view suffix);
    void openFile(int& unit, std::string& name, std::string_view mode, std::string_view kind, int logUnit);
    void close(int& unit);
    void closeAll();
    void closeEverythingOnExit();  // the silent closes of EXITS
    int fileType(int unit) const;

    void opener(int slot, int& unit, std::string_view mode, std::string_view kind, int ask);
    void opener2(int slot, int& unit, std::string_view name, std::string_view mode, std::string_view kind, int ask);
    void opener3(int slot, int& unit, std::string_view mode, std::string_view kind, int ask, std::string_view prefix);
    void openerAsk();
    bool named(int slot) const;
    std::string getName(int slot) const;
    void clearSlotName(int slot);

    bool checkSaveDate(std::string_view first, std::string_view second, int& firstUnit, int& secondUnit,
                       bool isError, int logUnit);

    // Access to open units for reading and writing.
    const OpenUnit* find(int unit) const;
    platform::File* file(int unit) const;

    Settings& settings() { return settings_; }
    const Settings& settings() const { return settings_; }
    const std::string& lastOpenedName() const { return lastOpenedName_; }
    const std::string& lastOpenedExtension() const { return lastOpenedExtension_; }
    const TableSlot& tableSlot(int slot) const { return table_.at(static_cast<std::size_t>(slot - 1)); }
    const ReservedSlot& reservedSlot(int slot) const { return reserved_.at(static_cast<std::size_t>(slot - 1)); }

private:
    enum class OpenResult { Opened, AppendFailed, Failed, Unrecognised };
    OpenResult openOutput(int unit, const std::string& name, std::string_view mode, std::string& reason);
    int findUnitOfFile(std::string_view name) const;
    void closeUnitDirectly(int unit, bool report);
    void logLine(int logUnit, std::string_view text, bool endLine);
    void copyInputToMirror(const std::string& name);

    // The steps of openFile, each with its part of the console dialogue.
    void announceTry(std::string& name, bool input, int logUnit);
    void askForName(std::string& name, std::string_view kind);
    bool askToCloseOpenFile(const std::string& name);
    // False when the input does not exist (after saying so); a file that cannot be read ends the run.
    bool openInputFile(int unit, const std::string& name, const std::string& mode, int logUnit);
    void openOutputFile(int& unit, std::string& name, const std::string& mode, int logUnit);
    // After an output failed to open: the user's chance to free the file or make its folder.
    void askAfterFailedOutput(const std::string& name);
    std::string mirrorOutputName(const std::string& name);
    std::string mirrorFolder(const std::string& name);

    int base_ = 9;
    std::array<TableSlot, kTableSlots> table_{};
    std::array<ReservedSlot, kReservedSlots> reserved_{};
    std::unordered_map<int, OpenUnit> open_;
    Settings settings_;
    std::string lastOpenedName_;
    std::string lastOpenedExtension_;
};

// The one table of the process.
UnitTable& units();

// The library's routines by their own names.
void INITUNITS(int base);
void OPENFREEUNIT(int& unit, std::string_view mode, std::string_view name, int nameLength);
void OPENFREEUNIT_2(int& unit, std::string_view mode, std::string_view prefix, std::string_view suffix);
void OPENFILE(int& unit, std::string& name, int nameLength, std::string_view mode, std::string_view kind, int ask,
              int logUnit);
void CLOSER(int& unit);
void CLOSEALL();
int UNITFILETYPE(int unit);
void OPENER(int slot, int& unit, std::string_view mode, std::string_view kind, int ask);
void OPENER_2(int slot, int& unit, std::string_view name, std::string_view mode, std::string_view kind, int ask);
void OPENER_3(int slot, int& unit, std::string_view mode, std::string_view kind, int ask, std::string_view prefix);
void OPENER_ASK();
bool NAMED(int slot);
std::string GETNAM(int slot);
void CLEARSLOTNAME(int slot);
bool CHECKMISAVEDATE(std::string_view first, std::string_view second, int& firstUnit, int& secondUnit, bool isError,
                     int logUnit);

// Record-level access to open units, used by every module that reads or writes through a unit.
// Writing to a unit that is not open does nothing; a write error is reported when the unit is
// flushed or closed.
void writeUnitText(int unit, std::string_view text);    // without ending the record
void writeUnitRecord(int unit, std::string_view text);  // one whole record
enum class RecordStatus { Ok, EndOfFile, Error };
// One text record without its line end; a unit that is not open is an error.
RecordStatus readUnitRecord(int unit, std::string& record);
void rewindUnit(int unit);
// Flushes the unit's file; a failure ends the run with a message naming the file.
void flushUnit(int unit);

}  // namespace zx
