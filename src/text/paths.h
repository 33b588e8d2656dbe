// Path arithmetic on byte strings of the ANSI code page: titles, working directories and the
// quoting of a path handed to a program as its argument.
#pragma once

#include "text/dbcs.h"

const int kPathBufferSize = 256;

// The title of a registered file: the final component of path, without its extension. A path
// without "\" counts as one component. title holds kPathBufferSize bytes.
void DeriveTitle(const char *path, char *title, const LeadBytes &lb);

// The folder of a file named in full (a program's own file name, a slot's file, whose folder is
// the working directory it opens in): everything before its last "\". False, with folder empty,
// when name has no "\" or the folder would not fit kPathBufferSize bytes.
bool FolderOf(const char *name, char *folder, const LeadBytes &lb);

// Cuts text at its last "." (the extension and its dot go); text without "." stays whole.
void CutExtension(char *text, const LeadBytes &lb);

// A path with a blank becomes one argument in double quotes, unless it is quoted already; other
// paths stay as they are. argument holds kQuotedPathSize bytes.
const int kQuotedPathSize = kPathBufferSize + 2;
void QuoteIfBlank(const char *path, char *argument);

// The autostart entry for a program folder: "<folder>\korimbel.exe", in double quotes when the
// folder holds a blank. False, with entry empty, when the folder is empty or the entry would not
// fit kPathBufferSize bytes: a path cut short, or one without its folder, names some other file.
bool FormRunEntry(const char *folder, char *entry);

// The help document beside the program: "<folder>\korimbel.htm", never quoted. False, with path
// empty, as for FormRunEntry.
bool FormHelpPath(const char *folder, char *path);

// A path inside folder (the folder itself, or below it; letters of either case) named through
// alias instead: "C:\Windows\System32\x.exe" through "C:\Windows\Sysnative". mapped holds
// kPathBufferSize bytes. False, with mapped empty, for a path elsewhere or one that would not fit.
bool ThroughAlias(const char *path, const char *folder, const char *alias, char *mapped,
                  const LeadBytes &lb);
