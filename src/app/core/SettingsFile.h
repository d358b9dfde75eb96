#pragma once
// The settings file of a database folder ("Valdora.set") and its record-number
// counters. The file is read afresh for every call; every change is made under
// a lock file beside it and written atomically (temporary file, then rename),
// so workstations sharing the folder never lose one another's changes and never
// receive the same number.

#include <QString>

namespace valdora {

class IniFile;

class SettingsFile {
public:
    explicit SettingsFile(QString path);

    const QString &path() const { return path_; }
    QString lockPath() const { return path_ + QStringLiteral(".lck"); }

    // Empty when the key (or the file) is missing.
    QString read(const QString &section, const QString &key) const;
    void write(const QString &section, const QString &key, const QString &value);
    bool hasKey(const QString &section, const QString &key) const;

    // Returns the stored number ("1" when empty) and stores it + 1. A stored
    // value that is not a whole number throws valdora::Error naming the key.
    qint64 nextNumber(const QString &section, const QString &key);
    // The stored number, or 1 when empty; nothing is written.
    qint64 peekNumber(const QString &section, const QString &key) const;

    // The whole file as it is now, for reading many keys at once.
    IniFile snapshot() const;

    // Runs `change` on the current contents under the lock and writes the result.
    template <typename F> void update(F &&change);

private:
    IniFile load() const;
    void save(const IniFile &ini);
    void lockedUpdate(void (*fn)(IniFile &, void *), void *ctx);

    QString path_;
};

// Parses a counter value: empty -> 1. Throws valdora::Error naming the key when the value is not a number.
qint64 parseCounter(const QString &section, const QString &key, const QString &value);

template <typename F> void SettingsFile::update(F &&change)
{
    lockedUpdate([](IniFile &ini, void *ctx) { (*static_cast<std::remove_reference_t<F> *>(ctx))(ini); },
                 static_cast<void *>(&change));
}

} // namespace valdora
