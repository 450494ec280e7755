#pragma once
// The contract menu: the player's list of the contracts in play, one row per
// map area with the area's name and the bounty, over an ink-roller panel on the
// left of the screen. It is offered while the player sits on a chair, a bench,
// porch steps, a bar stool or by a camp fire: from there he views a contract's
// card or abandons the contract.
#include "runtime/types.h"
#include "ui/menu_list.h"

#include <string>

namespace drovil {

class Prompt;

enum class ContractMenuState { Closed = 0, Open = 1, Viewing = 2 };

class ContractMenu {
public:
    // Creates the four prompts; the menu starts closed.
    ContractMenu();
    ContractMenu(const ContractMenu&) = delete;
    ContractMenu& operator=(const ContractMenu&) = delete;

    // Every frame, from the engine's update.
    void update();

    ContractMenuState state() const { return state_; }
    const MenuList& rows() const { return list_; }

private:
    void updateClosed();
    void updateOpen();
    void rebuildRows();
    void requestTextures();
    void draw();
    void readScriptEvents();
    void putOpenPromptIn(Hash group);
    const std::string& pendingPaymentLine();

    ContractMenuState state_ = ContractMenuState::Closed;
    Prompt* open_ = nullptr;
    Prompt* close_ = nullptr;
    Prompt* view_ = nullptr;
    Prompt* abort_ = nullptr;
    MenuList list_;
    Hash openGroup_ = 0;
    // The pending-payment line, made again only when the amount changes.
    std::string pendingText_;
    int pendingDollars_ = -1;
};

// The process-wide menu, created at start-up (null before).
ContractMenu* contractMenu();
void createContractMenu();
// The menu's per-frame update (nothing before the menu exists).
void updateContractMenu();

} // namespace drovil
