// The stored hotkey: the hotkey control's value, the virtual key in the low byte and the
// control's modifier flags (HOTKEYF_*) in the high byte.
#pragma once

// The modifiers (MOD_*) and the virtual key the system registers for a stored value; false for
// a value that names no hotkey: a key of 0 (0 itself is none), or a bit the control never sets.
bool SystemHotKey(unsigned stored, unsigned *modifiers, unsigned *key);
