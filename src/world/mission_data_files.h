#pragma once
// The mission files Drovil/Missions/<id>.dat, one per mission, so that a mission
// survives a restart of the game. One process-wide registry: mission id ->
// (data file, record), ordered by id.
#include "runtime/data_file.h"
#include "world/mission_data.h"

#include <map>
#include <memory>
#include <string>

namespace drovil {

class MissionDataFiles {
public:
    // The process-wide registry (created on first use, never destroyed).
    static MissionDataFiles& instance();

    // The record of mission `id`: the one already in the table, or else read from
    // its file. Null when the file cannot be loaded. A record read here is owned
    // by the registry and lives for the rest of the process. Malformed numbers in
    // the file throw the standard conversion errors.
    MissionData* loadMission(int id);

    // Writes `record` into its mission file; the result of saving it. The first
    // save of an id keeps a pointer to `record`, which must therefore live as
    // long as the registry.
    bool saveMission(MissionData& record);

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
};

} // namespace drovil
