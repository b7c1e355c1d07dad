// GBK <-> UTF-8 through Qt's converters, for Program.ini files written in GBK.
#pragma once

#include "base/TextCodec.h"

#include <QByteArray>

namespace velmora {

class QtTextCodec : public TextCodec {
public:
    QtTextCodec();

    // False when this Qt has neither a GBK nor a GB18030 converter; texts then pass unchanged.
    bool IsValid() const { return !m_name.isEmpty(); }

    std::string ToUtf8(std::string_view gbk) const override;
    std::string FromUtf8(std::string_view utf8) const override;

private:
    QByteArray m_name; // the converter name this Qt accepts
};

} // namespace velmora
