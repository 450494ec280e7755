#pragma once
// A contract on a wealthy traveller staying at a hotel: the target and its
// companions about the hotel room nearest to the mission's coords. No guards
// are placed, and the target never shows in eagle eye. While the hunt is on the
// target moves from spot to spot of its room, and some companions follow.
#include "executors/base_contract_executor.h"

namespace drovil {

class Place;

class HotelExecutor : public BaseContractExecutor {
public:
    // Finds the hotel room of the mission's area nearest to its coords (none
    // when the area has no hotel: the scene is then never built).
    explicit HotelExecutor(MissionData* mission);

    void createMissionSet() override;
    void onUpdate() override;

    const Place* getHotelPlace() const { return hotelPlace; }

private:
    bool targetIsTaken() const;
    // The centre of the room the target is in: the game's interior position,
    // the hotel room's own when the target stands in no interior.
    Vector3 roomCentre() const;

    const Place* hotelPlace = nullptr;
};

} // namespace drovil
