#pragma once
// INI text kept in memory: sections and keys are found without regard to case
// and keep the spelling they were first written with; values are text, kept
// exactly (keys may contain spaces, e.g. "Sistare urmarire").

#include <QString>
#include <QStringList>
#include <vector>

namespace valdora {

class IniFile {
public:
    static IniFile parse(const QString &text);
    QString serialize() const;

    bool hasKey(const QString &section, const QString &key) const;
    // Empty when the key is missing.
    QString value(const QString &section, const QString &key) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    void removeKey(const QString &section, const QString &key);
    QStringList sections() const;
    QStringList keys(const QString &section) const;

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
    };
    Section *findSection(const QString &name);
    const Section *findSection(const QString &name) const;

    std::vector<Section> sections_;
};

} // namespace valdora
