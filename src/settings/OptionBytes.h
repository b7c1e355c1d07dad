// The radio's option settings as the Optional Features dialog shows them: one list (or the Beep
// check box) per setting, decoded from the option bytes when the dialog opens and encoded back
// when the user presses OK.
//
//   0x1FC0  bit 0 Beep
//   0x1FC1  Squelch Level            0x1FC3  Time-Out Timer
//   0x1FE0  Step
//   0x1FE1  bit 7 Channel Display (0 = On), bit 6 Busy (0 = On), bits 5-4 Scan Mode,
//           bits 3-2 LED, bit 1 Keypad Lock, bit 0 kept
//   0x1FE2  bit 6 Priority Scan, bit 5 Encoder, bits 1-0 Mode, bits 7, 4-2 kept
//   0x1FE4  Voice Sensitivity        0x1FE5  Call Tone
//   0x1FE6  Battery Saver            0x1FE7  Pri-Scanning Time
//   0x1FE9  Call Key Define
// 0x1FE3 and 0x1FE8 belong to no setting and are never touched.
#pragma once

#include "base/Texts.h"
#include "image/MemoryImage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// In the order the dialog decodes and encodes them.
enum class OptionControl {
    CallKeyDefine,
    TimeOutTimer,
    SquelchLevel,
    Beep,
    CallTone,
    ChannelDisplay,
    PriorityScan,
    Busy,
    PriScanningTime,
    ScanMode,
    KeypadLock,
    Led,
    Mode,
    Encoder,
    VoiceSensitivity,
    Step,
    BatterySaver,
};
inline constexpr std::size_t kOptionCount = 17;

enum class OptionKind {
    CheckBit,  // the Beep check box: bit 0 of its byte
    WholeByte, // the list index is the byte masked; OK stores the index masked
    BitField,  // a few bits of a shared byte; OK changes only those bits
    CallKey,   // the whole byte is the index; anything else shows (and stores) item 0
};

// One setting: where it lives and how its list maps to its bits.
struct OptionField {
    OptionControl control;
    int controlId;          // the dialog's control id, also its help context id
    std::string_view label; // the dialog's label, English as in its template
    std::size_t offset;     // byte in the memory image
    OptionKind kind;
    std::uint8_t readMask;                   // WholeByte: index = byte AND readMask
    std::uint8_t writeMask;                  // WholeByte: byte = index AND writeMask
    int shift;                               // BitField: lowest bit of the field
    std::uint8_t fieldMask;                  // BitField: the field's bits, unshifted
    std::span<const std::uint8_t> decode;    // BitField: field value -> list index
    std::span<const std::uint8_t> encode;    // BitField: list index -> field value
    std::uint8_t otherValue;                 // BitField: value for any other index, or none
    std::span<const std::string_view> items; // list items (empty for the check box)
};

// The seventeen settings in decode/encode order; row i is OptionControl i.
std::span<const OptionField> OptionFields();
const OptionField& FieldOf(OptionControl control);

// The items of a control's list. Only Call Key Define follows the language; the other lists
// are English, as the dialog's template carries them. The Beep check box has none.
std::vector<std::string> OptionItems(OptionControl control, Language lang);

inline constexpr int kNoSelection = -1;

// What the dialog's controls hold: a list index per control (kNoSelection for a list without a
// selection) and the Beep check box. The index slot of Beep is not used.
struct OptionSelection {
    std::array<int, kOptionCount> index{};
    bool beep = false;

    int operator[](OptionControl c) const { return index[static_cast<std::size_t>(c)]; }
    int& operator[](OptionControl c) { return index[static_cast<std::size_t>(c)]; }
};

// What the dialog shows on opening. A value no item matches leaves its list without a
// selection; Call Key Define then shows its first item.
OptionSelection DecodeOptions(const MemoryImage& image);

// What OK stores. A list without a selection (or an index its list does not have) stores the
// write mask itself in a whole-byte field, item 0 for Call Key Define, and the "any other
// index" value in a bit field.
void EncodeOptions(MemoryImage& image, const OptionSelection& selection);

} // namespace velmora
