#include "panel/layout.h"

int VerticalButtonCount(int space, int previous, int dpi)
{
    if (space < 0)
        return previous;
    const int count = space / Scaled(kButtonHeight, dpi);
    return count > kMaxButtons - 1 ? kMaxButtons - 1 : count;
}

int HorizontalButtonCount(int space, int previous, int dpi)
{
    const int width = Scaled(kButtonWidth, dpi);
    if (space < width)
        return previous;
    const int count = space / width;
    return count > kMaxButtons ? kMaxButtons : count;
}

int ButtonCount(int edge, int width, int height, int stripSize, int margin, int previous, int dpi)
{
    if (IsVerticalEdge(edge))
        return VerticalButtonCount(height - stripSize - margin, previous, dpi);
    if (IsDockEdge(edge))
        return HorizontalButtonCount(width - stripSize - Scaled(kHorizontalEndMargin, dpi),
                                     previous, dpi);
    return previous;
}

bool SameBox(const Box &a, const Box &b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// The vertical panel and command strip stand 2 pixels (at 96 DPI) in from each side.
bool LayOutPanel(int edge, int width, int height, int stripSize, PanelLayout *layout, int dpi)
{
    const int grip = Scaled(kGripSize, dpi), side = Scaled(2, dpi);
    if (IsVerticalEdge(edge)) {
        layout->commandStrip = Box{side, 0, width - 2 * side, stripSize - grip};
        layout->gripStrip = Box{0, stripSize - grip, width, grip};
        layout->panel = Box{side, stripSize, width - 2 * side, height - stripSize};
        return true;
    }
    if (IsDockEdge(edge)) {
        layout->commandStrip = Box{0, 0, stripSize - grip, height};
        layout->gripStrip = Box{stripSize - grip, 0, grip, height};
        layout->panel = Box{stripSize, 0, width - stripSize, height};
        return true;
    }
    return false;
}

void ButtonOrigin(int edge, int index, int *x, int *y, int dpi)
{
    const int inset = Scaled(kButtonInset, dpi);
    if (IsVerticalEdge(edge)) {
        *x = 0;
        *y = inset + Scaled(kButtonHeight, dpi) * index;
    } else {
        *x = inset + Scaled(kButtonWidth, dpi) * index;
        *y = inset;
    }
}

bool SameButtons(const ButtonPage &built, const ButtonPage &wanted)
{
    if (built.perPage != wanted.perPage || built.page != wanted.page || built.dpi != wanted.dpi)
        return false;
    for (int i = 0; i < built.perPage; ++i) {
        int x, y, wantedX, wantedY;
        ButtonOrigin(built.edge, i, &x, &y, built.dpi);
        ButtonOrigin(wanted.edge, i, &wantedX, &wantedY, wanted.dpi);
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
