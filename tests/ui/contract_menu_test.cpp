// The contract menu: offered on a seat, its rows read off the screen, moved
// through, viewed and abandoned; and pictures of the screen it leaves.
#include "support/game.h"
#include "support/syntax_check.h"

#include "scenarios/menu_play.h"
#include "scenarios/scenario_run.h"
#include "scenarios/scenarios.h"
#include "scenarios/screen_snapshot.h"
#include "session/session.h"
#include "world/area_ids.h"
#include "world/places/scenario_point_data.h"
#include "world/screen/documents.h"

#include <gtest/gtest.h>

#include <set>

using namespace test;

namespace {

const drovil::Vector3 valentineMainStreet(-312.085f, 830.793f, 119.576f);

std::string slotKey(drovil::Hash area) {
    return "missions." + std::to_string(drovil::area_ids::asSigned(area));
}

// Valentine's camp contract ($60) and a Strawberry one ($35); Rhodes' slot
// points to Valentine's mission too, Blackwater's to a mission without a file.
sim::ScenarioFiles twoContracts() {
    sim::ScenarioFiles files;
    sim::writeTakenCampContract(files);
    std::string strawberry = files["Missions/0.dat"];
    auto replace = [&](const std::string& key, const std::string& value) {
        const auto at = strawberry.find("\n" + key + "=");
        const auto end = strawberry.find('\n', at + 1);
        strawberry.replace(at + 1, end - at - 1, key + "=" + value);
    };
    strawberry.replace(0, strawberry.find('\n'), "id=1");
    replace("areaId", std::to_string(drovil::area_ids::asSigned(drovil::area_ids::Strawberry)));
    replace("bounty", "35");
    replace("coords", "-1790.0,-420.0,155.0");
    replace("blipCoords", "-1780.0,-410.0,155.0");
    files["Missions/1.dat"] = strawberry;
    files["Savegame.dat"] = "next_mission_id=2\npending_payment=12.5\n" + slotKey(drovil::area_ids::Valentine) +
                            "=0\n" + slotKey(drovil::area_ids::Strawberry) + "=1\n" +
                            slotKey(drovil::area_ids::Rhodes) + "=0\n" + slotKey(drovil::area_ids::Blackwater) +
                            "=7\n";
    return files;
}

// The drawn text that begins with `start`, or nullptr.
const sim::DrawnText* textStartingWith(const sim::World& world, const std::string& start) {
    for (const sim::DrawnText& text : world.hud.texts)
        if (text.text.rfind(start, 0) == 0)
            return &text;
    return nullptr;
}

// The menu's panel spans 0.015 to 0.265 of the screen's width, its header 0.025
// to 0.265: a centred line stands in the middle of what it heads, every text
// inside the panel.
void expectCentredInThePanel(const sim::World& world, const std::string& start, float middle) {
    const sim::DrawnText* text = textStartingWith(world, start);
    ASSERT_NE(text, nullptr) << start;
    EXPECT_TRUE(text->centred) << start;
    const sim::TextSpan span = sim::textSpanOf(*text);
    EXPECT_NEAR(span.middle(), middle, 0.001f) << start;
    EXPECT_GT(span.left, 0.015f) << start;
    EXPECT_LT(span.right, 0.015f + 0.25f) << start;
}

struct MenuRig {
    explicit MenuRig(sim::ScenarioFiles files, int cashCents = 10000, std::vector<std::string> settings = {})
        : session(options(std::move(files), std::move(settings))), run(session, 200000, nullptr) {
        session.world().player.cashCents = cashCents;
        started = startGame(session);
        run.wait(1500);
    }
    static sim::SessionOptions options(sim::ScenarioFiles files, std::vector<std::string> settings) {
        sim::SessionOptions options;
        options.writeFiles = std::move(files);
        options.settingsLines = std::move(settings);
        return options;
    }
    sim::World& world() { return session.world(); }
    bool sitOnBench() {
        return sim::sitOnSeatNear(run, valentineMainStreet, sim::seats::bench.pointType, "a bench");
    }
    bool openMenu() { return sitOnBench() && sim::openContractMenu(run); }
    std::vector<sim::MenuRowSeen> rows() { return sim::menuRowsOnScreen(world()); }
    int selectedRow() {
        const auto seen = rows();
        for (std::size_t i = 0; i < seen.size(); ++i)
            if (seen[i].selected)
                return static_cast<int>(i);
        return -1;
    }
    int abortEventsSent() {
        return world().gameEvents.countStartingWith(
            static_cast<std::int32_t>(sim::gameHash("DROVIL_ABORT_MISSION")));
    }
    sim::Session session;
    sim::ScenarioRun run;
    bool started = false;
};

} // namespace

TEST(ContractMenu, ListsOneRowPerAreaWithItsBountyAndPicturesItAndTheCardBack) {
    MenuRig rig(twoContracts());
    ASSERT_TRUE(rig.started);
    ASSERT_TRUE(rig.openMenu());
    rig.run.frame();
    const auto rows = rig.rows();
    // Rhodes' slot names Valentine's mission again and Blackwater's has no
    // file: two rows.
    ASSERT_EQ(rows.size(), 2u);
    std::set<std::string> prices, labels;
    for (const auto& row : rows) {
        prices.insert(row.price);
        labels.insert(row.label);
        EXPECT_FALSE(row.greyed);
    }
    EXPECT_EQ(prices, (std::set<std::string>{"$60.00", "$35.00"}));
    EXPECT_EQ(labels.count("Strawberry"), 1u);
    EXPECT_TRUE(rows[0].selected);
    // The panel hides the game's HUD, shows the title, the pending balance in
    // whole dollars, and the menu's prompts under the group's title.
    EXPECT_TRUE(rig.world().hud.gameHudHidden);
    EXPECT_TRUE(rig.world().hud.textDrawn(rig.run.lang("menu.title")));
    EXPECT_TRUE(rig.world().hud.textDrawn("$12"));
    EXPECT_EQ(rig.world().prompts.activeGroupTitle(), rig.run.lang("prompts.drovil_menu"));
    EXPECT_NE(rig.world().prompts.findVisible(rig.run.lang("prompts.drovil_menu.view")), nullptr);
    EXPECT_EQ(rig.world().prompts.findVisible(rig.run.lang("prompts.drovil_menu")), nullptr);

    expectCentredInThePanel(rig.world(), rig.run.lang("menu.title"), 0.025f + 0.24f * 0.5f);
    const std::string pending = rig.run.lang("menu.pending_payment");
    expectCentredInThePanel(rig.world(), pending.substr(0, pending.find('%')), 0.015f + 0.25f * 0.5f);
    for (const sim::DrawnText& text : rig.world().hud.texts) {
        const sim::TextSpan span = sim::textSpanOf(text);
        EXPECT_GT(span.left, 0.015f) << text.text;
        EXPECT_LT(span.right, 0.015f + 0.25f) << text.text;
    }

    const std::string menuPicture = sim::screenSnapshotSvg(rig.world(), "the open menu");
    std::string error;
    EXPECT_TRUE(isWellFormedXml(menuPicture, error)) << error;
    for (const std::string& expected :
         {std::string("Valentine"), std::string("Strawberry"), std::string("$60"), std::string("$35"),
          std::string("generic_textures/inkroller_1a"), std::string("menu_textures/crafting_highlight_t"),
          rig.run.lang("prompts.drovil_menu.abort")})
        EXPECT_NE(menuPicture.find(expected), std::string::npos) << expected;

    // The card viewed from the menu: its back, then the menu again once it is put away.
    ASSERT_TRUE(sim::viewSelectedContract(rig.run));
    const int me = rig.world().player.pedId;
    ASSERT_TRUE(rig.run.waitUntil([&] { return sim::flipHeldDocument(rig.world()); }, 8000));
    rig.run.wait(500);
    EXPECT_FALSE(sim::menuOnScreen(rig.world()));
    const std::string cardPicture = sim::screenSnapshotSvg(rig.world(), "the back of the card");
    EXPECT_TRUE(isWellFormedXml(cardPicture, error)) << error;
    EXPECT_NE(cardPicture.find("$60.00"), std::string::npos);
    EXPECT_NE(cardPicture.find("generic_textures/inkroller_1a"), std::string::npos);
    EXPECT_EQ(rig.world().prompts.findVisible(rig.run.lang("prompts.drovil_menu.view")), nullptr);
    sim::turnHeldDocumentBack(rig.world());
    rig.run.wait(500);
    ASSERT_TRUE(sim::putAwayHeldDocument(rig.world()));
    ASSERT_TRUE(rig.run.waitUntil([&] { return sim::menuOnScreen(rig.world()); }, 2000));
    EXPECT_EQ(rig.world().documents.held(me), nullptr);
    EXPECT_EQ(rig.rows().size(), 2u);
}

TEST(ContractMenu, TheSelectionStopsAtBothEndsWithAClickForEveryPress) {
    MenuRig rig(twoContracts());
    ASSERT_TRUE(rig.openMenu());
    rig.run.frame();
    ASSERT_EQ(rig.selectedRow(), 0);
    const int clicks = rig.world().sounds.count("INFO");
    sim::moveMenuSelection(rig.run, false); // previous at the first row
    EXPECT_EQ(rig.selectedRow(), 0);
    sim::moveMenuSelection(rig.run, true);
    EXPECT_EQ(rig.selectedRow(), 1);
    sim::moveMenuSelection(rig.run, true); // next at the last row
    EXPECT_EQ(rig.selectedRow(), 1);
    sim::moveMenuSelection(rig.run, false);
    EXPECT_EQ(rig.selectedRow(), 0);
    EXPECT_EQ(rig.world().sounds.count("INFO") - clicks, 4);
    for (const sim::FrontendSound& sound : rig.world().sounds.played)
        EXPECT_EQ(sound.soundSet, "HUD_SHOP_SOUNDSET");
}

TEST(ContractMenu, ARowDearerThanThePlayersCashIsGreyedAndSkipped) {
    // $40 in the pocket: Valentine's $60 contract cannot be chosen.
    MenuRig rig(twoContracts(), 4000);
    ASSERT_TRUE(rig.openMenu());
    rig.run.frame();
    auto rows = rig.rows();
    ASSERT_EQ(rows.size(), 2u);
    for (const auto& row : rows) {
        EXPECT_EQ(row.greyed, row.price == "$60.00");
        EXPECT_EQ(row.selected, row.price == "$35.00");
    }
    sim::moveMenuSelection(rig.run, true);
    sim::moveMenuSelection(rig.run, false);
    for (const auto& row : rig.rows())
        EXPECT_EQ(row.selected, row.price == "$35.00");
}

TEST(ContractMenu, WithOnlyGreyedRowsNothingIsSelectedAndAbandoningDoesNothing) {
    MenuRig rig(twoContracts(), 0);
    ASSERT_TRUE(rig.openMenu());
    rig.run.frame();
    EXPECT_EQ(rig.rows().size(), 2u);
    EXPECT_EQ(rig.selectedRow(), -1);
    const sim::PromptRecord* abort = rig.world().prompts.findVisible(rig.run.lang("prompts.drovil_menu.abort"));
    ASSERT_NE(abort, nullptr);
    EXPECT_FALSE(abort->enabled);
    rig.world().prompts.pressControl("INPUT_FRONTEND_DELETE");
    rig.world().prompts.pressControl("INPUT_FRONTEND_ACCEPT");
    rig.run.wait(1000);
    EXPECT_EQ(rig.abortEventsSent(), 0);
    EXPECT_EQ(rig.world().documents.held(rig.world().player.pedId), nullptr);
}

TEST(ContractMenu, WithoutContractsItSaysSoAndViewAndAbortDoNothing) {
    MenuRig rig({});
    ASSERT_TRUE(rig.openMenu());
    rig.run.frame();
    EXPECT_TRUE(rig.rows().empty());
    const std::string empty = rig.run.lang("menu.empty");
    EXPECT_TRUE(rig.world().hud.textDrawn(empty.substr(0, empty.find('@'))));
    expectCentredInThePanel(rig.world(), empty.substr(0, empty.find('@')), 0.015f + 0.25f * 0.5f);
    rig.world().prompts.pressControl("INPUT_FRONTEND_DELETE");
    rig.world().prompts.pressControl("INPUT_FRONTEND_ACCEPT");
    rig.run.wait(1000);
    EXPECT_EQ(rig.abortEventsSent(), 0);
    EXPECT_EQ(rig.world().documents.held(rig.world().player.pedId), nullptr);
    EXPECT_TRUE(sim::closeContractMenu(rig.run));
    // Closed, the menu's own prompts are gone with its group.
    EXPECT_EQ(rig.world().prompts.findVisible(rig.run.lang("prompts.drovil_menu.close")), nullptr);
    rig.run.frame();
    EXPECT_NE(rig.world().prompts.findVisible(rig.run.lang("prompts.drovil_menu")), nullptr);
    // A story mission of the game keeps the menu away even on a seat.
    rig.world().missionFlag = true;
    rig.run.wait(200);
    EXPECT_EQ(rig.world().prompts.findVisible(rig.run.lang("prompts.drovil_menu")), nullptr);
}

TEST(ContractMenu, IsOfferedOnlyOnASeat) {
    MenuRig rig(twoContracts());
    const std::string open = rig.run.lang("prompts.drovil_menu");
    rig.run.wait(500);
    EXPECT_EQ(rig.world().prompts.findVisible(open), nullptr);
    for (const sim::SeatKind* kind : {&sim::seats::bench, &sim::seats::chairAtTable}) {
        ASSERT_TRUE(sim::sitOnSeatNear(rig.run, valentineMainStreet, kind->pointType, "a seat")) << kind->scenario;
        rig.run.frame();
        EXPECT_NE(rig.world().prompts.findVisible(open), nullptr) << kind->scenario;
        rig.run.player().standUp();
        rig.run.wait(1000);
        EXPECT_EQ(rig.world().prompts.findVisible(open), nullptr) << kind->scenario;
    }
}

TEST(ContractMenu, AbandoningFromTheMenuEndsTheMissionAndTheRowGoes) {
    MenuRig rig(twoContracts());
    ASSERT_TRUE(rig.openMenu());
    rig.run.frame();
    std::string abandonedPrice = rig.rows()[0].price;
    ASSERT_TRUE(sim::abandonSelectedContract(rig.run));
    ASSERT_TRUE(rig.run.waitUntil([&] { return rig.rows().size() == 1; }, 3000)) << rig.session.newLog();
    EXPECT_NE(rig.rows()[0].price, abandonedPrice);
    EXPECT_TRUE(rig.rows()[0].selected);
    EXPECT_EQ(rig.abortEventsSent(), 1);
    EXPECT_TRUE(rig.session.logContains("DrovilEngine: received event: DROVIL_ABORT_MISSION"));
    // Rhodes' slot still names the abandoned mission: an ended contract is
    // never listed again, not even after the menu is opened anew.
    ASSERT_TRUE(sim::closeContractMenu(rig.run));
    ASSERT_TRUE(sim::openContractMenu(rig.run));
    rig.run.frame();
    EXPECT_EQ(rig.rows().size(), 1u);
}
