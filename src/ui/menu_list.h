#pragma once
// The rows of a menu, laid out one under the other from a top line, with at
// most one selected. Greyed-out rows are never selected: moving the selection
// skips them.
#include "ui/menu_input.h"

#include <memory>
#include <vector>

namespace drovil {

class MenuList {
public:
    // Deletes every row; nothing is selected.
    void clear();
    void add(std::unique_ptr<MenuInput> row);
    // The first row that is not greyed out, or none.
    void selectFirstEnabled();

    // Lays the rows out from the top line and draws them, then moves the
    // selection by the player's up and down (with a sound).
    void drawAndNavigate();

    void setTop(float top) { top_ = top; }
    bool empty() const { return items_.empty(); }
    std::size_t size() const { return items_.size(); }
    int selectedIndex() const { return selectedIndex_; }
    MenuInput* selected() const { return selected_; }
    const std::vector<std::unique_ptr<MenuInput>>& rows() const { return items_; }

private:
    void select(int index);
    // The nearest enabled row after / before `index`, or -1.
    int enabledAfter(int index) const;
    int enabledBefore(int index) const;

    std::vector<std::unique_ptr<MenuInput>> items_;
    int selectedIndex_ = -1;
    MenuInput* selected_ = nullptr;
    float top_ = 0.0f;
};

} // namespace drovil
