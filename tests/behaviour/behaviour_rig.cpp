#include "behaviour/behaviour_rig.h"

namespace behaviourtest {

void startTalking(sim::Session& session, int ped, const std::string& line) {
    sim::SpokenLine spoken;
    spoken.line = line;
    session.world().speech.say(ped, spoken, session.world().clock.frame + 1);
}

int addPedNearPlayer(sim::Session& session, float metresAhead, float metresAside) {
    sim::World& world = session.world();
    const sim::EntityRecord& player = world.playerPed();
    const drovil::Vector3 ahead = sim::forwardOf(player.heading);
    const drovil::Vector3 at(player.position.x + ahead.x * metresAhead + ahead.y * metresAside,
                             player.position.y + ahead.y * metresAhead - ahead.x * metresAside,
                             player.position.z);
    const float facing = player.heading + 180.0f;
    return world.entities.create(sim::EntityKind::Ped, sim::gameHash("a_m_m_valtownfolk_01"), at, facing).id;
}

} // namespace behaviourtest
