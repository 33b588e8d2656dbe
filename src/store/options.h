// The option string of a slot: 20 digits, position 0 the run-at-start digit, position 19 the
// show-mode digit.
#pragma once

const int kOptionLength = 20;
const int kOptionBufferSize = 25;
extern const char kOptionTemplate[];

struct OptionPair {
    int runAtStart;
    int showMode;
};

// The digits of a stored option string; empty text reads as the template, and positions beyond
// a shorter text read as "0".
OptionPair ParseOptions(const char *text);

// The template with the two digits put in (each taken modulo 256). text holds
// kOptionBufferSize bytes.
void FormatOptions(OptionPair pair, char *text);
