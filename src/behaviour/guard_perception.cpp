#include "behaviour/guard_perception.h"

#include "runtime/data_files.h"
#include "runtime/frame_reads.h"
#include "runtime/game.h"
#include "runtime/natives.h"
#include "runtime/player.h"

#include <algorithm>

namespace drovil {
namespace {
// The noise range when AI.dat does not give one.
constexpr int defaultNoiseRange = 12;
constexpr int absent = -999;

// What every guard of the camp asks about the player and the weather in the
// same frame: read once between two yields.
PerYield<bool> playerCrouching;
PerYield<int> clockHour;
PerYield<float> windSpeed;
PerYield<float> rainLevel;
PerYield<float> playerFoliage;

bool isCrouching(Entity target) {
    if (target == playerPed().entity())
        return playerCrouching.get([] { return natives::perception::isCrouching(playerPed()); });
    return natives::perception::isCrouching(Ped(target.id));
}
} // namespace

bool isNight() {
    const int hour = clockHour.get([] { return natives::environment::clockHour(); });
    return hour < 6 || hour > 20;
}

float foliageCoverOf(Entity target) {
    const float raw =
        playerFoliage.get([] { return natives::ped::blackboardFloat(playerPed(), "FoliageHeight"); });
    // The foliage height code sits in the millions of the value the game reports.
    const int code = (static_cast<int>(raw) / 1000000) % 100;
    double cover = (code * 0.1 - 5.5) * 0.5882352941176471;
    if (isCrouching(target))
        cover *= 2.0;
    return static_cast<float>(std::clamp(cover, 0.0, 1.0));
}

float cappedWindSpeed() {
    return std::min(windSpeed.get([] { return natives::environment::windSpeed(); }), 100.0f);
}

float cappedRainLevel() {
    return std::min(rainLevel.get([] { return natives::environment::rainLevel(); }), 1.0f);
}

namespace {
float sightRangeWithCover(Entity target, float cover) {
    const DictDataFile& ai = aiFile();
    const float wind = cappedWindSpeed();
    const float rain = cappedRainLevel();
    float range = static_cast<float>(ai.getInt("guard.sight_range", absent));
    range *= isCrouching(target) ? ai.getFloat("guard.crouch_sight_impact", -999.0f) : 1.0f;
    range *= 1.0f - ai.getFloat("guard.rain_sight_impact", -999.0f) * rain;
    range *= 1.0f - wind * 0.01f * ai.getFloat("guard.wind_sight_impact", -999.0f);
    range *= 1.0f - cover;
    range *= isNight() ? ai.getFloat("guard.night_sight_impact", -999.0f) : 1.0f;
    const float minimum = ai.getFloat("guard.min_sight_range", -999.0f);
    if (minimum > range)
        range = minimum;
    return range;
}
} // namespace

float guardSightRange(Entity target) {
    return sightRangeWithCover(target, foliageCoverOf(target));
}

bool guardCanSee(Ped guard, Entity target, float& rangeGiven) {
    const float cover = foliageCoverOf(target);
    if (cover == 1.0f)
        return false;
    const float range = sightRangeWithCover(target, cover);
    if (range != rangeGiven) {
        natives::perception::setSeeingRange(guard, range);
        rangeGiven = range;
    }
    return natives::condition::lineOfSight(guard, target, 1, 0) == 1;
}

float guardHearingRange() {
    const DictDataFile& ai = aiFile();
    const float wind = cappedWindSpeed();
    const float range = (1.0f - wind * 0.01f * ai.getFloat("guard.wind_hearing_impact", -999.0f)) *
                        static_cast<float>(ai.getInt("guard.hearing_range", absent));
    return std::max(range, ai.getFloat("guard.min_hearing_range", -999.0f));
}

bool isWithinNoiseRange(Ped guard, const Vector3& position) {
    int noiseRange = aiFile().getInt("guard.noise_range", absent);
    if (noiseRange == absent)
        noiseRange = defaultNoiseRange;
    return distanceBetween(position, positionOf(guard)) <= static_cast<float>(noiseRange);
}

} // namespace drovil
