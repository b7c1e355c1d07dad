#include "settings/QtUserStore.h"

#include "base/QtText.h"

namespace velmora {

QtUserStore::QtUserStore(const std::string& appName)
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QString::fromStdString(appName), QString())) {}

std::optional<std::int32_t> QtUserStore::ReadInt(std::string_view name) {
    const QVariant value = m_settings->value(ToQString(name));
    if (!value.isValid()) {
        return std::nullopt;
    }
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok) {
        return std::nullopt;
    }
    // A DWORD keeps its low 32 bits, whatever was written there.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
}

bool QtUserStore::WriteInt(std::string_view name, std::int32_t value) {
    m_settings->setValue(ToQString(name), value);
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

std::optional<std::string> QtUserStore::ReadText(std::string_view name) {
    const QVariant value = m_settings->value(ToQString(name));
    if (!value.isValid()) {
        return std::nullopt;
    }
    return value.toString().toStdString();
}

} // namespace velmora
