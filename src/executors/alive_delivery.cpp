#include "executors/alive_delivery.h"

#include "executors/base_contract_executor.h"
#include "runtime/data_files.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "ui/lang_text.h"
#include "ui/prompt.h"
#include "ui/text.h"
#include "world/area_ids.h"
#include "world/police_departments.h"
#include "world/spawn.h"

#include <string>

namespace drovil {
namespace {
constexpr float absentValue = -999.0f;
// The office's blip: a point marked with the sheriff's star.
constexpr Hash officeBlipStyle = 0xB04092F8;
const char* const officeBlipSprite = "blip_ambient_sheriff";
const char* const handOverControl = "INPUT_INTERACT_OPTION1";
// The route's colour on the map.
const char* const routeColour = "COLOR_RED";
// The office's own lawman is looked for this near its door.
constexpr float officeLawmanReach = 20.0f;
constexpr int lawmanPedType = 6;
// Inside with the target, within this of the door he went for.
constexpr float insideReach = 1.5f;
// Without the take-in tuning, the lawman has this long.
constexpr int defaultTakeInMs = 45000;

const char* deputyModelOf(int areaId) {
    switch (static_cast<Hash>(areaId)) {
    case area_ids::SaintDenis:
        return "s_m_m_ambientsdpolice_01";
    case area_ids::Blackwater:
        return "s_m_m_ambientblwpolice_01";
    default:
        return "s_m_m_ambientlawrural_01";
    }
}

std::string text(const Vector3& point) {
    return std::to_string(point.x) + "," + std::to_string(point.y) + "," + std::to_string(point.z);
}
} // namespace

float handOverDistance() {
    return generalMetaFile().getFloat("contract.alive.handover_distance", absentValue);
}

float handOverReach() {
    return generalMetaFile().getFloat("contract.alive.target_reach", absentValue);
}

AliveDelivery::AliveDelivery(BaseContractExecutor& executor) : executor_(executor) {}

AliveDelivery::~AliveDelivery() {
    end();
}

bool AliveDelivery::begin() {
    if (office_)
        return true;
    office_ = PoliceDepartments::findDepartment(static_cast<Hash>(executor_.getMission()->areaId));
    if (!office_) {
        executor_.executorLog("no sheriff's office in the contract's area: the target cannot be handed over");
        return false;
    }
    officeBlip_ = natives::blip::atCoords(officeBlipStyle, office_->position);
    natives::blip::setSprite(officeBlip_, getHashKey(officeBlipSprite), false);
    natives::blip::setName(officeBlip_,
                           natives::hud::literalString(10, "LITERAL_STRING", langText("blips.sheriff_office").c_str()));
    natives::route::clear();
    natives::route::start(getHashKey(routeColour), true, true);
    natives::route::addPoint(office_->position, true);
    natives::route::setRender(true);
    routeShown_ = true;
    lawWarned_ = false;
    executorLog("sheriff's office marked at " + text(office_->position));
    return true;
}

void AliveDelivery::executorLog(const std::string& message) const {
    executor_.executorLog(message);
}

void AliveDelivery::end() {
    if (!office_)
        return;
    removeBlip(officeBlip_);
    if (routeShown_) {
        natives::route::setRender(false);
        natives::route::clear();
        routeShown_ = false;
    }
    if (prompt_) {
        prompt_->destroy();
        prompt_.reset();
    }
    if (lawman_)
        letLawmanGo(false);
    office_ = nullptr;
}

bool AliveDelivery::update(Ped target) {
    if (!office_)
        return false;
    if (lawman_)
        return lawmanHasTakenHimIn(target);
    const Vector3 player = playerPosition();
    if (distanceBetween(player, office_->position) > handOverDistance()) {
        hidePrompt();
        lawWarned_ = false;
        return false;
    }
    if (playerWanted()) {
        // The law does not take a prisoner from a man it is after.
        hidePrompt();
        if (!lawWarned_) {
            showSubtitle(langText("contract.alive.lose_the_law"));
            lawWarned_ = true;
        }
        return false;
    }
    if (!natives::pedstate::isOnFoot(playerPed()) ||
        distanceBetween(player, entityPosition(target.entity())) > handOverReach()) {
        hidePrompt();
        return false;
    }
    if (!prompt_)
        prompt_.reset(createPrompt(langText("prompts.hand_over_target"), handOverControl, PromptType::Hold));
    prompt_->setVisible(true);
    if (prompt_->isActivated())
        callLawman(target);
    return false;
}

void AliveDelivery::hidePrompt() {
    if (prompt_)
        prompt_->setVisible(false);
}

Ped AliveDelivery::findOfficeLawman() const {
    Ped found;
    if (!natives::ambient::closestPed(office_->prisonerSpawn, officeLawmanReach, true, false, &found, false, true,
                                      true, lawmanPedType))
        return Ped();
    // Not one another script holds, not one lying dead or fighting.
    if (!found || entityDead(found) || natives::entity::isMissionEntity(found.entity()) ||
        natives::condition::pedInCombatWith(found, Ped()))
        return Ped();
    return found;
}

void AliveDelivery::callLawman(Ped target) {
    hidePrompt();
    // Off the shoulder or the horse: the lawman takes him up from the ground.
    if (natives::carry::carrier(target.entity()))
        natives::carry::detachCarried(target.entity(), true, true);
    lawman_ = findOfficeLawman();
    deputy_ = !lawman_;
    if (lawman_) {
        natives::entity::setAsMissionEntity(lawman_.entity(), true, true);
    } else {
        lawman_ = spawnPedByName(deputyModelOf(executor_.getMission()->areaId), office_->prisonerSpawn);
        if (!lawman_) {
            executorLog("no lawman came out of the sheriff's office");
            return;
        }
        natives::decorator::setInt(lawman_.entity(), "honor_override", 0);
    }
    natives::ped::blockNonTemporaryEvents(lawman_, true);
    const Ped inSequence(0);
    TaskSequence sequence;
    natives::task::openSequence(&sequence);
    natives::task::pickUpCarriable(inSequence, target.entity());
    natives::task::goToPoint(inSequence, office_->prisonerSpawn, 1.0f, -1, 0.5f, 0, 40000.0f);
    natives::task::closeSequence(sequence);
    natives::task::performSequence(lawman_, sequence);
    natives::task::clearSequence(&sequence);
    lawmanCalledAtMs_ = gameTimerMs();
    executorLog(deputy_ ? "a deputy comes out of the sheriff's office for the target"
                        : "the sheriff's lawman comes out for the target");
}

bool AliveDelivery::lawmanHasTakenHimIn(Ped target) {
    if (!natives::condition::entityExists(lawman_.entity()) || entityDead(lawman_)) {
        executorLog("the lawman went down before he had the target inside");
        letLawmanGo(false);
        return false;
    }
    const int takeInMs = [] {
        const int seconds = generalMetaFile().getInt("contract.alive.take_in_seconds", -999);
        return seconds > 0 ? seconds * 1000 : defaultTakeInMs;
    }();
    const bool carried = natives::carry::carrier(target.entity()) == lawman_;
    const bool inside = carried && distanceBetween(positionOf(lawman_), office_->prisonerSpawn) <= insideReach;
    if (!inside && gameTimerMs() - lawmanCalledAtMs_ < takeInMs)
        return false;
    executorLog("the lawman took the target into the sheriff's office");
    letLawmanGo(true);
    return true;
}

void AliveDelivery::letLawmanGo(bool inside) {
    Entity lawman = lawman_.entity();
    if (deputy_ && inside) {
        natives::entity::deleteEntity(&lawman);
    } else {
        // Whatever he holds stays where he drops it.
        const Entity held = natives::carry::carriedEntity(lawman_);
        if (held)
            natives::carry::detachCarried(held, true, true);
        natives::ped::blockNonTemporaryEvents(lawman_, false);
        natives::task::clearTasks(lawman_, true, true);
        natives::pedsetup::releaseEntity(&lawman);
    }
    lawman_ = Ped();
    deputy_ = false;
}

} // namespace drovil
