#include "behaviour/hostages.h"

#include "behaviour/hostage_task.h"
#include "behaviour/tutorials.h"
#include "runtime/frame_reads.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "runtime/settings.h"
#include "ui/lang_text.h"
#include "ui/prompt.h"

namespace drovil {

const char* const hostageEnabledDecorator = "KV_HOSTAGE_enabled";
const char* const isHostageDecorator = "KV_HOSTAGE_isHostage";
const char* const timesThreatenedDecorator = "KV_HOSTAGE_timesThreatened";

namespace {

Hostages* theHostages = nullptr;

// The ped the player locks on to, else the one he aims at freely; null for
// none. `aim` tells which.
Ped pointedAtPed(ThreatAim& aim) {
    const PlayerIndex player = playerIndex();
    Entity entity = playerTargetEntity();
    aim = ThreatAim::LockedOn;
    if (entity)
        return Ped(entity.id);
    aim = ThreatAim::FreeAim;
    if (natives::player::freeAimEntity(player, &entity) && entity)
        return Ped(entity.id);
    return Ped();
}

void addThreat(Ped ped) {
    const int times = natives::decorator::getInt(ped.entity(), timesThreatenedDecorator);
    natives::decorator::setInt(ped.entity(), timesThreatenedDecorator, times + 1);
}

} // namespace

namespace {
// The mark of the last ped asked about, for this frame: the executor and the
// hostage system both ask about the target every frame.
Ped markOf;
PerYield<bool> markRead;
} // namespace

bool isHostage(Ped ped) {
    if (ped != markOf) {
        markOf = ped;
        markRead.forget();
    }
    return markRead.get([ped] { return natives::decorator::getInt(ped.entity(), isHostageDecorator) != 0; });
}

void setHostageMark(Ped ped, bool held) {
    natives::decorator::setInt(ped.entity(), isHostageDecorator, held ? 1 : 0);
    if (ped == markOf)
        markRead.forget();
}

bool mayBeThreatened(Ped ped, bool needsMark) {
    const Ped player = playerPed();
    if (entityDead(ped) || playerWanted() ||
        pedHogtied(ped) || pedFleeing(ped) || pedFightingPlayer(ped) ||
        !natives::pedstate::isOnFoot(ped) || !natives::pedstate::isOnFoot(player))
        return false;
    return !needsMark || isHostage(ped) ||
           natives::decorator::getInt(ped.entity(), hostageEnabledDecorator) != 0;
}

Hostages::Hostages() {
    natives::decorator::registerName(timesThreatenedDecorator, 3);
    natives::decorator::registerName(isHostageDecorator, 3);
    natives::decorator::registerName(hostageEnabledDecorator, 3);
}

Hostages::~Hostages() = default;

void Hostages::update() {
    if (task_)
        updateTask();
    else
        offerThreat();
}

void Hostages::updateTask() {
    const Ped ped = task_->getPed();
    if (prompt_) {
        // While a ped is threatened the prompt belongs to no entity's group: it
        // shows only while the player aims at that ped.
        prompt_->attachToEntity(Entity());
        // Aimed at (locked on or through the sights, as when the threat was
        // made): a held hostage can be shoved, and a ped that laughed off the
        // first threat can be threatened again.
        ThreatAim aim = ThreatAim::LockedOn;
        if (pointedAtPed(aim) == ped) {
            const HostageState state = task_->state();
            prompt_->setVisible(true);
            prompt_->setEnabled((state == HostageState::Held || state == HostageState::Threatened) &&
                                !natives::ped::isHogtied(ped));
            if (prompt_->isActivated()) {
                addThreat(ped);
                task_->threatenedWith(aim);
            }
        } else {
            prompt_->setVisible(false);
        }
    }
    task_->tick();
    if (!task_->isRunning()) {
        task_.reset();
        if (prompt_)
            prompt_->setVisible(false);
    }
}

void Hostages::offerThreat() {
    ThreatAim aim = ThreatAim::LockedOn;
    const Ped candidate = pointedAtPed(aim);
    if (candidate && mayBeThreatened(candidate, true) && (!prompt_ || prompt_->tag() == candidate.entity())) {
        if (!prompt_) {
            prompt_.reset(createPrompt(langText("prompts.threaten"), "INPUT_CONTEXT_Y"));
            prompt_->attachToEntity(candidate.entity());
            prompt_->setOption(3);
            prompt_->setVisible(true);
            if (getSettingBool("Hints"))
                triggerTutorial("hostage.initiaite", false);
        }
        if (prompt_->isActivated()) {
            const float courage = static_cast<float>(natives::ped::accuracy(candidate)) * 0.01f;
            task_ = std::make_unique<HostageTask>(candidate, courage, aim);
            addThreat(candidate);
        }
        return;
    }
    removePrompt();
}

void Hostages::removePrompt() {
    if (prompt_) {
        prompt_->destroy();
        prompt_.reset();
    }
}

Hostages* hostages() { return theHostages; }

void createHostageSystem() {
    if (!theHostages)
        theHostages = new Hostages();
}

void updateHostages() {
    // Settings are read once at start-up and never change afterwards.
    static const bool enabled = getSettingBool("Hostages");
    if (theHostages && enabled)
        theHostages->update();
}

} // namespace drovil
