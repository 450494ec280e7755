// The game's names: the simulator knows which models, propsets, scenarios,
// weapons, controls, textures, sounds, speech lines, animations and document
// items the game has, answers as the game does for a name it lacks (nothing
// loads, plays or shows), and stops the run on one, as on an unknown native.
#include "support/game.h"
#include "support/script_thread.h"

#include "behaviour/speech.h"
#include "host/sim_host.h"
#include "runtime/model_load.h"
#include "runtime/natives.h"
#include "ui/prompt.h"
#include "ui/sprite.h"
#include "world/core/game_names.h"

#include <gtest/gtest.h>

namespace natives = drovil::natives;
using drovil::Ped;
using sim::GameNames;
using sim::NameKind;
using sim::NameStanding;
using sim::WeaponGroup;

namespace {

// A session that answers as the game for names it lacks without stopping:
// what these tests look at.
struct LenientGame {
    LenientGame() {
        session.world().townsfolk.enabled = false;
        session.world().names.strict = false;
        started = test::startGame(session);
    }
    sim::World& world() { return session.world(); }
    void script(std::function<void()> work) { test::runOnScriptThread(session, std::move(work)); }
    sim::Session session;
    bool started = false;
};

} // namespace

TEST(GameNames, TheCatalogueHoldsTheGamesNamesByKind) {
    const GameNames& names = GameNames::catalogue();
    EXPECT_GT(names.all().size(), 14000u);
    // Peds, horses and animals, vehicles and the card's prop are all models.
    for (const char* model : {"a_m_m_valtownfolk_01", "A_C_HORSE_MORGAN_BAY", "a_c_deer_01", "player_zero",
                              "stagecoach004_2x", "northsteamer01x", "p_cs_photonudie05x_4x6"})
        EXPECT_NE(names.find(NameKind::Model, model), nullptr) << model;
    EXPECT_EQ(names.find(NameKind::Model, "a_m_m_valtownfolk_09"), nullptr);
    EXPECT_EQ(names.standing(NameKind::Model, sim::gameHash("a_m_m_valtownfolk_09")), NameStanding::Absent);
    // A name belongs to its kind only: a scenario is no model.
    EXPECT_NE(names.find(NameKind::Scenario, "WORLD_HUMAN_SMOKE"), nullptr);
    EXPECT_EQ(names.find(NameKind::Model, "WORLD_HUMAN_SMOKE"), nullptr);
    EXPECT_NE(names.find(NameKind::Propset, "pg_vehload_lumber01"), nullptr);
    EXPECT_NE(names.find(NameKind::Control, "INPUT_FRONTEND_DOWN"), nullptr);
    // A texture is found by its own name, whatever its dictionary.
    EXPECT_NE(names.find(NameKind::Texture, "inkroller_1a"), nullptr);
    EXPECT_NE(names.find(NameKind::Texture, "itemtype_cash"), nullptr);
    EXPECT_NE(names.find(NameKind::TextureDictionary, "menu_textures"), nullptr);
    EXPECT_NE(names.find(NameKind::Sound, "HUD_SHOP_SOUNDSET/SELECT"), nullptr);
    EXPECT_NE(names.find(NameKind::AnimClip, "handover_money_plyr"), nullptr);

    // The names found nowhere: eleven speech lines and the card's item.
    int unconfirmed = 0;
    for (const sim::GameName& name : names.all())
        unconfirmed += name.standing == NameStanding::Unconfirmed ? 1 : 0;
    EXPECT_EQ(unconfirmed, 12);
    EXPECT_EQ(names.standing(NameKind::Speech, sim::gameHash("GREET_FLIRTY")), NameStanding::Unconfirmed);
    EXPECT_EQ(names.standing(NameKind::Document, sim::gameHash("CARD_CONTRACT_TARGET")), NameStanding::Unconfirmed);
    EXPECT_EQ(names.standing(NameKind::Speech, sim::gameHash("GREET_SHOUTED")), NameStanding::Listed);
    EXPECT_EQ(names.standing(NameKind::Other, sim::gameHash("KV_Drovil_isContractCard")), NameStanding::Own);

    // Every weapon has its group.
    for (const sim::GameName& name : names.all()) {
        if (name.kind == NameKind::Weapon) {
            EXPECT_NE(name.group, WeaponGroup::None) << name.name;
        }
    }
}

TEST(GameNames, ATableLineThatDoesNotReadIsNamed) {
    std::string error;
    const char* const good[] = {"# a comment", "model\ta_m_m_valtownfolk_01\tgame",
                                "weapon\tweapon_bow\tgame\tbow"};
    const GameNames names = GameNames::read(good, 3, error);
    EXPECT_TRUE(error.empty()) << error;
    EXPECT_EQ(names.all().size(), 2u);
    const char* const noGroup[] = {"weapon\tweapon_bow\tgame"};
    GameNames::read(noGroup, 1, error);
    EXPECT_NE(error.find("line 1"), std::string::npos) << error;
    const char* const badStanding[] = {"model\ta_m_m_valtownfolk_01\tperhaps"};
    error.clear();
    GameNames::read(badStanding, 1, error);
    EXPECT_NE(error.find("perhaps"), std::string::npos) << error;
}

// IS_WEAPON_A_GUN and its family answer by the weapon's group, for every
// weapon of the game.
TEST(GameWeapons, GunsRiflesAndSniperRiflesAreTheWeaponsOfTheirGroups) {
    LenientGame game;
    ASSERT_TRUE(game.started);
    struct Case {
        const char* weapon;
        bool gun, rifle, sniper;
    };
    const Case cases[] = {
        {"WEAPON_BOW", false, false, false},
        {"WEAPON_BOW_IMPROVED", false, false, false},
        {"WEAPON_THROWN_TOMAHAWK", false, false, false},
        {"WEAPON_THROWN_DYNAMITE", false, false, false},
        {"WEAPON_MELEE_HATCHET", false, false, false},
        {"WEAPON_MELEE_MACHETE", false, false, false},
        {"WEAPON_MELEE_KNIFE", false, false, false},
        {"WEAPON_MELEE_LANTERN", false, false, false},
        {"WEAPON_LASSO", false, false, false},
        {"WEAPON_UNARMED", false, false, false},
        {"WEAPON_REVOLVER_NAVY", true, false, false},
        {"WEAPON_PISTOL_MAUSER", true, false, false},
        {"WEAPON_SHOTGUN_PUMP", true, false, false},
        {"WEAPON_REPEATER_EVANS", true, false, false},
        {"WEAPON_RIFLE_ELEPHANT", true, true, false},
        {"WEAPON_RIFLE_SPRINGFIELD", true, true, false},
        {"WEAPON_SNIPERRIFLE_CARCANO", true, false, true},
    };
    for (const Case& c : cases) {
        bool gun = !c.gun, rifle = !c.rifle, sniper = !c.sniper;
        const drovil::Hash weapon = sim::gameHash(c.weapon);
        game.script([&] {
            gun = natives::combat::isGun(weapon);
            rifle = natives::weapon::isRifle(weapon);
            sniper = natives::weapon::isSniper(weapon);
        });
        EXPECT_EQ(gun, c.gun) << c.weapon;
        EXPECT_EQ(rifle, c.rifle) << c.weapon;
        EXPECT_EQ(sniper, c.sniper) << c.weapon;
    }
    // A hash that is no weapon of the game is no gun.
    bool gun = true;
    game.script([&] { gun = natives::combat::isGun(sim::gameHash("WEAPON_REVOLVER_NONESUCH")); });
    EXPECT_FALSE(gun);
}

// What the player and the world's peds carry is the game's, each weapon of
// its group: the player his revolver, repeater, knife and lasso.
TEST(GameWeapons, WhatThePlayerAndPedsCarryIsTheGamesWeapons) {
    LenientGame game;
    ASSERT_TRUE(game.started);
    sim::World& world = game.world();
    const sim::PedWeapons& player = world.weapons.of(world, world.player.pedId);
    std::vector<WeaponGroup> groups;
    for (std::uint32_t weapon : player.carried)
        groups.push_back(GameNames::weaponGroup(weapon));
    EXPECT_EQ(groups, (std::vector<WeaponGroup>{WeaponGroup::Revolver, WeaponGroup::Repeater, WeaponGroup::Melee,
                                                WeaponGroup::Lasso}));
    EXPECT_EQ(world.weapons.best(world, world.player.pedId), sim::Weapons::repeater());

    for (const char* model : {"g_m_m_unicriminals_01", "s_m_m_ambientlawrural_01", "a_m_m_valtownfolk_01",
                              "a_m_m_rancher_01", "a_c_deer_01"}) {
        const drovil::Vector3 at = world.playerPed().position;
        const int ped = world.entities.create(sim::EntityKind::Ped, sim::gameHash(model), at, 0.0f).id;
        for (std::uint32_t weapon : world.weapons.of(world, ped).carried)
            EXPECT_NE(GameNames::weaponGroup(weapon), WeaponGroup::None) << model;
        EXPECT_NE(GameNames::weaponGroup(world.weapons.current(world, ped)), WeaponGroup::None) << model;
    }

    // A ped with a knife and a bow has no gun: its best weapon is no gun either.
    const int hunter = world.entities.create(sim::EntityKind::Ped, sim::gameHash("a_m_m_valtownfolk_01"),
                                             world.playerPed().position, 0.0f).id;
    world.weapons.remove(world, hunter, sim::Weapons::revolver());
    bool armed = true;
    game.script([&] {
        natives::weapon::giveDelayedWeapon(Ped(hunter), sim::gameHash("WEAPON_MELEE_KNIFE"), 1, false, 0);
        natives::weapon::giveDelayedWeapon(Ped(hunter), sim::gameHash("WEAPON_BOW"), 12, false, 0);
        armed = natives::combat::isGun(natives::combat::bestWeapon(Ped(hunter), 0, 0));
    });
    EXPECT_FALSE(armed);
}

TEST(GameNamesTheGameLacks, AModelOrAPropsetNeverLoads) {
    LenientGame game;
    ASSERT_TRUE(game.started);
    bool modelLoaded = true, realLoaded = false, propsetLoaded = true;
    game.script([&] {
        modelLoaded = drovil::loadModelWithin(sim::gameHash("a_m_m_valtownfolk_09"), 2000, "Test");
        realLoaded = drovil::loadModelWithin(sim::gameHash("a_m_m_valtownfolk_01"), 2000, "Test");
        const drovil::Hash propset = natives::misc::hashOfName("pg_ambient_campfire99x");
        natives::propset::request(propset);
        drovil::scriptWait(500);
        propsetLoaded = natives::propset::isLoaded(propset);
    });
    EXPECT_FALSE(modelLoaded);
    EXPECT_TRUE(realLoaded);
    EXPECT_FALSE(propsetLoaded);
    EXPECT_TRUE(game.session.logContains("did not load within 2000 ms"));
    EXPECT_TRUE(game.world().names.wasRefused("pg_ambient_campfire99x"))
        << "the name is known from the plug-in's own hashing";
}

TEST(GameNamesTheGameLacks, AScenarioDoesNotStart) {
    LenientGame game;
    ASSERT_TRUE(game.started);
    sim::World& world = game.world();
    const drovil::Vector3 at = world.playerPed().position;
    const int ped = world.entities.create(sim::EntityKind::Ped, sim::gameHash("a_m_m_valtownfolk_01"),
                                          drovil::Vector3(at.x + 4.0f, at.y, at.z), 0.0f).id;
    drovil::ScenarioPoint made, none;
    game.script([&] {
        made = natives::scenario::createPoint(natives::misc::hashOfName("WORLD_HUMAN_SMOKE"), at, 0.0f, 0, -1, true);
        none = natives::scenario::createPoint(natives::misc::hashOfName("WORLD_HUMAN_SMOKING_NONESUCH"), at, 0.0f,
                                              0, -1, true);
        natives::task::scenarioInPlace(Ped(ped), natives::misc::hashOfName("WORLD_HUMAN_LEAN_NONESUCH"), -1, true,
                                       0, 0.0f, true);
    });
    EXPECT_NE(made.id, 0);
    EXPECT_EQ(none.id, 0);
    game.session.runFrames(3);
    EXPECT_FALSE(world.tasks.usingScenario(ped)) << "the ped does not take up a scenario the game does not have";
    EXPECT_FALSE(world.tasks.busy(ped));
    EXPECT_TRUE(world.names.wasRefused("WORLD_HUMAN_LEAN_NONESUCH"));
}

TEST(GameNamesTheGameLacks, AnAnimationASpeechLineAndASoundAreNotPlayed) {
    LenientGame game;
    ASSERT_TRUE(game.started);
    sim::World& world = game.world();
    const Ped me(world.player.pedId);
    bool dictionary = true;
    game.script([&] {
        natives::animation::requestDictionary("script_common@handover@nonesuch");
        drovil::scriptWait(300);
        dictionary = natives::animation::dictionaryLoaded("script_common@handover@nonesuch");
        drovil::playSpeech(me, "GREET_NONESUCH");
        natives::audio::playSoundFrontend("NONESUCH", "HUD_SHOP_SOUNDSET", true, 0);
        natives::audio::playSoundFrontend("INFO", "HUD_SHOP_SOUNDSET", true, 0);
    });
    EXPECT_FALSE(dictionary);
    EXPECT_TRUE(world.speech.linesOf(me.id).empty()) << "a line the game does not have is not said";
    ASSERT_EQ(world.sounds.played.size(), 1u);
    EXPECT_EQ(world.sounds.played.back().sound, "INFO");
    for (const char* name : {"script_common@handover@nonesuch", "GREET_NONESUCH", "HUD_SHOP_SOUNDSET/NONESUCH"})
        EXPECT_TRUE(world.names.wasRefused(name)) << name;
}

TEST(GameNamesTheGameLacks, APromptOnAControlItLacksNeverCompletesAndASpriteDrawsNothing) {
    LenientGame game;
    ASSERT_TRUE(game.started);
    sim::World& world = game.world();
    drovil::Prompt* prompt = nullptr;
    game.script([&] {
        prompt = drovil::createPrompt("Lacks a button", "INPUT_CONTEXT_NONESUCH");
        prompt->setVisible(true);
    });
    const sim::PromptRecord* record = world.prompts.findVisible("Lacks a button");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->control, 0u) << "no button of the game is bound to it";
    world.prompts.pressControl("INPUT_CONTEXT_NONESUCH");
    bool activated = true;
    game.script([&] {
        activated = prompt->isActivated();
        delete prompt;
    });
    EXPECT_FALSE(activated);

    world.hud.dictionaries.preload("menu_textures");
    game.script([&] {
        drovil::drawSprite("menu_textures", "divider_line", 0.1f, 0.1f, 0.2f, 0.01f, 0.0f, 255, 255, 255, 255);
        drovil::drawSprite("menu_textures", "divider_line_nonesuch", 0.1f, 0.2f, 0.2f, 0.01f, 0.0f, 255, 255, 255,
                           255);
    });
    ASSERT_NE(world.hud.spriteDrawn("menu_textures", "divider_line"), nullptr);
    EXPECT_TRUE(world.hud.spriteDrawn("menu_textures", "divider_line")->drawn());
    ASSERT_NE(world.hud.spriteDrawn("menu_textures", "divider_line_nonesuch"), nullptr);
    EXPECT_FALSE(world.hud.spriteDrawn("menu_textures", "divider_line_nonesuch")->drawn());
    bool loaded = true;
    game.script([&] { loaded = drovil::loadTextureDictionary("menu_textures_nonesuch", 5, 0); });
    EXPECT_FALSE(loaded) << "a dictionary the game does not have never loads";
}

TEST(GameNamesTheGameLacks, AWeaponCannotBeGivenHeldOrLoaded) {
    LenientGame game;
    ASSERT_TRUE(game.started);
    sim::World& world = game.world();
    const Ped me(world.player.pedId);
    const drovil::Hash nonesuch = sim::gameHash("WEAPON_REVOLVER_NONESUCH");
    bool has = true;
    drovil::Hash held = 0;
    game.script([&] {
        natives::weapon::giveDelayedWeapon(me, nonesuch, 6, false, 0);
        natives::combat::holdWeapon(me, nonesuch, true, 0, 0, 0);
        natives::inventory::addAmmoForWeapon(me, nonesuch, 6, 0);
        has = natives::weapon::pedHasWeapon(me, nonesuch, 0, false);
        natives::ped::currentWeapon(me, &held, false, 0, false);
    });
    EXPECT_FALSE(has);
    EXPECT_EQ(held, sim::Weapons::unarmed());
    EXPECT_EQ(world.weapons.of(world, me.id).ammoForWeapon.count(nonesuch), 0u);
}

// The names found nowhere are taken as the game's, unless a test plays the
// game without them: then they are refused like any other, without stopping.
TEST(GameNamesTheGameLacks, TheUnconfirmedNamesAreTheGamesUnlessATestPlaysWithoutThem) {
    sim::NameChecks checks;
    const std::uint32_t flirt = sim::gameHash("GREET_FLIRTY");
    EXPECT_TRUE(checks.inGame(NameKind::Speech, flirt, "said"));
    checks.unconfirmedMissing = true;
    EXPECT_FALSE(checks.inGame(NameKind::Speech, flirt, "said")) << "refused, and strict does not stop the run";
    EXPECT_TRUE(checks.wasRefused("GREET_FLIRTY"));
    EXPECT_TRUE(checks.inGame(NameKind::Speech, sim::gameHash("GREET_SHOUTED"), "said"));
}

TEST(GameNamesDeathTest, ANameTheGameLacksIsALoudFailure) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    sim::NameChecks checks;
    checks.noteHashed("a_m_m_valtownfolk_09", sim::gameHash("a_m_m_valtownfolk_09"));
    EXPECT_DEATH(checks.inGame(NameKind::Model, sim::gameHash("a_m_m_valtownfolk_09"), "asked to load"),
                 "the plug-in passed the model 'a_m_m_valtownfolk_09' \\(asked to load\\), which the game does not "
                 "have");
    // Through the native table, as the plug-in calls it.
    EXPECT_DEATH(sim::SimHost::instance().dispatch().call(natives::decl::streaming::requestModel::hash,
                                                          {0x12345678u, 0}),
                 "the plug-in passed the model '0x12345678'");
}
