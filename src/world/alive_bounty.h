#pragma once
// Dead or alive contracts (the AliveBounties setting): a target brought in
// alive to the sheriff pays a bonus on top of the bounty. The bonus is worked
// out when the mission is made and kept in its bonusesReward; a target brought
// down dead forfeits it.
namespace drovil {

// The AliveBounties setting: contracts are dead or alive.
bool aliveBountiesOn();
// The alive bonus of a bounty in dollars: the bounty times
// contract.alive.bonus_share (GeneralMeta.dat), rounded to whole dollars; 0
// while AliveBounties is off, and for an absent, negative or unreadable share.
int aliveBonusFor(int bounty);

} // namespace drovil
