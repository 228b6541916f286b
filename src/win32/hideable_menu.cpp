#include "win32/hideable_menu.h"

HideableMenu::HideableMenu(HMENU menu) : menu_(menu) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_TYPE;
        info.dwTypeData = text;
        info.cch = sizeof text;
        if (!GetMenuItemInfoA(menu, i, TRUE, &info)) continue;
        items_.push_back({info.wID, (info.fType & MFT_SEPARATOR) != 0, text, true});
    }
}

HideableMenu::Item* HideableMenu::find(UINT id) {
    for (Item& item : items_)
        if (item.id == id) return &item;
    return nullptr;
}

UINT HideableMenu::positionOf(const Item& item) const {
    UINT position = 0;
    for (const Item& other : items_) {
        if (&other == &item) break;
        if (other.shown) ++position;
    }
    return position;
}

void HideableMenu::setVisible(UINT id, bool visible) {
    Item* item = find(id);
    if (!item || item->shown == visible) return;
    UINT position = positionOf(*item);
    if (visible) {
        UINT flags = MF_BYPOSITION | (item->separator ? MF_SEPARATOR : MF_STRING);
        InsertMenuA(menu_, position, flags, item->id,
                    item->separator ? nullptr : item->caption.c_str());
    } else {
        RemoveMenu(menu_, position, MF_BYPOSITION);
    }
    item->shown = visible;
}

void HideableMenu::setCaption(UINT id, const std::string& caption) {
    Item* item = find(id);
    if (!item || item->separator) return;
    item->caption = caption;
    if (item->shown)
        ModifyMenuA(menu_, positionOf(*item), MF_BYPOSITION | MF_STRING, item->id, caption.c_str());
}
