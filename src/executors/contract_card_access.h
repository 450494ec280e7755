#pragma once
// How a running contract reaches the contract card: the quick card key of an
// executor opens the card of its own mission. The contract viewer implements
// this interface and registers itself once at start-up; until something is
// registered the key has no effect.
#include "world/mission_data.h"

namespace drovil {

class ContractCardAccess {
public:
    virtual ~ContractCardAccess() = default;

    // True while the card is already out (held or being taken out), so that a
    // held key does not open it again every frame.
    virtual bool isCardOpen() const = 0;

    // Takes the card of `mission` out, with its intro animation. The record
    // outlives the card: the engine owns it.
    virtual void openCard(MissionData& mission) = 0;
};

// Registers the card (null withdraws it). Not owned.
void setContractCardAccess(ContractCardAccess* access);
// The registered card, or null.
ContractCardAccess* contractCardAccess();

} // namespace drovil
