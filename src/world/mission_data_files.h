#pragma once
// The mission files Drovil/Missions/<id>.dat, one per mission, so that a mission
// survives a restart of the game. One process-wide registry: mission id ->
// (data file, record), ordered by id.
#include "runtime/data_file.h"
#include "world/mission_data.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace drovil {

class MissionDataFiles {
public:
    // The process-wide registry (created on first use, never destroyed).
    static MissionDataFiles& instance();

    // The record of mission `id`: the one already in the table, or else read from
    // its file. Null when the file cannot be loaded. A record read here is owned
    // by the registry and lives for the rest of the process. A value that cannot
    // be read is reported and read as absent.
    MissionData* loadMission(int id);

    // Writes `record` into its mission file; the result of saving it. The first
    // save of an id keeps a pointer to `record`, which must therefore live as
    // long as the registry.
    bool saveMission(MissionData& record);
    // The same without saving: the file object holding the record's values,
    // for a caller that decides when it is saved.
    DictDataFile& writeMission(MissionData& record);

    // An ended mission's file, its last state handed to the writer, is let go:
    // the record stays, but hours of play need not keep every old file's text.
    // A later write of the mission reads the file again first.
    void releaseFile(int id);
    // An ended mission no executor, menu or event handler holds any more is
    // forgotten altogether, record and all: a long game does not keep every old
    // contract in memory. Its id stays known (it is not given out again), and
    // a later load or write reads its file back from disk.
    void forget(int id);

    // Those of `keys` that the loaded file of `id` lacks or holds no readable
    // value for (empty when the id is not in the table).
    std::vector<std::string> unreadableKeys(int id, const std::vector<std::string>& keys) const;

    // The id has a record in the table or had one (loaded or saved in this process).
    bool isKnown(int id) const { return entries_.count(id) > 0 || wasForgotten(id); }
    // A mission file that cannot be restored is kept for the player to mend or
    // send in: renamed to "<id>.dat.bad" (or .bad2, .bad3...), never deleted,
    // and forgotten by the table. True when it was renamed.
    bool setAside(int id);

    // The keys of a mission file, in the order they are written.
    static const std::vector<std::string>& keys();

    // "Missions/<id>.dat", relative to Drovil/.
    static std::string missionFileName(int id);

    // The record's fields as mission-file keys, in the file's key list order.
    static void writeFields(const MissionData& record, DictDataFile& file);
    // Every key of the list read into `record` (missing keys take their defaults).
    static void readFields(const DictDataFile& file, MissionData& record);

private:
    struct Entry {
        std::unique_ptr<DictDataFile> file;
        MissionData* record = nullptr;
        std::unique_ptr<MissionData> ownedRecord; // set when the record was read from disk
    };
    std::map<int, Entry> entries_;
    bool wasForgotten(int id) const;
    void unforget(int id);
    // The ids forgotten, as runs of consecutive ids (first -> last): missions
    // end mostly in the order they were made, so a long game keeps a few runs.
    std::map<int, int> forgotten_;
};

} // namespace drovil
