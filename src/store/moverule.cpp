#include "store/moverule.h"

SlotMove RuleOfSlotMove(bool sameSlot, bool sourceFilled, bool targetFilled, bool copy)
{
    if (sameSlot || !sourceFilled || (copy && targetFilled))
        return kLeaveSlots;
    return copy ? kCopySlot : kTradeSlots;
}
