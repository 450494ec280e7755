// The stand-in host: script scheduling, native dispatch and marshalling.
#include "host/sim_host.h"

#include "runtime/host_api.h"
#include "runtime/natives.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

sim::SimHost& boundHost() {
    sim::SimHost& host = sim::SimHost::instance();
    drovil::bindHost(host.api(), &sim::SimHost::tickCount);
    return host;
}

std::vector<std::uint64_t> wakeFrames;
std::uint32_t waitMs = 0;
int framesRunByTheGame = 0;

void waitingScript() {
    for (;;) {
        wakeFrames.push_back(sim::SimHost::instance().frame());
        drovil::scriptWait(waitMs);
    }
}

} // namespace

TEST(SimHost, ScriptWaitZeroResumesEveryFrame) {
    sim::SimHost& host = boundHost();
    waitMs = 0;
    int module = 0;
    host.api().scriptRegister(&module, waitingScript);
    for (int i = 0; i < 5; ++i) {
        host.runFrame();
        // The script has run up to its wait, and no further, when the frame returns.
        EXPECT_EQ(wakeFrames.size(), static_cast<std::size_t>(++framesRunByTheGame));
    }
    EXPECT_EQ(wakeFrames, (std::vector<std::uint64_t>{1, 2, 3, 4, 5}));
}

TEST(SimHost, ScriptWaitReturnsOnceThatMuchGameTimeHasPassed) {
    sim::SimHost& host = boundHost();
    waitMs = 100; // three 33 ms frames are not enough, the fourth is
    int module = 0;
    host.api().scriptRegister(&module, waitingScript);
    for (int i = 0; i < 9; ++i)
        host.runFrame();
    EXPECT_EQ(wakeFrames, (std::vector<std::uint64_t>{1, 5, 9}));
}

TEST(SimHost, UnregisteredScriptIsNeverResumed) {
    sim::SimHost& host = boundHost();
    waitMs = 0;
    int module = 0;
    host.api().scriptRegister(&module, waitingScript);
    host.runFrame();
    host.api().scriptUnregister(&module);
    host.runFrame();
    host.runFrame();
    EXPECT_EQ(wakeFrames.size(), 1u);
    EXPECT_EQ(host.registeredScripts(), 0u);
}

namespace {
struct NativeResults {
    drovil::Hash hash = 0;
    float distance = 0;
    drovil::Vector3 position;
    int random = -1;
};
NativeResults results;
void nativeCallingScript() {
    results.hash = drovil::natives::misc::hashOfName("WEAPON_UNARMED");
    results.distance =
        drovil::natives::misc::distanceBetween(drovil::Vector3(1, 2, 3), drovil::Vector3(4, 6, 3), true);
    results.position = drovil::natives::entity::position(drovil::natives::player::playerPed().entity(), true, false);
    results.random = drovil::natives::misc::randomInt(-5, -4);
    for (;;)
        drovil::scriptWait(0);
}
} // namespace

TEST(SimHost, NativesCrossTheBoundaryWithTheirTypes) {
    sim::SimHost& host = boundHost();
    int module = 0;
    host.api().scriptRegister(&module, nativeCallingScript);
    host.runFrame();
    EXPECT_EQ(results.hash, 0xA2719263u);
    EXPECT_FLOAT_EQ(results.distance, 5.0f);
    const auto& player = host.world().playerPed().position;
    EXPECT_FLOAT_EQ(results.position.x, player.x);
    EXPECT_FLOAT_EQ(results.position.y, player.y);
    EXPECT_FLOAT_EQ(results.position.z, player.z);
    EXPECT_EQ(results.random, -5) << "a negative 32-bit value survives the zero-extended slot";
    EXPECT_EQ(host.dispatch().totalCalls(drovil::natives::decl::misc::hashOfName::hash), 1u);
    EXPECT_EQ(host.dispatch().callsThisFrame(), 5u);
}

TEST(SimHost, GameHashIsOneAtATimeOfTheLowerCasedName) {
    EXPECT_EQ(sim::gameHash("WEAPON_UNARMED"), 0xA2719263u);
    EXPECT_EQ(sim::gameHash("blip_region_hunting"), 0x1DCFAA8Cu);
    EXPECT_EQ(sim::gameHash("Blip_Region_Hunting"), 0x1DCFAA8Cu);
}

TEST(SimHost, EveryDeclaredNativeIsImplemented) {
    sim::SimHost& host = sim::SimHost::instance();
    for (const sim::NativeDeclaration& native : sim::declaredNatives())
        EXPECT_TRUE(host.dispatch().implements(native.hash)) << native.name << " " << sim::hexHash(native.hash);
}

TEST(SimHostDeathTest, AnUnknownNativeIsALoudFailure) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(sim::SimHost::instance().dispatch().call(0x1234567890ABCDEFull, {}),
                 "native 0x1234567890ABCDEF, which the simulator does not implement");
}

TEST(SimHostDeathTest, AWrongArgumentCountIsALoudFailure) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(sim::SimHost::instance().dispatch().call(drovil::natives::decl::misc::hashOfName::hash, {1, 2}),
                 "called with 2 argument slots");
}

TEST(Marshal, SlotsFollowTheHookConvention) {
    using namespace drovil::marshal;
    std::uint64_t slot[3] = {};
    Traits<int>::pack(-1, slot);
    EXPECT_EQ(slot[0], 0x00000000FFFFFFFFull) << "32-bit values are zero-extended";
    Traits<float>::pack(1.5f, slot);
    EXPECT_EQ(slot[0], 0x3FC00000ull) << "a float's bits fill the low half";
    Traits<drovil::Vector3>::pack(drovil::Vector3(1, 2, 3), slot);
    EXPECT_EQ(slot[1], 0x40000000ull);
    Traits<bool>::pack(true, slot);
    EXPECT_EQ(slot[0], 1ull);
    EXPECT_EQ((slotCount<drovil::Vector3, drovil::Vector3, bool>()), 7u);
}
