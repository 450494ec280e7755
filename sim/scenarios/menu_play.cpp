#include "scenarios/menu_play.h"

#include "world/core/geometry.h"
#include "world/core/world.h"

#include <algorithm>
#include <cmath>

namespace sim {
namespace {

constexpr std::uint32_t second = 1000;

bool within(float value, float from, float to) {
    return value >= from - 1e-4f && value <= to + 1e-4f;
}

} // namespace

bool menuOnScreen(const World& world) {
    return world.hud.spriteDrawn("generic_textures", "inkroller_1a") &&
           world.hud.spriteDrawn("generic_textures", "menu_header_1a");
}

std::vector<MenuRowSeen> menuRowsOnScreen(const World& world) {
    std::vector<MenuRowSeen> rows;
    if (!menuOnScreen(world))
        return rows;
    struct Box {
        float top, bottom, left, right;
    };
    std::vector<Box> boxes;
    for (const DrawnSprite& sprite : world.hud.sprites)
        if (sprite.dictionary == "generic_textures" && sprite.texture == "selection_box_bg_1d")
            boxes.push_back({sprite.centreY - sprite.height * 0.5f, sprite.centreY + sprite.height * 0.5f,
                             sprite.centreX - sprite.width * 0.5f, sprite.centreX + sprite.width * 0.5f});
    std::sort(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) { return a.top < b.top; });
    for (const Box& box : boxes) {
        MenuRowSeen row;
        std::string dollars, cents;
        for (const DrawnText& text : world.hud.texts) {
            if (!within(text.y, box.top, box.bottom) || !within(text.x, box.left, box.right))
                continue;
            if (text.font == "$body") {
                row.label = text.text;
                row.greyed = text.alpha < 255;
            } else if (!text.text.empty() && text.text.front() == '$') {
                dollars = text.text;
            } else {
                cents = text.text;
            }
        }
        if (!dollars.empty())
            row.price = dollars + "." + cents;
        // The red frame's top edge lies on the row's top.
        for (const DrawnSprite& sprite : world.hud.sprites)
            if (sprite.texture == "crafting_highlight_t" &&
                std::abs(sprite.centreY - sprite.height * 0.5f - (box.top - 0.005f)) < 0.002f)
                row.selected = true;
        rows.push_back(row);
    }
    return rows;
}

bool sitOnSeatNear(ScenarioRun& run, const drovil::Vector3& near, std::uint32_t pointType, const std::string& what) {
    const ScenarioPoint* best = nullptr;
    float bestDistance = 200.0f;
    for (const auto& [handle, point] : run.world().scenarioPoints.all()) {
        const float d = flatDistance(point.position, near);
        if (point.type == pointType && d < bestDistance && ScenarioPoints::takenBy(run.world(), handle) == 0) {
            best = &point;
            bestDistance = d;
        }
    }
    if (!best)
        return false;
    const drovil::Vector3 seat = best->position;
    run.note("walks to " + what + " and sits down");
    if (!run.travelTo(seat, Gait::Walk, 1.0f, 3 * 60 * second))
        return false;
    if (!run.player().sitOnNearestSeat(2.0f))
        return false;
    run.wait(1000);
    return run.player().seated();
}

bool openContractMenu(ScenarioRun& run) {
    run.note("opens the contract menu");
    if (!run.pressPrompt(run.lang("prompts.drovil_menu"), 5 * second))
        return false;
    return run.waitUntil([&] { return menuOnScreen(run.world()); }, 2 * second);
}

void moveMenuSelection(ScenarioRun& run, bool down) {
    run.note(down ? "moves the selection down" : "moves the selection up");
    run.world().prompts.pressControl(down ? "INPUT_FRONTEND_DOWN" : "INPUT_FRONTEND_UP");
    run.frame();
    run.frame();
}

bool viewSelectedContract(ScenarioRun& run) {
    run.note("views the selected contract");
    return run.pressPrompt(run.lang("prompts.drovil_menu.view"), 2 * second);
}

bool abandonSelectedContract(ScenarioRun& run) {
    run.note("abandons the selected contract");
    return run.pressPrompt(run.lang("prompts.drovil_menu.abort"), 2 * second);
}

bool closeContractMenu(ScenarioRun& run) {
    run.note("closes the contract menu");
    if (!run.pressPrompt(run.lang("prompts.drovil_menu.close"), 2 * second))
        return false;
    return run.waitUntil([&] { return !menuOnScreen(run.world()); }, 2 * second);
}

} // namespace sim
