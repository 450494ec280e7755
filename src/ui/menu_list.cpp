#include "ui/menu_list.h"

#include "runtime/natives.h"
#include "ui/frontend_sound.h"
#include "ui/text.h"

namespace drovil {
namespace {

constexpr Hash frontendDown = 0x05CA7C52; // INPUT_FRONTEND_DOWN
constexpr Hash frontendUp = 0x6319DB71;   // INPUT_FRONTEND_UP

Hash satchelControl() {
    static const Hash hash = getHashKey("INPUT_INSPECT_OPEN_SATCHEL");
    return hash;
}

} // namespace

void MenuList::clear() {
    items_.clear();
    selectedIndex_ = -1;
    selected_ = nullptr;
}

void MenuList::add(std::unique_ptr<MenuInput> row) { items_.push_back(std::move(row)); }

void MenuList::selectFirstEnabled() { select(enabledAfter(-1)); }

void MenuList::select(int index) {
    if (selected_)
        selected_->setSelected(false);
    selectedIndex_ = index;
    selected_ = index >= 0 ? items_[static_cast<std::size_t>(index)].get() : nullptr;
    if (selected_)
        selected_->setSelected(true);
}

int MenuList::enabledAfter(int index) const {
    for (int i = index + 1; i < static_cast<int>(items_.size()); ++i)
        if (!items_[static_cast<std::size_t>(i)]->isDisabled())
            return i;
    return -1;
}

int MenuList::enabledBefore(int index) const {
    for (int i = index - 1; i >= 0; --i)
        if (!items_[static_cast<std::size_t>(i)]->isDisabled())
            return i;
    return -1;
}

void MenuList::drawAndNavigate() {
    float y = top_;
    for (const std::unique_ptr<MenuInput>& row : items_) {
        row->setY(y);
        row->draw();
        y += row->height();
    }
    // A row greyed out while selected hands the selection on: to the next
    // enabled row, else the one before, else to none, so a greyed row can
    // never be viewed or abandoned.
    if (selected_ && selected_->isDisabled()) {
        const int after = enabledAfter(selectedIndex_);
        select(after >= 0 ? after : enabledBefore(selectedIndex_));
    }
    using namespace natives::control;
    if (isDisabledJustPressed(0, frontendDown)) {
        playFrontendSound("INFO", "HUD_SHOP_SOUNDSET");
        const int next = enabledAfter(selectedIndex_);
        if (next >= 0)
            select(next);
        return;
    }
    if (isDisabledJustPressed(0, frontendUp) || isJustPressed(0, satchelControl())) {
        playFrontendSound("INFO", "HUD_SHOP_SOUNDSET");
        if (selectedIndex_ >= 1) {
            const int previous = enabledBefore(selectedIndex_);
            if (previous >= 0)
                select(previous);
        }
    }
}

} // namespace drovil
