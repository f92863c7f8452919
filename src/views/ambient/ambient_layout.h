#pragma once

#include "views/common/view_support.h"

#include <string>
#include <vector>

namespace hygrovane::views::ambient_layout {

// The client area of Form_ambient in twips.
inline constexpr int kClientWidth = 7770;
inline constexpr int kClientHeight = 8505;

enum class Kind { Frame, Line, Label, Option, Text, Combo, List, Button };

// One control at its design position (window coordinates, twips). A control inside a frame names
// the frame's number; 0 is the window itself.
struct Place {
    Kind kind;
    int number;
    TwipsRect rect;
    double fontSize = 9.0;
    int frame = 0;
    bool centred = false;
};

// Every control of the window, back to front (frames first, so that rows stand on them).
const std::vector<Place>& Places();

// The control's name: "Text4", "Combo11", "Frame2", "List1", "Command1"...
std::string ControlName(Kind kind, int number);

// Captions that live in the layout rather than in the control model.
std::string FrameCaption(int frameNumber);

// One menu item; an empty parent is the menu bar.
struct MenuEntry {
    const char* name;
    std::string caption;
    const char* parent;
    const char* shortcut = "";
    bool checkable = false;
    bool separatorBefore = false;
};

// The menus in order; a submenu is listed before its items.
const std::vector<MenuEntry>& Menus();

// True for the entries that open a submenu.
bool IsSubmenu(const MenuEntry& entry);

} // namespace hygrovane::views::ambient_layout
