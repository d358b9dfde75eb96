#include "app/core/IniFile.h"

namespace valdora {

IniFile IniFile::parse(const QString &text)
{
    IniFile ini;
    Section *current = nullptr;
    const auto lines = text.split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u';'))
            continue;
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
            const QString name = trimmed.mid(1, trimmed.size() - 2).trimmed();
            current = ini.findSection(name);
            if (!current) {
                ini.sections_.push_back(Section{name, {}});
                current = &ini.sections_.back();
            }
            continue;
        }
        const auto eq = line.indexOf(u'=');
        if (eq < 0 || !current)
            continue;
        const QString key = line.left(eq).trimmed();
        if (key.isEmpty())
            continue;
        ini.setValue(current->name, key, line.mid(eq + 1));
    }
    return ini;
}

QString IniFile::serialize() const
{
    QString out;
    for (const auto &s : sections_) {
        out += u'[' + s.name + QStringLiteral("]\r\n");
        for (const auto &e : s.entries)
            out += e.key + u'=' + e.value + QStringLiteral("\r\n");
        out += QStringLiteral("\r\n");
    }
    return out;
}

IniFile::Section *IniFile::findSection(const QString &name)
{
    for (auto &s : sections_)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

const IniFile::Section *IniFile::findSection(const QString &name) const
{
    return const_cast<IniFile *>(this)->findSection(name);
}

bool IniFile::hasKey(const QString &section, const QString &key) const
{
    if (const Section *s = findSection(section))
        for (const auto &e : s->entries)
            if (e.key.compare(key, Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

QString IniFile::value(const QString &section, const QString &key) const
{
    if (const Section *s = findSection(section))
        for (const auto &e : s->entries)
            if (e.key.compare(key, Qt::CaseInsensitive) == 0)
                return e.value;
    return {};
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    QString clean = value;
    clean.remove(u'\r');
    clean.remove(u'\n');
    Section *s = findSection(section);
    if (!s) {
        sections_.push_back(Section{section.trimmed(), {}});
        s = &sections_.back();
    }
    for (auto &e : s->entries)
        if (e.key.compare(key, Qt::CaseInsensitive) == 0) {
            e.value = clean;
            return;
        }
    s->entries.push_back(Entry{key.trimmed(), clean});
}

void IniFile::removeKey(const QString &section, const QString &key)
{
    if (Section *s = findSection(section))
        std::erase_if(s->entries, [&](const Entry &e) { return e.key.compare(key, Qt::CaseInsensitive) == 0; });
}

QStringList IniFile::sections() const
{
    QStringList l;
    for (const auto &s : sections_)
        l << s.name;
    return l;
}

QStringList IniFile::keys(const QString &section) const
{
    QStringList l;
    if (const Section *s = findSection(section))
        for (const auto &e : s->entries)
            l << e.key;
    return l;
}

} // namespace valdora
