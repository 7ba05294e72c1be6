#pragma once

#include <string>

namespace tessel {

// When the program runs elevated: the first of its folder and the programs and
// libraries in it that a user without administrator rights could change (a hook
// library replaced there would run elevated in every hooked program). Empty when there
// is none, or when the program is not elevated.
std::wstring UnsafeCodeInProgramFolder();

}  // namespace tessel
