// Conversion between the GBK texts of an installation's Program.ini and the UTF-8 the program
// works in. The core only names the conversion; the Qt layer provides it.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

class TextCodec {
public:
    virtual ~TextCodec() = default;
    // Bytes that are not valid GBK come out as replacement characters, never as broken UTF-8.
    virtual std::string ToUtf8(std::string_view gbk) const = 0;
    // Characters GBK cannot hold come out as the encoder's substitute.
    virtual std::string FromUtf8(std::string_view utf8) const = 0;
};

} // namespace velmora
