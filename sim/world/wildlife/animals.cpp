#include "world/wildlife/animals.h"

#include "world/core/strings.h"

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

const std::set<std::uint32_t>& otherAnimals() {
    static const std::set<std::uint32_t>& models = hashesOf({
        "a_c_dogamericanfoxhound_01", "a_c_dogcatahoulacur_01", "a_c_doghusky_01", "a_c_dogcollie_01", "a_c_deer_01", "a_c_buck_01",
        "a_c_rabbit_01", "a_c_fox_01", "a_c_coyote_01", "a_c_wolf", "a_c_crow_01", "a_c_cow", "a_c_pig_01",
        "a_c_sheep_01", "a_c_chicken_01", "a_c_bear_01", "a_c_cougar_01",
    });
    return models;
}

} // namespace

bool isHorseModel(std::uint32_t model) { return horses().count(model) != 0; }

bool isAnimalModel(std::uint32_t model) { return isHorseModel(model) || otherAnimals().count(model) != 0; }

} // namespace sim
