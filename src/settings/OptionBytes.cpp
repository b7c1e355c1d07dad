#include "settings/OptionBytes.h"

namespace velmora {
namespace {

// Bit-field mappings between the bits and the list index.
// Channel Display and Busy are stored inverted: "On" is a 0 bit.
constexpr std::uint8_t kInvertedDecode[] = {1, 0};
constexpr std::uint8_t kInvertedEncode[] = {1, 0};
constexpr std::uint8_t kPlainDecode[] = {0, 1};
constexpr std::uint8_t kPlainEncode[] = {0, 1};
// Two-bit fields with three items: 10 and 11 both show the third item, which stores 10.
constexpr std::uint8_t kThreeWayDecode[] = {0, 1, 2, 2};
constexpr std::uint8_t kThreeWayEncode[] = {0, 1, 2};

constexpr OptionField Byte(OptionControl c, int id, std::string_view label, std::size_t at,
                           std::uint8_t readMask, std::uint8_t writeMask,
                           std::span<const std::string_view> items) {
    return {c, id, label, at, OptionKind::WholeByte, readMask, writeMask, 0, 0, {}, {}, 0, items};
}

constexpr OptionField Bits(OptionControl c, int id, std::string_view label, std::size_t at,
                           int shift, std::uint8_t fieldMask, std::span<const std::uint8_t> decode,
                           std::span<const std::uint8_t> encode, std::uint8_t otherValue,
                           std::span<const std::string_view> items) {
    return {c,     id,        label,  at,     OptionKind::BitField, 0,    0,
            shift, fieldMask, decode, encode, otherValue,           items};
}

using C = OptionControl;
namespace o = offset;

const OptionField kFields[kOptionCount] = {
    {C::CallKeyDefine,
     1131,
     txt::DlgCallKeyDefine,
     o::CallKeyDefine,
     OptionKind::CallKey,
     0,
     0,
     0,
     0,
     {},
     {},
     0,
     {}},
    Byte(C::TimeOutTimer, 1118, txt::DlgTimeOutTimer, o::TimeOutTimer, 0x0F, 0x0F,
         txt::ItemsTimeOutTimer),
    Byte(C::SquelchLevel, 1116, txt::DlgSquelchLevel, o::SquelchLevel, 0x0F, 0x0F,
         txt::ItemsSquelchLevel),
    {C::Beep, 1016, txt::DlgBeep, o::Beep, OptionKind::CheckBit, 0, 0, 0, 0x01, {}, {}, 0, {}},
    Byte(C::CallTone, 1130, txt::DlgCallTone, o::CallTone, 0x0F, 0x0F, txt::ItemsCallTone),
    Bits(C::ChannelDisplay, 1124, txt::DlgChannelDisplay, o::DisplayScanLedKeypad, 7, 0x1,
         kInvertedDecode, kInvertedEncode, 1, txt::ItemsOffOn),
    Bits(C::PriorityScan, 1123, txt::DlgPriorityScan, o::PriorityEncoderMode, 6, 0x1, kPlainDecode,
         kPlainEncode, 1, txt::ItemsOffOn),
    Bits(C::Busy, 1127, txt::DlgBusy, o::DisplayScanLedKeypad, 6, 0x1, kInvertedDecode,
         kInvertedEncode, 0, txt::ItemsOffOn),
    Byte(C::PriScanningTime, 1125, txt::DlgPriScanningTime, o::PriScanningTime, 0x07, 0x0F,
         txt::ItemsPriScanningTime),
    Bits(C::ScanMode, 1126, txt::DlgScanMode, o::DisplayScanLedKeypad, 4, 0x3, kThreeWayDecode,
         kThreeWayEncode, 2, txt::ItemsScanMode),
    Bits(C::KeypadLock, 1121, txt::DlgKeypadLock, o::DisplayScanLedKeypad, 1, 0x1, kPlainDecode,
         kPlainEncode, 1, txt::ItemsKeypadLock),
    Bits(C::Led, 1119, txt::DlgLed, o::DisplayScanLedKeypad, 2, 0x3, kThreeWayDecode,
         kThreeWayEncode, 2, txt::ItemsLed),
    Bits(C::Mode, 1128, txt::DlgMode, o::PriorityEncoderMode, 0, 0x3, kThreeWayDecode,
         kThreeWayEncode, 2, txt::ItemsMode),
    Bits(C::Encoder, 1129, txt::DlgEncoder, o::PriorityEncoderMode, 5, 0x1, kPlainDecode,
         kPlainEncode, 1, txt::ItemsOffOn),
    Byte(C::VoiceSensitivity, 1122, txt::DlgVoiceSensitivity, o::VoiceSensitivity, 0x1F, 0x1F,
         txt::ItemsVoiceSensitivity),
    Byte(C::Step, 1117, txt::DlgStep, o::Step, 0x07, 0x0F, txt::ItemsStep),
    Byte(C::BatterySaver, 1120, txt::DlgBatterySaver, o::BatterySaver, 0x07, 0x0F,
         txt::ItemsBatterySaver),
};

constexpr int kCallKeyItemCount = static_cast<int>(std::size(txt::CallKeyItems));

int ItemCount(const OptionField& field) {
    return field.kind == OptionKind::CallKey ? kCallKeyItemCount
                                             : static_cast<int>(field.items.size());
}

bool IsItem(const OptionField& field, int index) {
    return index >= 0 && index < ItemCount(field);
}

} // namespace

std::span<const OptionField> OptionFields() {
    return kFields;
}

const OptionField& FieldOf(OptionControl control) {
    return kFields[static_cast<std::size_t>(control)];
}

std::vector<std::string> OptionItems(OptionControl control, Language lang) {
    std::vector<std::string> items;
    if (control == OptionControl::CallKeyDefine) {
        for (const TextPair& item : txt::CallKeyItems) {
            items.emplace_back(item.In(lang));
        }
        return items;
    }
    for (std::string_view item : FieldOf(control).items) {
        items.emplace_back(item);
    }
    return items;
}

OptionSelection DecodeOptions(const MemoryImage& image) {
    OptionSelection selection;
    for (const OptionField& field : kFields) {
        const std::uint8_t byte = image[field.offset];
        int index = kNoSelection;
        switch (field.kind) {
        case OptionKind::CheckBit:
            selection.beep = (byte & field.fieldMask) != 0;
            break;
        case OptionKind::WholeByte:
            index = byte & field.readMask;
            break;
        case OptionKind::BitField:
            index = field.decode[(byte >> field.shift) & field.fieldMask];
            break;
        case OptionKind::CallKey:
            index = IsItem(field, byte) ? byte : 0;
            break;
        }
        selection[field.control] = IsItem(field, index) ? index : kNoSelection;
    }
    return selection;
}

void EncodeOptions(MemoryImage& image, const OptionSelection& selection) {
    for (const OptionField& field : kFields) {
        std::uint8_t& byte = image[field.offset];
        const int index = selection[field.control];
        const bool chosen = IsItem(field, index);
        switch (field.kind) {
        case OptionKind::CheckBit:
            byte = static_cast<std::uint8_t>(selection.beep ? (byte | field.fieldMask)
                                                            : (byte & ~field.fieldMask));
            break;
        case OptionKind::WholeByte:
            // No selection is index -1, whose low bits are all set: the mask itself is stored.
            byte = chosen ? static_cast<std::uint8_t>(index & field.writeMask) : field.writeMask;
            break;
        case OptionKind::BitField: {
            const std::uint8_t value =
                chosen ? field.encode[static_cast<std::size_t>(index)] : field.otherValue;
            const auto mask = static_cast<std::uint8_t>(field.fieldMask << field.shift);
            byte = static_cast<std::uint8_t>((byte & ~mask) | (value << field.shift));
            break;
        }
        case OptionKind::CallKey:
            byte = chosen ? static_cast<std::uint8_t>(index) : 0;
            break;
        }
    }
}

} // namespace velmora
