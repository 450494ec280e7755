#include "world/wildlife/animals.h"

#include "world/core/strings.h"

#include <map>
#include <set>
#include <string>

namespace sim {
namespace {

const std::set<std::uint32_t>& hashesOf(std::initializer_list<const char*> names) {
    auto* hashes = new std::set<std::uint32_t>();
    for (const char* name : names)
        hashes->insert(gameHash(name));
    return *hashes;
}

const std::set<std::uint32_t>& horses() {
    static const std::set<std::uint32_t>& models = hashesOf({
        "a_c_horse_kentuckysaddle_black", "a_c_horse_kentuckysaddle_buttermilkbuckskin_pc",
        "a_c_horse_kentuckysaddle_chestnutpinto", "a_c_horse_kentuckysaddle_grey",
        "a_c_horse_kentuckysaddle_silverbay", "a_c_horse_morgan_bay", "a_c_horse_morgan_bayroan",
        "a_c_horse_morgan_flaxenchestnut", "a_c_horse_morgan_palomino", "a_c_horse_tennesseewalker_blackrabicano",
        "a_c_horse_tennesseewalker_chestnut", "a_c_horse_tennesseewalker_dapplebay",
        "a_c_horse_tennesseewalker_redroan", "a_c_horse_americanstandardbred_black",
        "a_c_horse_americanstandardbred_buckskin", "a_c_horse_americanstandardbred_palominodapple",
        "a_c_horse_americanstandardbred_silvertailbuckskin", "a_c_horse_mustang_grullodun",
        "a_c_horse_nokota_whiteroan", "a_c_horse_arabian_white", "a_c_horse_shire_darkbay",
        "a_c_horse_dutchwarmblood_chocolateroan", "a_c_horse_thoroughbred_brindle",
    });
    return models;
}

// model, type, bird, predator, approach tuning, health, alert distance, flee speed.
// Game animals die of one good hit; predators take more.
const AnimalKind kinds[] = {
    {"a_c_deer_01", "AT_DEER", false, false, 14.0f, 20, 30.0f, 10.0f},
    {"a_c_buck_01", "AT_BUCK", false, false, 15.0f, 20, 32.0f, 10.0f},
    {"a_c_rabbit_01", "AT_RABBIT", false, false, 8.0f, 10, 15.0f, 7.0f},
    {"a_c_crow_01", "AT_CROW", true, false, 6.0f, 5, 12.0f, 12.0f},
    {"a_c_fox_01", "AT_FOX", false, true, 10.0f, 30, 22.0f, 9.0f},
    {"a_c_coyote_01", "AT_COYOTE", false, true, 12.0f, 40, 25.0f, 9.0f},
    {"a_c_wolf", "AT_WOLF", false, true, 14.0f, 50, 25.0f, 9.0f},
    {"a_c_bear_01", "AT_BEAR", false, true, 16.0f, 150, 20.0f, 7.0f},
    {"a_c_cougar_01", "AT_COUGAR", false, true, 14.0f, 80, 20.0f, 9.0f},
    {"a_c_cow", "AT_COW", false, false, 10.0f, 60, 5.0f, 4.0f},
    {"a_c_pig_01", "AT_PIG", false, false, 8.0f, 40, 5.0f, 4.0f},
    {"a_c_sheep_01", "AT_SHEEP", false, false, 8.0f, 30, 6.0f, 5.0f},
    {"a_c_chicken_01", "AT_CHICKEN", true, false, 4.0f, 5, 4.0f, 3.0f},
    {"a_c_dogamericanfoxhound_01", "AT_DOG", false, false, 8.0f, 40, 0.0f, 8.0f},
    {"a_c_dogaustraliansheperd_01", "AT_DOG", false, false, 8.0f, 40, 0.0f, 8.0f},
    {"a_c_dogbluetickcoonhound_01", "AT_DOG", false, false, 8.0f, 40, 0.0f, 8.0f},
    {"a_c_dogcatahoulacur_01", "AT_DOG", false, false, 8.0f, 40, 0.0f, 8.0f},
    {"a_c_dogchesbayretriever_01", "AT_DOG", false, false, 8.0f, 40, 0.0f, 8.0f},
    {"a_c_dogcollie_01", "AT_DOG", false, false, 8.0f, 40, 0.0f, 8.0f},
    {"a_c_doghound_01", "AT_DOG", false, false, 8.0f, 40, 0.0f, 8.0f},
    {"a_c_doghusky_01", "AT_DOG", false, false, 8.0f, 40, 0.0f, 8.0f},
};

const std::map<std::uint32_t, const AnimalKind*>& kindsByModel() {
    static const auto* byModel = [] {
        auto* map = new std::map<std::uint32_t, const AnimalKind*>();
        for (const AnimalKind& kind : kinds)
            (*map)[gameHash(kind.model)] = &kind;
        return map;
    }();
    return *byModel;
}

} // namespace

bool isHorseModel(std::uint32_t model) { return horses().count(model) != 0; }

bool isAnimalModel(std::uint32_t model) { return isHorseModel(model) || kindsByModel().count(model) != 0; }

const AnimalKind* animalKindOf(std::uint32_t model) {
    auto found = kindsByModel().find(model);
    return found == kindsByModel().end() ? nullptr : found->second;
}

std::uint32_t animalTypeOf(std::uint32_t model) {
    if (isHorseModel(model))
        return gameHash("AT_HORSE");
    const AnimalKind* kind = animalKindOf(model);
    return kind ? gameHash(kind->typeName) : 0;
}

} // namespace sim
