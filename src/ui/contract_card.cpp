#include "ui/contract_card.h"

#include "runtime/main_loop.h"
#include "runtime/natives.h"
#include "ui/contract_texts.h"
#include "ui/portrait.h"
#include "ui/sprite.h"
#include "ui/text.h"
#include "world/alive_bounty.h"
#include "world/payments_service.h"

namespace drovil {
namespace {

ContractCard*& holder() {
    static ContractCard* card = nullptr;
    return card;
}

// Where the overlay's pieces go, in screen fractions.
constexpr float panelLeft = 0.32f, panelTop = 0.34f, panelWidth = 0.36f, panelHeight = 0.32f;
constexpr float portraitWidth = 0.18f, portraitHeight = 0.32f;
constexpr float textX = 0.513f, firstLineY = 0.36f, descriptionLineStep = 0.07f;
constexpr float rewardX = 0.59f, rewardY = 0.58f;
constexpr float bodyScale = 0.35f, rewardScale = 0.65f;
constexpr int inkRed = 229, inkGreen = 229, inkBlue = 229, inkAlpha = 255;

constexpr int reselectPortraitBudgetMs = 2500;

bool samePortrait(const MissionData& a, const MissionData& b) {
    return a.id == b.id && a.areaId == b.areaId && a.targetModel == b.targetModel &&
           a.targetOutfitIndex == b.targetOutfitIndex;
}

void drawBodyLine(const std::string& text, float y) {
    drawText(text, textX, y, inkRed, inkGreen, inkBlue, inkAlpha, false, bodyScale, bodyScale, "$body");
}

} // namespace

void ContractCard::selectCardRecord(const MissionData& record, bool withPortrait) {
    const bool changed = !record_ || !samePortrait(*record_, record);
    record_ = record;
    texts_.reset();
    if (changed && withPortrait)
        requestPortrait(record.targetModel, record.targetOutfitIndex, reselectPortraitBudgetMs, portraitSlot,
                        portraitPhotoType);
}

void ContractCard::drawContractCard() const {
    if (!record_)
        return;
    const MissionData& record = *record_;
    if (!isDebugToolsOn())
        natives::hud::hideHudThisFrame();

    float y = firstLineY;
    drawSprite("generic_textures", "inkroller_1a", panelLeft, panelTop, panelWidth, panelHeight, 0.0f, 4, 4,
               4, 210);

    if (!texts_) {
        texts_.emplace();
        texts_->description = describeTarget(record);
        texts_->whereabouts = describeWhereabouts(record);
    }
    Texts& texts = *texts_;
    if (!natives::misc::isStringNullOrEmpty(texts.description ? texts.description->c_str() : nullptr)) {
        drawBodyLine(*texts.description, y);
        y += descriptionLineStep;
    }
    drawBodyLine(texts.whereabouts, y);

    // Dead or alive: what he pays brought in alive, under where to find him.
    if (aliveBountiesOn()) {
        const char* alive = natives::hud::cashString(2, "CASH_STRING", cardAliveRewardCents(record), 32);
        const char* aliveText = alive ? alive : "";
        if (!texts.deadOrAliveMade || texts.aliveReward != aliveText) {
            texts.deadOrAliveMade = true;
            texts.aliveReward = aliveText;
            texts.deadOrAlive = describeDeadOrAlive(texts.aliveReward);
        }
        if (texts.deadOrAlive)
            drawBodyLine(*texts.deadOrAlive, y + descriptionLineStep);
    }

    const char* reward = natives::hud::cashString(2, "CASH_STRING", cardRewardCents(record), 32);
    drawText(reward ? reward : "", rewardX, rewardY, inkRed, inkGreen, inkBlue, inkAlpha, true, rewardScale,
             rewardScale, "$title");

    const char* portrait = portraitTextureName(portraitSlot, portraitPhotoType);
    if (!portrait)
        portrait = "";
    drawSprite(portrait, portrait, panelLeft, panelTop, portraitWidth, portraitHeight, 0.0f, 255, 255, 255,
               255);
}

int cardRewardCents(const MissionData& record) {
    return static_cast<int>(PaymentsService::priceScale() * static_cast<float>(record.bounty * 100));
}

int cardAliveRewardCents(const MissionData& record) {
    const int bonus = record.bonusesReward > 0 ? record.bonusesReward : 0;
    return static_cast<int>(PaymentsService::priceScale() * static_cast<float>((record.bounty + bonus) * 100));
}

ContractCard* contractCard() {
    return holder();
}

void createContractCard() {
    if (!holder())
        holder() = new ContractCard();
}

} // namespace drovil
