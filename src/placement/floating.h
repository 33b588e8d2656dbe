// The floating bar's geometry, kept in the settings X, Y, Width and Height.
#pragma once

// Moves the bar to its stored floating rectangle, read anew each time.
void RestoreFloatGeometry();
