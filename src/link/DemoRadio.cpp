#include "link/DemoRadio.h"

#include "channels/ChannelCodec.h"

namespace velmora {

MemoryImage DemoRadioMemory() {
    static const ChannelTexts kChannels[] = {
        {"438.01250", "438.01250", "67.0", "67.0", "High", "Lock", "Yes", "CALL"},
        {"446.00625", "446.00625", "None", "None", "High", "Lock", "Yes", "PMR1"},
        {"446.01875", "446.01875", "D023N", "D023N", "Middle", "Lock", "Yes", "PMR2"},
        {"439.50000", "431.90000", "88.5", "88.5", "High", "Unlock", "Yes", "RPT-1"},
        {"433.12500", "433.12500", "None", "100.0", "Low", "Lock", "No", "FARM"},
        {"462.55000", "467.55000", "D754I", "D754I", "High", "Lock", "Yes", "SEC_A"},
        {"462.56250", "", "None", "None", "Middle", "Lock", "Yes", "LISTEN"},
        {"446.09375", "446.09375", "254.1", "254.1", "Low", "Unlock", "Yes", "GATE"},
    };
    MemoryImage image = NewImage();
    int channel = 0;
    for (const ChannelTexts& texts : kChannels) {
        EncodeChannel(image, channel++, texts);
    }
    image[offset::TypeIndex] = 0;
    image[offset::BandIndex] = 1;
    return image;
}

} // namespace velmora
