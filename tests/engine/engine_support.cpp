#include "engine/engine_support.h"

#include "engine/executor_factory.h"
#include "executors/executor_harness.h"
#include "support/script_thread.h"
#include "world/area_ids.h"
#include "world/core/strings.h"

#include <memory>
#include <sstream>

namespace enginetest {

void useTestExecutors() {
    for (int setting = 0; setting <= 8; ++setting)
        drovil::overrideExecutorMaker(static_cast<drovil::SettingType>(setting), [](drovil::MissionData* mission) {
            return std::make_unique<extest::TestExecutor>(mission, 0, 0);
        });
}

void acceptContract(sim::Session& session, int areaId) {
    test::runOnScriptThread(session, [areaId] {
        drovil::ContractAcceptedEvent event{areaId};
        drovil::drovilEngine()->onEvent(&event);
    });
}

void sendScriptEvent(sim::Session& session, const std::string& name, std::vector<int> values) {
    sim::QueuedGameEvent event;
    event.group = 1;
    event.type = sim::gameHash("EVENT_NETWORK_SCRIPT_EVENT");
    event.data.push_back(static_cast<int>(sim::gameHash(name)));
    event.data.insert(event.data.end(), values.begin(), values.end());
    session.world().gameEvents.queueForNextFrame(event);
}

int valentine() { return drovil::area_ids::asSigned(drovil::area_ids::Valentine); }

int savedInt(const sim::Session& session, const std::string& file, const std::string& key) {
    std::istringstream in(session.readFile(file));
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key + "=", 0) == 0)
            return std::stoi(line.substr(key.size() + 1));
    return -999;
}

} // namespace enginetest
