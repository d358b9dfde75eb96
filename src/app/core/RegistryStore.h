#pragma once
// The per-machine values of an edition: SERVER, CALESALVARI, CALE and VER,
// kept with QSettings under Orlenix/<product number> (the registry on Windows,
// an INI file elsewhere).

#include <QString>
#include <memory>

class QSettings;

namespace valdora {

class RegistryStore {
public:
    // This edition's key, or another product's (105 for last year's edition).
    explicit RegistryStore(int productNumber);
    // Values kept in the given INI file instead (tests, and a portable install).
    static RegistryStore atFile(const QString &iniPath, int productNumber);
    ~RegistryStore();
    RegistryStore(RegistryStore &&) noexcept;

    QString read(const QString &name) const;
    void write(const QString &name, const QString &value);

    // Where the stores of every product live; empty means the platform default.
    // Tests point it at a temporary folder.
    static void setBaseFolder(const QString &folder);

private:
    RegistryStore() = default;
    std::unique_ptr<QSettings> settings_;
};

// The previous edition's program folder (its CALE), empty when unknown.
QString previousEditionFolder();

} // namespace valdora
