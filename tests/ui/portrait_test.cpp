// The target's portrait: a clone of the target made out of sight, photographed
// into a texture slot whose name the card then uses, and deleted; and every way
// the photo can fail to come in time, each reported in the log.
#include "behaviour/behaviour_rig.h"
#include "support/game.h"

#include "ui/portrait.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace behaviourtest;

namespace {

const std::uint32_t roughTraveller = sim::gameHash("a_m_m_griroughtravellers_01");
const std::uint32_t wealthyMan = sim::gameHash("a_m_m_gamhighsociety_01");

struct Request {
    bool result = false;
    std::string name; // the slot's texture name right after the request
    std::uint64_t startFrame = 0, endFrame = 0;
};

// Requests a portrait on the script thread and runs the frames until it returns.
Request requestOnScriptThread(sim::Session& session, std::uint32_t model, int outfit, int budgetMs,
                              int slot) {
    Request request;
    test::startOnScriptThread([&] {
        request.startFrame = session.world().clock.frame;
        request.result = drovil::requestPortrait(model, outfit, budgetMs, slot, drovil::portraitPhotoType);
        const char* name = drovil::portraitTextureName(slot, drovil::portraitPhotoType);
        request.name = name ? name : "";
        request.endFrame = session.world().clock.frame;
    });
    EXPECT_TRUE(test::finishScriptWork(session, 1000));
    return request;
}

bool allClonesDeleted(const sim::World& world) {
    for (int clone : world.portraits.clones())
        if (world.entities.exists(clone))
            return false;
    return true;
}

} // namespace

TEST(Portrait, IsReadyAfterItsFramesWithATextureNamePerSlot) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    const drovil::Vector3 player = world.playerPed().position;
    const drovil::Vector3 forward = sim::forwardOf(world.playerPed().heading);

    // The clone, while it exists, hangs 10 m behind and 10 m above the player,
    // frozen, facing south, dressed at random.
    bool cloneSeen = false;
    drovil::Vector3 clonePosition;
    bool cloneFrozen = false, cloneRandomOutfit = false;
    float cloneHeading = 0.0f;
    Request first;
    test::startOnScriptThread([&] {
        first.startFrame = session.world().clock.frame;
        first.result = drovil::requestPortrait(roughTraveller, 4, 10000, drovil::portraitSlot, 1);
        const char* name = drovil::portraitTextureName(drovil::portraitSlot, 1);
        first.name = name ? name : "";
        first.endFrame = session.world().clock.frame;
    });
    ASSERT_TRUE(session.runUntil(
        [&] {
            const auto& clones = world.portraits.clones();
            if (!cloneSeen && !clones.empty() && world.entities.exists(clones[0])) {
                const sim::EntityRecord& clone = *world.entities.find(clones[0]);
                cloneSeen = true;
                clonePosition = clone.position;
                cloneFrozen = clone.frozen;
                cloneHeading = clone.heading;
                cloneRandomOutfit = world.appearances.find(clone.id).randomOutfit;
            }
            return test::scriptWorkDone();
        },
        1000));
    ASSERT_TRUE(first.result);
    ASSERT_TRUE(cloneSeen);
    EXPECT_NEAR(clonePosition.x, player.x - 10.0f * forward.x, 0.01f);
    EXPECT_NEAR(clonePosition.y, player.y - 10.0f * forward.y, 0.01f);
    EXPECT_NEAR(clonePosition.z, player.z + 10.0f, 0.01f);
    EXPECT_TRUE(cloneFrozen);
    EXPECT_FLOAT_EQ(cloneHeading, 180.0f);
    EXPECT_TRUE(cloneRandomOutfit);
    EXPECT_FALSE(world.playerPed().invincible) << "the clone's protection is not the player's";

    // It took the frames the game needs: rendering the clone, then the upload.
    const auto pipelineFrames =
        static_cast<std::uint64_t>(world.portraits.renderFrames + world.portraits.uploadFrames);
    EXPECT_GE(first.endFrame - first.startFrame, pipelineFrames);
    EXPECT_LT(first.endFrame - first.startFrame, pipelineFrames + 20);

    // The slot shows the target's model in its outfit, posed for the photo.
    const sim::PortraitPhoto* photo = world.portraits.photoIn(drovil::portraitSlot, 1);
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->model, roughTraveller);
    EXPECT_EQ(photo->outfit, 4);
    EXPECT_EQ(photo->pose, 0x0EC17E58u);
    EXPECT_FALSE(first.name.empty());
    EXPECT_TRUE(allClonesDeleted(world));
    EXPECT_FALSE(world.portraits.photoOpen());
    EXPECT_EQ(world.portraits.scenesReleased(), 1);

    // Another slot gets a name of its own; slot 2 keeps its photo and name.
    const Request other = requestOnScriptThread(session, wealthyMan, 1, 10000, 3);
    ASSERT_TRUE(other.result);
    EXPECT_FALSE(other.name.empty());
    EXPECT_NE(other.name, first.name);
    EXPECT_EQ(world.portraits.photoIn(3, 1)->model, wealthyMan);
    EXPECT_EQ(world.portraits.photoIn(drovil::portraitSlot, 1)->model, roughTraveller);
    // A new photo of slot 2 replaces the one before.
    const Request again = requestOnScriptThread(session, wealthyMan, 2, 2500, drovil::portraitSlot);
    ASSERT_TRUE(again.result);
    EXPECT_EQ(again.name, first.name);
    EXPECT_EQ(world.portraits.photoIn(drovil::portraitSlot, 1)->model, wealthyMan);
    EXPECT_EQ(world.portraits.photoIn(drovil::portraitSlot, 1)->outfit, 2);

    const auto log = test::logMessages(session);
    const char* steps[] = {
        "PedShot: generating. slot = 2, type = 1",
        "Pedshot: previous uploads finished. total time: ",
        "Pedshot: ped texture generated, uploading. total time: ",
        "Pedshot: ped texture finished uploading. waiting for: _0x356F9FB0698C1FEB. total time: ",
        "Pedshot generated",
        "PedShot: finished with clone. took: ",
    };
    int at = 0;
    for (const char* step : steps) {
        at = test::findLog(log, step, at);
        ASSERT_GE(at, 0) << "missing or out of order: " << step;
    }
    EXPECT_GE(test::findLog(log, "PedShot: generating. slot = 3, type = 1"), 0);
}

TEST(Portrait, ACloneThatNeverRendersTimesOutWithinTheBudget) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    world.portraits.clonesNeverRender = true;

    const Request request = requestOnScriptThread(session, roughTraveller, 0, 2500, drovil::portraitSlot);
    EXPECT_FALSE(request.result);
    EXPECT_TRUE(request.name.empty());
    EXPECT_TRUE(session.logContains("PedShot: failed to create a clone. timeout: 2500"));
    EXPECT_FALSE(session.logContains("PedShot: generating."));
    EXPECT_TRUE(allClonesDeleted(world));
    ASSERT_EQ(world.portraits.clones().size(), 1u);
    // The budget, plus the few frames of the model load; not more.
    const double budgetFrames = 2500.0 / world.clock.frameMs;
    EXPECT_GE(static_cast<double>(request.endFrame - request.startFrame), budgetFrames);
    EXPECT_LE(static_cast<double>(request.endFrame - request.startFrame), budgetFrames + 10);
    EXPECT_TRUE(world.portraits.photos().empty());
}

// A mission file may name a model the game does not have: the wait for it
// ends, the request fails softly and no clone is made.
TEST(Portrait, AModelThatNeverLoadsEndsTheRequestAfterItsOwnLimit) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    const Request request = requestOnScriptThread(session, 0, 0, 2500, drovil::portraitSlot);
    EXPECT_FALSE(request.result);
    EXPECT_TRUE(session.logContains("PedShot: model 0 did not load within 10000 ms, it is not used"));
    EXPECT_TRUE(world.portraits.clones().empty());
    const double limitFrames = 10000.0 / world.clock.frameMs;
    EXPECT_LE(static_cast<double>(request.endFrame - request.startFrame), limitFrames + 10);
}

TEST(Portrait, ABudgetSpentOnAnEarlierUploadEndsItBeforeAnyPhoto) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();
    world.portraits.foreignUpload = true;

    const Request request = requestOnScriptThread(session, roughTraveller, 0, 2500, drovil::portraitSlot);
    EXPECT_FALSE(request.result);
    EXPECT_TRUE(session.logContains("PedShot: generating. slot = 2, type = 1"));
    EXPECT_TRUE(
        session.logContains("Pedshot: timeout waiting for previous upload to complete _0xA21E3BAD0A42D199"));
    EXPECT_FALSE(session.logContains("Pedshot: previous uploads finished."));
    EXPECT_TRUE(session.logContains("PedShot: finished with clone. took: "));
    EXPECT_EQ(world.portraits.photosBegun(), 0) << "no photo is taken";
    EXPECT_TRUE(world.portraits.photos().empty());
    EXPECT_TRUE(allClonesDeleted(world));
}

TEST(Portrait, EveryLaterFailureIsLoggedAndTheCloneStillDeleted) {
    sim::Session session;
    ASSERT_TRUE(test::startGame(session));
    sim::World& world = session.world();

    // The photo's own upload never ends.
    world.portraits.uploadsNeverEnd = true;
    EXPECT_FALSE(requestOnScriptThread(session, roughTraveller, 0, 2500, drovil::portraitSlot).result);
    EXPECT_TRUE(session.logContains("Pedshot: timeout generating pedshot texture _0xA21E3BAD0A42D199"));
    world.portraits.uploadsNeverEnd = false;

    // The game refuses to take the photo.
    world.portraits.generateRefused = true;
    EXPECT_FALSE(requestOnScriptThread(session, roughTraveller, 0, 2500, drovil::portraitSlot).result);
    EXPECT_TRUE(session.logContains("Pedshot: failed to generate pedshot texture _0x2A48D9567940598F"));
    world.portraits.generateRefused = false;

    // The photo uploads but the slot's name never comes.
    world.portraits.namesNeverPublished = true;
    const Request unnamed = requestOnScriptThread(session, roughTraveller, 0, 2500, drovil::portraitSlot);
    EXPECT_FALSE(unnamed.result);
    EXPECT_TRUE(unnamed.name.empty());
    EXPECT_TRUE(session.logContains("Pedshot: failed to retrieve texture name _0x356F9FB0698C1FEB. took: "));
    EXPECT_FALSE(session.logContains("Pedshot generated"));

    EXPECT_EQ(world.portraits.clones().size(), 3u);
    EXPECT_TRUE(allClonesDeleted(world));
    EXPECT_EQ(world.portraits.scenesReleased(), 1)
        << "only a photo that finished uploading reaches the teardown";

    // Once the game behaves again, the next portrait comes.
    world.portraits.namesNeverPublished = false;
    EXPECT_TRUE(requestOnScriptThread(session, roughTraveller, 0, 2500, drovil::portraitSlot).result);
}
