// The radio's 8192-byte configuration memory, byte for byte.
//
//   0x0000-0x0C7F  200 channel records of 16 bytes
//   0x0C90-0x12CF  200 channel names of 8 bytes
//   0x1FC0-0x1FC3  option bytes (beep, squelch, time-out timer)
//   0x1FD6-0x1FD7  product type index, band index
//   0x1FE0-0x1FE9  option bytes (step, display, scan, LED, keypad, mode, ...)
//   0x1FF0-0x1FF2  band bytes the radio uses to limit its own frequencies
// Every other byte is kept exactly as it came from the radio or the file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace velmora {

inline constexpr std::size_t kImageSize = 8192;
using MemoryImage = std::array<std::uint8_t, kImageSize>;

namespace offset {
inline constexpr std::size_t ChannelRecords = 0x0000;
inline constexpr std::size_t ChannelNames = 0x0C90;
inline constexpr std::size_t Beep = 0x1FC0;
inline constexpr std::size_t SquelchLevel = 0x1FC1;
inline constexpr std::size_t TimeOutTimer = 0x1FC3;
inline constexpr std::size_t TypeIndex = 0x1FD6;
inline constexpr std::size_t BandIndex = 0x1FD7;
inline constexpr std::size_t Step = 0x1FE0;
inline constexpr std::size_t DisplayScanLedKeypad = 0x1FE1;
inline constexpr std::size_t PriorityEncoderMode = 0x1FE2;
inline constexpr std::size_t VoiceSensitivity = 0x1FE4;
inline constexpr std::size_t CallTone = 0x1FE5;
inline constexpr std::size_t BatterySaver = 0x1FE6;
inline constexpr std::size_t PriScanningTime = 0x1FE7;
inline constexpr std::size_t CallKeyDefine = 0x1FE9;
inline constexpr std::size_t BandBytes = 0x1FF0;
} // namespace offset

// The image of a new document: 0xFF everywhere but the eleven option and product defaults.
MemoryImage NewImage();

} // namespace velmora
