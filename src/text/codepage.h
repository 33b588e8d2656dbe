// The ANSI code page in force in this process, and the way from UTF-16 names to it.
#pragma once

#include "text/dbcs.h"

const LeadBytes &ActiveLeadBytes();

// Paths as the shell, the system and the open-file dialog give them, in UTF-16: room for paths
// longer than the bar stores, whose short form may still fit.
const int kWidePathSize = 1024;

// Converts wide into text (size bytes) only where converting back gives the same text; else
// text is empty.
bool ConvertExactly(const wchar_t *wide, char *text, int size);

// The path the bar stores and opens for a file named in UTF-16, in path (kPathBufferSize bytes):
// the path itself where it converts to the ANSI code page exactly and fits the 255-byte records,
// else its short form where that does. False, with path empty, when neither does: a best-fit
// conversion ("Resume.txt" for "Résumé.txt") or a path cut short names some other file.
bool AnsiPathOf(const wchar_t *wide, char *path);
