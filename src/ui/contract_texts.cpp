#include "ui/contract_texts.h"

#include "runtime/data_files.h"
#include "runtime/natives.h"
#include "ui/lang_format.h"
#include "ui/lang_text.h"
#include "ui/text.h"
#include "world/alive_bounty.h"
#include "world/map_areas.h"
#include "world/zone_kinds.h"

namespace drovil {
namespace {

// Cuts a composed text to what fits the card's buffer, never inside a UTF-8
// sequence.
std::string fitCardBuffer(std::string text) {
    const std::size_t limit = contractTextCapacity - 1;
    if (text.size() <= limit)
        return text;
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    text.resize(cut);
    return text;
}

const MapArea* areaOf(const MissionData& record) {
    if (!mapAreasCreated())
        return nullptr;
    return mapAreas().findArea(static_cast<Hash>(record.areaId));
}

std::string cardText(const std::string& key) {
    return expandLineBreaks(langText(key));
}

} // namespace

std::optional<std::string> describeDeadOrAlive(const std::string& aliveReward) {
    if (!aliveBountiesOn())
        return std::nullopt;
    return fitCardBuffer(formatLangText(cardText("contract_modal.dead_or_alive"), aliveReward));
}

std::optional<std::string> describeTarget(const MissionData& record) {
    if (record.templateId == 0 && record.variant != 0)
        return std::nullopt;
    const std::string key = "contract_modal.target_description." + std::to_string(record.templateId) + "." +
                            std::to_string(record.variant);
    if (record.templateId != 0)
        return cardText(key);
    // Lang.dat is written by translators: the text is filled, never used as a
    // printf format.
    const MapArea* area = areaOf(record);
    return fitCardBuffer(formatLangText(cardText(key), area ? area->gangName() : std::string()));
}

std::string describeWhereabouts(const MissionData& record) {
    const std::string format =
        cardText("contract_modal.target_whereabouts." + std::to_string(record.settingId));
    std::string place;
    if (record.settingId == static_cast<int>(SettingType::Camp) ||
        record.settingId == static_cast<int>(SettingType::HunterCamp)) {
        // Camps lie out in the wild: name the region the scene is in, not the town.
        const Hash district = natives::zone::zoneAt(record.coords, zone_kinds::District);
        if (mapAreasCreated())
            place = mapAreas().regionName(district).value_or(std::string());
    } else if (const MapArea* area = areaOf(record)) {
        place = area->name();
    }
    return fitCardBuffer(formatLangText(format, place));
}

} // namespace drovil
