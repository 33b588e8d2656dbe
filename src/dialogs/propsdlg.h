// The properties dialog of one slot: its file, title, window state and run-at-start mark.
#pragma once

// Modal, owned by the bar; a stored change rebuilds the panel.
void OpenPropertiesDialog(int slot);
