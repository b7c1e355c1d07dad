#include "settings/OptionLines.h"

#include <iterator>

namespace velmora {
namespace {

int Bits(const MemoryImage& image, std::size_t at, int shift, int mask) {
    return (image[at] >> shift) & mask;
}

std::string Text(const TextPair& pair, Language lang) {
    return std::string(pair.In(lang));
}

// A one-bit switch; `setMeans` is what a 1 bit stands for. Channel Display and Busy are
// stored inverted in the radio: a 1 bit switches them off.
std::string Switch(const MemoryImage& image, std::size_t at, int bit, const TextPair& setMeans,
                   const TextPair& clearMeans, Language lang) {
    return Text(Bits(image, at, bit, 1) != 0 ? setMeans : clearMeans, lang);
}

std::string TimeOutTimer(int value, Language lang) {
    return value == 0 ? Text(txt::Off, lang) : Text(txt::PrintTimeOutMinutes[value - 1], lang);
}

std::string NumberOrOff(int value, Language lang) {
    return value == 0 ? Text(txt::Off, lang) : std::to_string(value);
}

std::string CallTone(int value, Language lang) {
    // The ninth tone is the 1750 Hz repeater burst; the radio shows it by its frequency.
    return value == 9 ? Text(txt::PrintCallTone1750, lang) : NumberOrOff(value, lang);
}

std::string ThreeWay(int value, const TextPair& zero, const TextPair& one, const TextPair& more,
                     Language lang) {
    return Text(value == 0 ? zero : value == 1 ? one : more, lang);
}

std::string Step(int byte, Language lang) {
    // The radio treats every byte past the list as its widest step.
    constexpr int last = static_cast<int>(std::size(txt::PrintSteps)) - 1;
    return Text(txt::PrintSteps[byte < last ? byte : last], lang);
}

std::string BatterySaver(int value, Language lang) {
    if (value == 0) {
        return Text(txt::Off, lang);
    }
    // Steps of 0.2 shown with one decimal, counted in tenths so that neither binary
    // floating point nor the process locale can change a digit or the decimal point.
    const int tenths = value * 2;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

} // namespace

std::array<OptionLine, kPrintedOptionLines> PrintedOptionLines(const MemoryImage& image,
                                                               Language lang) {
    namespace o = offset;
    return {{
        {Text(txt::OptTimeOutTimer, lang),
         TimeOutTimer(Bits(image, o::TimeOutTimer, 0, 0x3), lang)},
        {Text(txt::OptSquelchLevel, lang), std::to_string(Bits(image, o::SquelchLevel, 0, 0xF))},
        {Text(txt::OptBeep, lang), Switch(image, o::Beep, 0, txt::On, txt::Off, lang)},
        {Text(txt::OptCallTone, lang), CallTone(Bits(image, o::CallTone, 0, 0xF), lang)},
        {Text(txt::OptChannelDisplay, lang),
         Switch(image, o::DisplayScanLedKeypad, 7, txt::Off, txt::On, lang)},
        {Text(txt::OptPriorityScan, lang),
         Switch(image, o::PriorityEncoderMode, 6, txt::On, txt::Off, lang)},
        {Text(txt::OptBusy, lang),
         Switch(image, o::DisplayScanLedKeypad, 6, txt::Off, txt::On, lang)},
        {Text(txt::OptPriScanningTime, lang),
         Text(txt::PrintPriScanningTimes[Bits(image, o::PriScanningTime, 0, 0x3)], lang)},
        {Text(txt::OptScanMode, lang),
         ThreeWay(Bits(image, o::DisplayScanLedKeypad, 4, 0x3), txt::PrintScanModes[0],
                  txt::PrintScanModes[1], txt::PrintScanModes[2], lang)},
        {Text(txt::OptKeypadLock, lang),
         Switch(image, o::DisplayScanLedKeypad, 1, txt::Auto, txt::Manual, lang)},
        {Text(txt::OptLed, lang), ThreeWay(Bits(image, o::DisplayScanLedKeypad, 2, 0x3), txt::Off,
                                           txt::Auto, txt::On, lang)},
        {Text(txt::OptMode, lang),
         ThreeWay(Bits(image, o::PriorityEncoderMode, 0, 0x3), txt::ModeChannel, txt::ModeFrequency,
                  txt::ModeMemory, lang)},
        {Text(txt::OptEncoder, lang),
         Switch(image, o::PriorityEncoderMode, 5, txt::On, txt::Off, lang)},
        {Text(txt::OptVoiceSensitivity, lang),
         NumberOrOff(Bits(image, o::VoiceSensitivity, 0, 0x1F), lang)},
        {Text(txt::OptStep, lang), Step(image[o::Step], lang)},
        {Text(txt::OptBatterySaver, lang),
         BatterySaver(Bits(image, o::BatterySaver, 0, 0x7), lang)},
    }};
}

} // namespace velmora
