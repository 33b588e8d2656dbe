// The list of programs opened when the bar starts, by title; they can be taken off the list.
#pragma once

#include <windows.h>

void OpenStartupList(HWND owner);

void RefreshStartupList(HWND dialog);
void UnregisterSelected(HWND dialog);
void UnregisterAll(HWND dialog);
