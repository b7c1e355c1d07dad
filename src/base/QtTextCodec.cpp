#include "base/QtTextCodec.h"

#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

namespace velmora {

namespace {

// True when the text ends in a GBK lead byte whose trail byte is missing. The converter would
// silently drop it, waiting for more input that never comes.
bool EndsInLoneLeadByte(std::string_view gbk) {
    std::size_t i = 0;
    while (i < gbk.size()) {
        const auto c = static_cast<unsigned char>(gbk[i]);
        if (c < 0x81 || c > 0xFE) {
            ++i;
        } else if (i + 1 == gbk.size()) {
            return true;
        } else {
            const auto trail = static_cast<unsigned char>(gbk[i + 1]);
            i += trail >= 0x40 && trail <= 0xFE ? 2 : 1;
        }
    }
    return false;
}

} // namespace

QtTextCodec::QtTextCodec() {
    // GB18030 is a superset of GBK, so it reads every GBK file alike where GBK is missing.
    for (const char* name : {"GBK", "GB18030"}) {
        if (QStringDecoder(name).isValid() && QStringEncoder(name).isValid()) {
            m_name = name;
            return;
        }
    }
}

std::string QtTextCodec::ToUtf8(std::string_view gbk) const {
    if (!IsValid()) {
        return std::string(gbk);
    }
    QStringDecoder decoder(m_name.constData(), QStringConverter::Flag::Stateless);
    const bool loneLead = EndsInLoneLeadByte(gbk);
    if (loneLead) {
        gbk.remove_suffix(1);
    }
    QString text = decoder(QByteArrayView(gbk.data(), static_cast<qsizetype>(gbk.size())));
    if (loneLead) {
        text += QChar::ReplacementCharacter;
    }
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

std::string QtTextCodec::FromUtf8(std::string_view utf8) const {
    if (!IsValid()) {
        return std::string(utf8);
    }
    QStringEncoder encoder(m_name.constData(), QStringConverter::Flag::Stateless);
    const QString text =
        QString::fromUtf8(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
    const QByteArray gbk = encoder(text);
    return std::string(gbk.constData(), static_cast<std::size_t>(gbk.size()));
}

} // namespace velmora
