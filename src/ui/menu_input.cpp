#include "ui/menu_input.h"

#include "runtime/natives.h"
#include "ui/frontend_sound.h"
#include "ui/sprite.h"
#include "ui/text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace drovil {
namespace {

constexpr Hash frontendAccept = 0xC7B5340A; // INPUT_FRONTEND_ACCEPT
constexpr Hash contextA = 0x5181713D;       // INPUT_CONTEXT_A

bool acceptPressed() {
    using namespace natives::control;
    return isJustPressed(0, frontendAccept) || isDisabledJustPressed(0, frontendAccept) ||
           isJustPressed(0, contextA) || isDisabledJustPressed(0, contextA);
}

} // namespace

MenuInput::MenuInput(int id, std::string label, float x, float y, float width, float height, float margin,
                     float topInset, float leftInset, float textScale)
    : x_(x), y_(y), width_(width), height_(height), id_(id), margin_(margin), topInset_(topInset),
      leftInset_(leftInset), label_(std::move(label)), textScale_(textScale) {}

void MenuInput::draw() {
    beforeDraw();
    drawSprite("generic_textures", "selection_box_bg_1d", x_ + leftInset_, y_ + topInset_, width_ - leftInset_,
               height_ - topInset_, 0.0f, background_.red, background_.green, background_.blue, background_.alpha);
    if (selected_) {
        const float side = height_ - topInset_;
        drawSprite("menu_textures", "crafting_highlight_t", x_, y_, width_, 0.015f, 0.0f, 220, 0, 0, 255);
        drawSprite("menu_textures", "crafting_highlight_b", x_, y_ + height_ - topInset_ - margin_, width_, 0.015f,
                   0.0f, 220, 0, 0, 255);
        drawSprite("menu_textures", "crafting_highlight_l", x_ - 0.003f, y_ + topInset_, 0.006f, side, 0.0f, 220, 0,
                   0, 255);
        drawSprite("menu_textures", "crafting_highlight_r", x_ + width_ - 0.003f, y_ + topInset_, 0.006f, side, 0.0f,
                   220, 0, 0, 255);
    }
    drawContent();
    if (!disabled_ && selected_ && currentValue_ != valueWhenChosen_ && acceptPressed()) {
        playFrontendSound("SELECT", "HUD_SHOP_SOUNDSET");
        if (onSelect_)
            onSelect_(*this);
    }
    if (ticked_) {
        const float t = height_ - 3.0f * margin_;
        drawSprite("generic_textures", "tick", x_ + width_ - margin_ - t * 0.5f, y_ + margin_, t * 0.5f, t, 0.0f,
                   text_.red, text_.green, text_.blue, text_.alpha);
    }
}

void MenuInput::setValue(int value) {
    if (!acceptValue(value))
        return;
    const int previous = currentValue_;
    currentValue_ = value;
    onValueChanged();
    if (onChange_)
        onChange_(*this, previous);
}

void MenuInput::setDisabled(bool disabled) {
    disabled_ = disabled;
    text_.alpha = disabled ? 100 : 255;
    if (disabled)
        selected_ = false;
}

ShopMenuInput::ShopMenuInput(int id, std::string label, float price, float x, float y, float width, float height,
                             float margin, float topInset, float leftInset, float textScale)
    : MenuInput(id, std::move(label), x, y, width, height, margin, topInset, leftInset, textScale), price_(price) {
    // Whole dollars and the cents, each cut off rather than rounded, as the
    // game's shop prices read.
    const long long dollars = static_cast<long long>(price_);
    const long long cents = static_cast<long long>(static_cast<double>(price_) * 100.0) % 100;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "$%lld", dollars);
    dollarsText_ = buffer;
    std::snprintf(buffer, sizeof buffer, "%02lld", cents < 0 ? -cents : cents);
    centsText_ = buffer;
    const double digits = std::floor(std::log10(static_cast<double>(std::max<long long>(dollars, 1))));
    priceWidth_ = static_cast<float>((digits + 2.0) * 0.0075 + 0.022) + margin_;
}

void ShopMenuInput::drawContent() {
    // A contract whose bounty is more than the player carries stays greyed
    // until the rows are made again.
    if (static_cast<double>(natives::player::cashCents()) < static_cast<double>(price_) * 100.0)
        setDisabled(true);
    const float tx = leftInset_ + x_ + margin_;
    const float ty = topInset_ + y_ + height_ / 6.0f;
    drawText(label_, tx, ty, text_.red, text_.green, text_.blue, text_.alpha, false, textScale_, textScale_, "$body");
    if (price_ > 0.0f) {
        if (currentValue_ == valueWhenChosen_) {
            drawSprite("menu_textures", "menu_icon_tick", tx + width_ - 0.012f - 2.0f * margin_,
                       y_ + height_ * 0.5f - 0.0096f, 0.012f, 0.0192f, 0.0f, text_.red, text_.green, text_.blue,
                       text_.alpha);
            return;
        }
        const float px = tx + width_ - priceWidth_;
        drawText(dollarsText_, px, ty, text_.red, text_.green, text_.blue, text_.alpha, false, textScale_ * 1.4f,
                 textScale_ * 1.4f, "$title");
        const float cx = priceWidth_ - 0.02f - margin_ + px;
        drawText(centsText_, cx, ty + 0.001f, text_.red, text_.green, text_.blue, text_.alpha, false,
                 textScale_ * 0.92f, textScale_ * 0.92f, "$title");
        drawSprite("menu_textures", "divider_line", cx + 0.0015f, ty + 0.02f, 0.01f, 0.0015f, 0.0f, 229, 229, 229,
                   255);
    }
    afterContent();
}

} // namespace drovil
