// The sixteen label/value lines of the printed options page.
//
// They decode the option bytes of the memory image directly, the way the radio reads them,
// so a printout shows what the radio will do even when a byte holds a value the Optional
// Features dialog has no item for (a step byte of 6 still prints "25k").
#pragma once

#include "base/Texts.h"
#include "image/MemoryImage.h"

#include <array>
#include <string>

namespace velmora {

struct OptionLine {
    std::string label;
    std::string value;
};

inline constexpr int kPrintedOptionLines = 16;

// Lines n = 5..20 of the options page, in page order: Time Out Timer, Squelch Level, Beep,
// Call Tone, Channel Display, Priority Scan, Busy, Pri-Scanning Time, Scan Mode, Keypad
// Lock, LED, Mode, Encoder, Voice Sensitivity, Step, Battery Saver.
std::array<OptionLine, kPrintedOptionLines> PrintedOptionLines(const MemoryImage& image,
                                                               Language lang);

} // namespace velmora
