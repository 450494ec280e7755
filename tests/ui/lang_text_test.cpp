// Texts missing from a translated Lang.dat: nothing is shown for them, and the
// log names each missing key once, so that the translator can add it.
#include "engine/engine_support.h"
#include "support/game.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

std::string shippedLangWithout(const std::string& key) {
    std::ifstream in(std::string(DROVIL_DATA_DIR) + "/Defaults/Lang.dat", std::ios::binary);
    std::string result;
    for (std::string line; std::getline(in, line);)
        if (line.rfind(key + "=", 0) != 0)
            result += line + "\n";
    return result;
}

int count(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++n;
    return n;
}

} // namespace

TEST(LangTexts, AMissingTextShowsNothingAndIsNamedOnceInTheLog) {
    sim::SessionOptions options;
    options.writeFiles["Defaults/Lang.dat"] = shippedLangWithout("toast.contract_accepted");
    sim::Session session(options);
    enginetest::useTestExecutors();
    ASSERT_TRUE(test::startGame(session));
    session.world().playerPed().position = drovil::Vector3(-5000.0f, -5000.0f, 50.0f);
    for (int area : {enginetest::valentine(), 0x79FF6291 /* Rhodes */}) {
        enginetest::acceptContract(session, area);
        session.runUntil([&] { return !session.hud().toasts.empty(); }, 200);
    }
    session.runFrames(60);
    ASSERT_FALSE(session.hud().toasts.empty());
    EXPECT_EQ(session.hud().toasts.back().body, "");
    EXPECT_EQ(count(session.log(), "Lang.dat has no text for key: toast.contract_accepted, nothing is shown for it"),
              1);
}
