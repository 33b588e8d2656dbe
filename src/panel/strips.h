// The two strips at the head of the bar: the command strip with its toolbar (exit, settings,
// previous page, next page) and the grip strip. Both start the bar's move when pressed.
#pragma once

#include <windows.h>

// The strips live as long as the bar window, their handles null before and after; the command
// strip's size is 0 while its toolbar does not exist.
extern HWND CommandStrip;
extern HWND GripStrip;
extern int CommandStripSize;

void CreateCommandStrip(HWND bar);
void CreateGripStrip(HWND bar);

// Builds the four-button toolbar on the command strip with the pictures of the bar's DPI, and
// sets the command strip size; called again, builds it anew.
void CreateCommandToolbar();

// After a change of the system colours: the toolbar's pictures in the new button colours.
void RecolourToolbar();
