// The settings dialog and the settings command, which applies what changed to the running bar.
#pragma once

// Command 40006: remembers what needs live application, runs the dialog, applies the changes.
void RunSettingsCommand();
