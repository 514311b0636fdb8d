#pragma once
// Title case (each word's first letter upper case, the rest lower case) for
// text made of ASCII, eight units at a time: the notes and names of a list
// are mostly ASCII, and a unit at a time the words' starts are guessed wrong.
#include <cstddef>

namespace zumaro {

// Converts text[0, n) as far as it is ASCII, in steps of eight units (the
// last step may overlap the one before) and returns n, or where it stopped
// at a step holding another unit; a word starts at the text's start and
// after a space, tab, line or page break or U+0000.
size_t titleCaseAsciiSteps(char16_t* text, size_t size);

}  // namespace zumaro
