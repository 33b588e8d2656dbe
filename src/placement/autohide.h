// Auto-hide: the bar's timer that watches the cursor.
#pragma once

void StartAutoHideTimer();
