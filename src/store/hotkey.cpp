#include "store/hotkey.h"

// The control's flags and the system's modifiers: shift and alt trade places, and the
// extended-key flag has no counterpart, the virtual key telling those keys apart already.
const unsigned kShiftFlag = 0x01, kControlFlag = 0x02, kAltFlag = 0x04, kExtendedFlag = 0x08;
const unsigned kAltModifier = 0x01, kControlModifier = 0x02, kShiftModifier = 0x04;

bool SystemHotKey(unsigned stored, unsigned *modifiers, unsigned *key)
{
    const unsigned flags = stored >> 8;
    *key = stored & 0xFF;
    *modifiers = (flags & kShiftFlag ? kShiftModifier : 0) |
                 (flags & kControlFlag ? kControlModifier : 0) |
                 (flags & kAltFlag ? kAltModifier : 0);
    return *key != 0 && (flags & ~(kShiftFlag | kControlFlag | kAltFlag | kExtendedFlag)) == 0;
}
