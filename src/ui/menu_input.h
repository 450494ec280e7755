#pragma once
// The rows of a menu drawn in the style of the game's shop menus: a dark box
// per row, a red frame around the selected one, the row's label, and for a
// shop row its price in dollars and cents.
#include <string>

namespace drovil {

// The base of everything a menu lays out.
class MenuComponent {
public:
    virtual ~MenuComponent() = default;
};

class MenuInput;
using MenuSelectHandler = void (*)(MenuInput& row);
using MenuChangeHandler = void (*)(MenuInput& row, int previousValue);

struct MenuColour {
    int red, green, blue, alpha;
};

// A selectable row.
class MenuInput : public MenuComponent {
public:
    MenuInput(int id, std::string label, float x, float y, float width, float height, float margin, float topInset,
              float leftInset, float textScale);

    // Draws the row at its place; a selected row plays the accept sound and
    // calls its select handler when the player accepts.
    virtual void draw();
    // Takes a new value when acceptValue agrees, then tells the change handler.
    virtual void setValue(int value);
    virtual void beforeDraw() {}
    virtual bool acceptValue(int /*value*/) { return true; }
    virtual void onValueChanged() {}
    virtual void drawContent() = 0;

    // Greys the row out (it can no longer be selected) or brings it back.
    void setDisabled(bool disabled);
    void setSelected(bool selected) { selected_ = selected; }
    void setTicked(bool ticked) { ticked_ = ticked; }
    void setY(float y) { y_ = y; }
    void setHandlers(MenuSelectHandler onSelect, MenuChangeHandler onChange) {
        onSelect_ = onSelect;
        onChange_ = onChange;
    }

    int id() const { return id_; }
    const std::string& label() const { return label_; }
    bool isDisabled() const { return disabled_; }
    bool isSelected() const { return selected_; }
    float height() const { return height_; }
    int value() const { return currentValue_; }

protected:
    float x_, y_, width_, height_;
    MenuColour text_{210, 210, 210, 255};
    MenuColour background_{36, 38, 36, 230};
    int id_;
    float margin_, topInset_, leftInset_;
    std::string label_;
    float textScale_;
    bool selected_ = false;
    int valueWhenChosen_ = -1;
    int spare_ = 0;
    bool disabled_ = false;
    int currentValue_ = 0;
    MenuSelectHandler onSelect_ = nullptr;
    MenuChangeHandler onChange_ = nullptr;
    bool ticked_ = false;
};

// A row with a price on its right, greyed out while the player cannot pay it.
class ShopMenuInput : public MenuInput {
public:
    ShopMenuInput(int id, std::string label, float price, float x, float y, float width, float height, float margin,
                  float topInset, float leftInset, float textScale);

    void drawContent() override;
    virtual float getPrice() const { return price_; }
    virtual void afterContent() {}

private:
    float price_;
    // The price's two texts, made once: the row's price never changes.
    std::string dollarsText_;
    std::string centsText_;
    float priceWidth_ = 0.0f;
};

} // namespace drovil
