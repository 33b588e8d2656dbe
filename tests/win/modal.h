// Driving modal loops from inside: steps run from a thread timer, which keeps ticking while a
// dialog or menu of this thread runs its own loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Each step is tried at every tick until it returns true; then the next one. Steps still
// pending after giveUp milliseconds are dropped and every dialog of the thread is cancelled.
void DriveModal(std::vector<std::function<bool()>> steps, DWORD giveUp = 10000);
bool ModalStepsDone();

// A visible dialog (class "#32770") of this thread owned by owner, or null.
HWND FindDialog(HWND owner);
std::wstring WindowTextW(HWND window);
std::string ItemText(HWND dialog, int id);
