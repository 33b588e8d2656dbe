// The button panel's arithmetic: how many buttons fit, where the strips, the panel and each
// button go, and how pages wrap.
#pragma once

#include "placement/geometry.h"

const int kMaxButtons = 70;
const int kButtonWidth = 23;
const int kButtonHeight = 22;
const int kButtonInset = 4;
const int kCommandStripSize = 104;
const int kGripSize = 10;
const int kHorizontalEndMargin = 4;
const int kSmallIconSize = 16; // the icons and the toolbar's pictures

// Buttons per page for the space counted along the bar; previous where the rule keeps it.
int VerticalButtonCount(int space, int previous, int dpi = kBaseDpi);
int HorizontalButtonCount(int space, int previous, int dpi = kBaseDpi);

// Buttons per page for a client area W x H with command strip size S and taskbar margin m.
int ButtonCount(int edge, int width, int height, int stripSize, int margin, int previous,
                int dpi = kBaseDpi);

// A child's place in the bar's client area.
struct Box {
    int x, y, width, height;
};

bool SameBox(const Box &a, const Box &b);

struct PanelLayout {
    Box commandStrip, gripStrip, panel;
};

// The places of the children for a dock edge; false for an edge that is no dock edge.
bool LayOutPanel(int edge, int width, int height, int stripSize, PanelLayout *layout,
                 int dpi = kBaseDpi);

// Top-left corner of launch button i inside the panel.
void ButtonOrigin(int edge, int index, int *x, int *y, int dpi = kBaseDpi);

// What a panel's buttons are made for: a page of perPage buttons laid out along a dock edge at
// a DPI.
struct ButtonPage {
    int edge, perPage, page;
    int dpi = kBaseDpi;
};

// Whether the buttons made for one page stand for the other unchanged: as many buttons, the same
// page, every button in the same place. A size change that keeps them (an auto-hiding bar
// withdrawing or coming back, the shell giving the same place again) only moves the panel.
bool SameButtons(const ButtonPage &built, const ButtonPage &wanted);

// Slot number of button index of a page, and the index of a slot's button on the page shown.
// Stored pages may be anything; the arithmetic wraps instead of overflowing.
int SlotNumber(int page, int perPage, int index);
int SlotIndex(int slot, int page, int perPage);

int PreviousPage(int page, int maxPage);
int NextPage(int page, int maxPage);
