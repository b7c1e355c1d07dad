// The 200 channels of the memory image as the eight texts a channel row shows, and back.
//
// Channel i has a 16-byte record at 0x0000 + 16 * i and an 8-byte name at 0x0C90 + 8 * i.
//
//   record byte   0    1    2    3    4    5    6    7    8    9    10   11   12    13 14 15
//                 [ Rx frequency   ]  [ Tx frequency   ]  [dec tone][enc tone] flags  (kept)
//                  lo            hi    lo            hi    lo   hi   lo   hi
//
//   frequency  8 packed BCD digits in units of 10 Hz, least significant byte first:
//              438.01250 MHz = 43801250 = 50 12 80 43. A top byte of 00 or FF means no
//              frequency; no Rx frequency means the whole channel is empty.
//   tone       hi 00/FF: none; 01-7F: CTCSS, hi lo = 4 BCD digits of 0.1 Hz (67.0 = 06 70);
//              80-BF: DCS normal, C0-FE: DCS inverted, hundreds digit in the low bits of hi,
//              last two digits BCD in lo (D754I = C7 54).
//   flags      bits 5-4 power (00 Low, 01 Middle, 10 High, 11 invalid), bit 3 channel lock,
//              bit 2 scan add; bits 7, 6, 1, 0 belong to the radio and are kept.
//   name       codes 0-9 "0"-"9", 10-35 "A"-"Z", 36 "-", 38 "_"; FF (or any other code)
//              ends the name, FF fills the rest.
#pragma once

#include "base/Texts.h"
#include "channels/ChannelColumn.h"
#include "image/MemoryImage.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace velmora {

inline constexpr std::size_t kChannelRecordSize = 16;
inline constexpr std::size_t kChannelNameSize = 8;

namespace record {
inline constexpr std::size_t RxFrequency = 0;
inline constexpr std::size_t TxFrequency = 4;
inline constexpr std::size_t FrequencyTop = 3; // within a frequency: the hundreds of MHz
inline constexpr std::size_t DecodeToneLo = 8;
inline constexpr std::size_t DecodeToneHi = 9;
inline constexpr std::size_t EncodeToneLo = 10;
inline constexpr std::size_t EncodeToneHi = 11;
inline constexpr std::size_t Flags = 12;

inline constexpr std::uint8_t PowerMask = 0x30;
inline constexpr std::uint8_t PowerHigh = 0x20;
inline constexpr std::uint8_t PowerMiddle = 0x10;
inline constexpr std::uint8_t PowerLow = 0x00;
inline constexpr std::uint8_t LockBit = 0x08;
inline constexpr std::uint8_t ScanBit = 0x04;
} // namespace record

// A channel is empty when the top byte of its Rx frequency is 00 or FF. Indexes outside
// 0..199 count as empty.
bool IsChannelEmpty(const MemoryImage& image, int i);

// The row texts of channel i, words in the given language; eight empty texts for an empty
// channel (nothing else of it is looked at) or an index outside 0..199.
ChannelTexts DecodeChannel(const MemoryImage& image, int i, Language lang);

// Writes channel i from its row texts; the words of both languages are accepted. An empty Rx
// text clears the 16-byte record to FF and leaves the name as it is. Flag bits 7, 6, 1, 0 and
// record bytes 13 to 15 are never changed. On a channel that is not empty, a frequency or tone
// whose text is what its stored bytes already show, and an empty power text over power bits 11,
// keep their bytes. An index outside 0..199 writes nothing.
void EncodeChannel(MemoryImage& image, int i, const ChannelTexts& texts);

// "438.01250" from 50 12 80 43; empty when the top byte is 00 or FF.
std::string DecodeFrequency(std::span<const std::uint8_t, 4> bytes);

// The 4 bytes of a frequency text (MHz, truncated to 10 Hz). Zero, a negative value and
// anything from 1000 MHz up, which the eight digits cannot hold, all store FF FF FF FF.
std::array<std::uint8_t, 4> EncodeFrequency(std::string_view text);

// A frequency text in units of 10 Hz, truncated toward zero: 438.012509 is 43801250. Values
// beyond the range of the result are held at its ends.
std::int32_t FrequencyUnits(std::string_view text);

// "None"/"无", "67.0", "D023N", "D754I" from the two tone bytes.
std::string DecodeTone(std::uint8_t hi, std::uint8_t lo, Language lang);

// (hi, lo) of a tone text. A text with a "D" is a DCS code ("N" in it: normal, else
// inverted); any other text is a CTCSS tone in Hz, and zero ("None", "无") means no tone.
// Values the two bytes cannot hold as what they are (a CTCSS tone of 800 Hz or more would read
// back as a DCS code) store no tone, FF FF.
std::pair<std::uint8_t, std::uint8_t> EncodeTone(std::string_view text);

// The character of a name code, or nothing for a code that ends the name.
std::optional<char> DecodeNameChar(std::uint8_t code);

// The name code of a character; FF for characters a name cannot hold (lower case included).
std::uint8_t EncodeNameChar(char c);

} // namespace velmora
