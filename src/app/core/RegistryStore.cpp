#include "app/core/RegistryStore.h"

#include "app/core/Edition.h"

#include <QDir>
#include <QSettings>

namespace valdora {
namespace {
QString &baseFolder()
{
    static QString f = qEnvironmentVariable("VALDORA_REGISTRY_DIR");
    return f;
}
} // namespace

void RegistryStore::setBaseFolder(const QString &folder) { baseFolder() = folder; }

RegistryStore::RegistryStore(int productNumber)
{
    const QString product = QString::number(productNumber);
    if (!baseFolder().isEmpty()) {
        QDir().mkpath(baseFolder() + QStringLiteral("/Orlenix"));
        settings_ = std::make_unique<QSettings>(baseFolder() + QStringLiteral("/Orlenix/") + product + QStringLiteral(".ini"),
                                                QSettings::IniFormat);
    } else {
        settings_ = std::make_unique<QSettings>(QStringLiteral("Orlenix"), product);
    }
}

RegistryStore RegistryStore::atFile(const QString &iniPath, int)
{
    RegistryStore r;
    r.settings_ = std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
    return r;
}

RegistryStore::~RegistryStore() = default;
RegistryStore::RegistryStore(RegistryStore &&) noexcept = default;

QString RegistryStore::read(const QString &name) const
{
    settings_->sync();
    return settings_->value(name).toString();
}

void RegistryStore::write(const QString &name, const QString &value)
{
    settings_->setValue(name, value);
    settings_->sync();
}

QString previousEditionFolder() { return RegistryStore(edition::PreviousProductNumber).read(QStringLiteral("CALE")); }

} // namespace valdora
