#include "ui/contract_menu.h"

#include "runtime/data_files.h"
#include "runtime/frame_reads.h"
#include "runtime/natives.h"
#include "runtime/player.h"
#include "ui/contract_viewer.h"
#include "ui/lang_format.h"
#include "ui/lang_text.h"
#include "ui/prompt.h"
#include "ui/sprite.h"
#include "ui/text.h"
#include "world/map_areas.h"
#include "world/mission_data_files.h"
#include "world/payments_service.h"

#include <climits>
#include <memory>
#include <set>

namespace drovil {
namespace {

constexpr Hash menuPromptGroup = 0x4EE07FDD;
// Where the player sits: a seat by a camp fire offers the menu in one of the
// game's prompt groups, a chair, bench, stool or steps in town in another.
constexpr Hash campSeat = 0xB5F8DD94;
constexpr Hash campSeatGroup = 0x1464D671;
constexpr Hash townSeats[] = {0x3CD3DC55, 0x4B0D78C8, 0x764617AC, 0x96A00FF4, 0xBFE66280};
constexpr Hash townSeatGroup = 0x6898122F;

constexpr int scriptEventGroup = 1;
constexpr int eventBufferItems = 50;
constexpr int absentInt = -999;

// Layout, in screen fractions.
constexpr float rowsTop = 0.215f;
constexpr float rowX = 0.035f, rowWidth = 0.21f, rowHeight = 0.05f;
constexpr float rowMargin = 0.005f, rowTopInset = 0.005f, rowLeftInset = 0.0f, rowTextScale = 0.34f;

ContractMenu* theMenu = nullptr;

Hash eventHash(const char* name) {
    return getHashKey(name);
}
Hash scriptEventType() {
    static const Hash hash = eventHash("EVENT_NETWORK_SCRIPT_EVENT");
    return hash;
}
Hash missionFinishedEvent() {
    static const Hash hash = eventHash("DROVIL_MISSION_FINISHED");
    return hash;
}
Hash abortMissionEvent() {
    static const Hash hash = eventHash("DROVIL_ABORT_MISSION");
    return hash;
}

bool isTownSeat(Hash place) {
    for (Hash seat : townSeats)
        if (place == seat)
            return true;
    return false;
}

// Whole dollars of a balance, cut off, kept within an int's range.
int wholeDollars(float amount) {
    const double value = amount;
    if (!(value == value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace

ContractMenu::ContractMenu() {
    open_ = createPrompt(langText("prompts.drovil_menu"), "INPUT_FRONTEND_LB");
    close_ = createPrompt(langText("prompts.drovil_menu.close"), "INPUT_CONTEXT_B");
    view_ = createPrompt(langText("prompts.drovil_menu.view"), "INPUT_FRONTEND_ACCEPT");
    abort_ = createPrompt(langText("prompts.drovil_menu.abort"), "INPUT_FRONTEND_DELETE");
    for (Prompt* prompt : {close_, view_, abort_}) {
        prompt->setVisible(false);
        prompt->setGroup(menuPromptGroup);
    }
}

void ContractMenu::update() {
    if (state_ != ContractMenuState::Closed)
        readScriptEvents();
    switch (state_) {
    case ContractMenuState::Closed:
        updateClosed();
        break;
    case ContractMenuState::Open:
        updateOpen();
        break;
    case ContractMenuState::Viewing:
        if (!playerHoldsContractCard())
            state_ = ContractMenuState::Open;
        break;
    }
}

void ContractMenu::readScriptEvents() {
    const int count = queuedEventCount(scriptEventGroup);
    for (int index = 0; index < count; ++index) {
        if (natives::gameevent::queuedType(scriptEventGroup, index) != scriptEventType())
            continue;
        int buffer[eventBufferItems * 2] = {};
        natives::gameevent::queuedData(scriptEventGroup, index, buffer, eventBufferItems);
        if (static_cast<Hash>(buffer[0]) == missionFinishedEvent())
            rebuildRows();
    }
}

void ContractMenu::putOpenPromptIn(Hash group) {
    if (group != openGroup_) {
        open_->setGroup(group);
        openGroup_ = group;
    }
    open_->setVisible(true);
}

void ContractMenu::updateClosed() {
    if (gameMissionFlag()) {
        open_->setVisible(false);
        return;
    }
    const Hash place = natives::scenario::pointTypeInUse(playerPed());
    if (place == campSeat)
        putOpenPromptIn(campSeatGroup);
    else if (isTownSeat(place))
        putOpenPromptIn(townSeatGroup);
    else
        open_->setVisible(false);
    if (open_->isActivated()) {
        requestTextures();
        rebuildRows();
        state_ = ContractMenuState::Open;
    }
}

void ContractMenu::updateOpen() {
    draw();
    close_->setVisible(true);
    view_->setVisible(true);
    abort_->setVisible(true);
    natives::prompt::setActiveGroupThisFrame(
        menuPromptGroup, natives::hud::literalString(10, "LITERAL_STRING", langText("prompts.drovil_menu").c_str()), 1,
        0, 0, PromptHandle());
    if (MenuInput* row = list_.selected()) {
        view_->setEnabled(true);
        abort_->setEnabled(true);
        if (view_->isActivated()) {
            if (MissionData* record = MissionDataFiles::instance().loadMission(row->id()); record && contractViewer()) {
                contractViewer()->open(*record);
                state_ = ContractMenuState::Viewing;
                return;
            }
        }
        if (abort_->isActivated()) {
            // Two eight-byte script slots: the event's name and the mission id,
            // each followed by nothing the game could misread.
            const int data[4] = {static_cast<int>(abortMissionEvent()), row->id(), 0, 0};
            const int recipients = 1;
            natives::gameevent::send(scriptEventGroup, data, 2, 2, &recipients);
        }
    } else {
        view_->setEnabled(false);
        abort_->setEnabled(false);
    }
    if (close_->isActivated()) {
        list_.clear();
        state_ = ContractMenuState::Closed;
    }
}

void ContractMenu::requestTextures() {
    // The game draws nothing of a sprite whose texture dictionary is not in
    // memory: ask for the menu's, which arrive within a few frames.
    for (const char* dictionary : {"generic_textures", "menu_textures"})
        if (!natives::hud::textureDictionaryLoaded(dictionary))
            natives::hud::requestTextureDictionary(dictionary, false);
}

void ContractMenu::rebuildRows() {
    list_.clear();
    std::set<int> areasListed;
    DictDataFile& save = savegameFile();
    for (const MapArea* area : mapAreas().allAreas()) {
        const int id = save.getInt("missions." + std::to_string(area->signedId()), absentInt);
        if (id < 0)
            continue;
        const MissionData* record = MissionDataFiles::instance().loadMission(id);
        // A slot still naming a contract that has ended lists nothing: there
        // is nothing left to view or abandon.
        if (!record || record->status == MissionStatus::Completed || record->status == MissionStatus::Failed ||
            !areasListed.insert(record->areaId).second)
            continue;
        list_.add(std::make_unique<ShopMenuInput>(id, area->name(), static_cast<float>(record->bounty), rowX, 0.0f,
                                                  rowWidth, rowHeight, rowMargin, rowTopInset, rowLeftInset,
                                                  rowTextScale));
    }
    list_.selectFirstEnabled();
}

const std::string& ContractMenu::pendingPaymentLine() {
    const int dollars = paymentsService() ? wholeDollars(paymentsService()->pendingAmount(true)) : 0;
    if (dollars != pendingDollars_ || pendingText_.empty()) {
        pendingDollars_ = dollars;
        pendingText_ = formatLangText(langText("menu.pending_payment"), dollars);
        // The line's buffer holds 150 bytes.
        if (pendingText_.size() > 149)
            pendingText_.resize(149);
    }
    return pendingText_;
}

void ContractMenu::draw() {
    natives::hud::hideHudThisFrame();
    drawSprite("generic_textures", "inkroller_1a", 0.015f, 0.025f, 0.25f, 0.75f, 0.0f, 4, 4, 4, 210);
    drawSprite("generic_textures", "menu_header_1a", 0.025f, 0.035f, 0.24f, 0.1f, 0.0f, 229, 229, 229, 255);
    drawText(langText("menu.title"), 0.145f, 0.06f, 229, 229, 229, 255, true, 0.85f, 0.85f, "$title");
    drawText(pendingPaymentLine(), 0.14f, 0.155f, 229, 229, 229, 255, true, 0.38f, 0.38f, "$title");
    if (list_.empty()) {
        static const std::string empty = expandLineBreaks(langText("menu.empty"));
        drawText(empty, 0.14f, 0.245f, 229, 229, 229, 255, true, 0.38f, 0.38f, "$body");
    } else {
        list_.setTop(rowsTop);
        list_.drawAndNavigate();
    }
    drawSprite("menu_textures", "divider_line", 0.035f, 0.745f, 0.21f, 0.0015f, 0.0f, 229, 229, 229, 255);
}

ContractMenu* contractMenu() { return theMenu; }

void createContractMenu() {
    if (!theMenu)
        theMenu = new ContractMenu();
}

void updateContractMenu() {
    if (theMenu)
        theMenu->update();
}

} // namespace drovil
