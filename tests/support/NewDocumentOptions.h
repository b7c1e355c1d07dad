// The Optional Features dialog's controls in their decoding order, with the control id (also
// the help topic F1 opens) and what each shows for a new document; the core's decoding and the
// dialog are both checked against it. Beep, the check box, is checked.
#pragma once

#include "settings/OptionBytes.h"

#include <string_view>

namespace velmora::test {

struct NewDocumentOption {
    OptionControl control;
    int controlId;
    std::string_view shown; // "" for the Beep check box
};

inline constexpr NewDocumentOption kNewDocumentOptions[kOptionCount] = {
    {OptionControl::CallKeyDefine, 1131, "Off"},    {OptionControl::TimeOutTimer, 1118, "1"},
    {OptionControl::SquelchLevel, 1116, "1"},       {OptionControl::Beep, 1016, ""},
    {OptionControl::CallTone, 1130, "1"},           {OptionControl::ChannelDisplay, 1124, "Off"},
    {OptionControl::PriorityScan, 1123, "Off"},     {OptionControl::Busy, 1127, "Off"},
    {OptionControl::PriScanningTime, 1125, "3s"},   {OptionControl::ScanMode, 1126, "CO"},
    {OptionControl::KeypadLock, 1121, "Manual"},    {OptionControl::Led, 1119, "Auto"},
    {OptionControl::Mode, 1128, "Frequency"},       {OptionControl::Encoder, 1129, "On"},
    {OptionControl::VoiceSensitivity, 1122, "Off"}, {OptionControl::Step, 1117, "12.5k"},
    {OptionControl::BatterySaver, 1120, "0.4"},
};

} // namespace velmora::test
