#include "panel/layout.h"

int VerticalButtonCount(int space, int previous)
{
    if (space < 0)
        return previous;
    const int count = space / kButtonHeight;
    return count > kMaxButtons - 1 ? kMaxButtons - 1 : count;
}

int HorizontalButtonCount(int space, int previous)
{
    if (space < kButtonWidth)
        return previous;
    const int count = space / kButtonWidth;
    return count > kMaxButtons ? kMaxButtons : count;
}

int ButtonCount(int edge, int width, int height, int stripSize, int margin, int previous)
{
    if (IsVerticalEdge(edge))
        return VerticalButtonCount(height - stripSize - margin, previous);
    if (IsDockEdge(edge))
        return HorizontalButtonCount(width - stripSize - kHorizontalEndMargin, previous);
    return previous;
}

bool SameBox(const Box &a, const Box &b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

bool LayOutPanel(int edge, int width, int height, int stripSize, PanelLayout *layout)
{
    if (IsVerticalEdge(edge)) {
        layout->commandStrip = Box{2, 0, width - 4, stripSize - kGripSize};
        layout->gripStrip = Box{0, stripSize - kGripSize, width, kGripSize};
        layout->panel = Box{2, stripSize, width - 4, height - stripSize};
        return true;
    }
    if (IsDockEdge(edge)) {
        layout->commandStrip = Box{0, 0, stripSize - kGripSize, height};
        layout->gripStrip = Box{stripSize - kGripSize, 0, kGripSize, height};
        layout->panel = Box{stripSize, 0, width - stripSize, height};
        return true;
    }
    return false;
}

void ButtonOrigin(int edge, int index, int *x, int *y)
{
    if (IsVerticalEdge(edge)) {
        *x = 0;
        *y = kButtonInset + kButtonHeight * index;
    } else {
        *x = kButtonInset + kButtonWidth * index;
        *y = kButtonInset;
    }
}

bool SameButtons(const ButtonPage &built, const ButtonPage &wanted)
{
    if (built.perPage != wanted.perPage || built.page != wanted.page)
        return false;
    for (int i = 0; i < built.perPage; ++i) {
        int x, y, wantedX, wantedY;
        ButtonOrigin(built.edge, i, &x, &y);
        ButtonOrigin(wanted.edge, i, &wantedX, &wantedY);
        if (x != wantedX || y != wantedY)
            return false;
    }
    return true;
}

int SlotNumber(int page, int perPage, int index)
{
    return static_cast<int>(static_cast<unsigned>(page) * static_cast<unsigned>(perPage) +
                            static_cast<unsigned>(index));
}

int SlotIndex(int slot, int page, int perPage)
{
    return static_cast<int>(static_cast<unsigned>(slot) -
                            static_cast<unsigned>(page) * static_cast<unsigned>(perPage));
}

int PreviousPage(int page, int maxPage)
{
    return page <= 0 ? maxPage : page - 1;
}

int NextPage(int page, int maxPage)
{
    return page >= maxPage ? 0 : page + 1;
}
