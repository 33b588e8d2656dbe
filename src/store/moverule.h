// What a drag of one launch button onto another does with the two slots' records.
#pragma once

enum SlotMove {
    kLeaveSlots, // nothing changes
    kTradeSlots, // each slot takes the other's records; onto an empty slot that is a move
    kCopySlot,   // the target takes a copy of the source's records
};

// No drag deletes a button: a copy goes onto an empty slot only, a drag from an empty slot or
// back onto its own does nothing, and every other drag trades, so that what the target held
// comes to the source.
SlotMove RuleOfSlotMove(bool sameSlot, bool sourceFilled, bool targetFilled, bool copy);
