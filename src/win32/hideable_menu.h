// A pop-up menu whose items can be hidden and shown again. Win32 menus have
// no hidden items: a hidden item is taken out of the menu and, when shown
// again, put back at its place among the items that are shown.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class HideableMenu {
  public:
    HideableMenu() = default;
    // Takes the items as the menu holds them now, all shown.
    explicit HideableMenu(HMENU menu);

    // Items are named by their command ID; hidden separators need one too.
    void setVisible(UINT id, bool visible);
    void setCaption(UINT id, const std::string& caption);

    HMENU handle() const { return menu_; }

  private:
    struct Item {
        UINT id;
        bool separator;
        std::string caption;
        bool shown;
    };
    Item* find(UINT id);
    // The item's position in the menu as it stands: the shown items before it.
    UINT positionOf(const Item& item) const;

    HMENU menu_ = nullptr;
    std::vector<Item> items_;
};
