#include "register/domain/RoleListing.h"

#include "app/core/Cp1250.h"

#include <QCollator>
#include <algorithm>

namespace valdora {
namespace {

QString fold(QStringView text) { return toCedillaForm(text.trimmed()).toUpper(); }

QCollator romanianCollator(bool numeric)
{
    QCollator c{QLocale(QLocale::Romanian, QLocale::Romania)};
    c.setCaseSensitivity(Qt::CaseInsensitive);
    c.setNumericMode(numeric);
    return c;
}

const QString &textOf(const RoleRecord &r, RoleColumn c)
{
    switch (c) {
    case RoleColumn::SATUL: return r.SATUL;
    case RoleColumn::ROL: return r.ROL;
    case RoleColumn::NUMEP: return r.NUMEP;
    case RoleColumn::TIP: return r.TIP;
    case RoleColumn::CNP: return r.CNP;
    case RoleColumn::STRADA: return r.STRADA;
    case RoleColumn::ADRESA: return r.ADRESA;
    default: break;
    }
    static const QString none;
    return none;
}

std::optional<int> numberOf(const RoleRecord &r, RoleColumn c)
{
    switch (c) {
    case RoleColumn::NRPERS: return r.NRPERS;
    case RoleColumn::SCCLAD: return r.SCCLAD;
    case RoleColumn::SCCC: return r.SCCC;
    case RoleColumn::SCTE: return r.SCTE;
    case RoleColumn::SCTI: return r.SCTI;
    case RoleColumn::SCAUTO: return r.SCAUTO;
    default: return std::nullopt;
    }
}

} // namespace

bool RoleSearch::isEmpty() const
{
    return locality.trimmed().isEmpty() && rol.trimmed().isEmpty() && name.trimmed().isEmpty();
}

QString RoleListing::columnName(RoleColumn c)
{
    static const char *const names[] = {"SATUL", "ROL", "NUMEP", "TIP", "NRPERS", "CNP", "STRADA",
                                        "ADRESA", "SCCLAD", "SCCC", "SCTE", "SCTI", "SCAUTO"};
    return QString::fromLatin1(names[int(c)]);
}

std::optional<RoleColumn> RoleListing::columnNamed(QStringView name)
{
    for (int i = 0; i < RoleColumnCount; ++i)
        if (name.compare(columnName(RoleColumn(i)), Qt::CaseInsensitive) == 0)
            return RoleColumn(i);
    return std::nullopt;
}

void RoleListing::setRoles(std::vector<RoleRecord> roles)
{
    entries_.clear();
    entries_.reserve(roles.size());
    byId_.clear();
    keysBuilt_.fill(false);
    for (auto &k : keys_)
        k.clear();
    for (auto &r : roles) {
        Entry e{std::move(r), {}, {}, {}};
        e.locality = fold(e.role.SATUL);
        e.rol = fold(e.role.ROL);
        e.name = fold(e.role.NUMEP);
        byId_.insert(e.role.IDGOS, int(entries_.size()));
        entries_.push_back(std::move(e));
    }
    reorder();
}

void RoleListing::setSearch(const RoleSearch &search)
{
    search_ = search;
    folded_ = {fold(search.locality), fold(search.rol), fold(search.name)};
    refilter();
}

void RoleListing::sortBy(std::optional<RoleColumn> column)
{
    sortColumn_ = column;
    reorder();
}

int RoleListing::rowOf(qint64 IDGOS) const
{
    const auto it = byId_.constFind(IDGOS);
    if (it == byId_.constEnd())
        return -1;
    const auto pos = std::find(visible_.begin(), visible_.end(), *it);
    return pos == visible_.end() ? -1 : int(pos - visible_.begin());
}

const std::vector<QCollatorSortKey> &RoleListing::keys(RoleColumn c)
{
    auto &k = keys_[size_t(c)];
    if (!keysBuilt_[size_t(c)]) {
        // Role numbers are digits held as text: "9" comes before "10".
        const QCollator collator = romanianCollator(c == RoleColumn::ROL);
        k.reserve(entries_.size());
        for (const auto &e : entries_)
            k.push_back(collator.sortKey(textOf(e.role, c)));
        keysBuilt_[size_t(c)] = true;
    }
    return k;
}

bool RoleListing::lessInColumn(RoleColumn c, int a, int b)
{
    if (auto na = numberOf(entries_[size_t(a)].role, c))
        return *na < *numberOf(entries_[size_t(b)].role, c);
    const auto &k = keys(c);
    return k[size_t(a)].compare(k[size_t(b)]) < 0;
}

void RoleListing::reorder()
{
    order_.resize(entries_.size());
    for (size_t i = 0; i < order_.size(); ++i)
        order_[i] = int(i);
    const auto &locality = keys(RoleColumn::SATUL);
    const auto &name = keys(RoleColumn::NUMEP);
    const auto &rol = keys(RoleColumn::ROL);
    std::sort(order_.begin(), order_.end(), [&](int a, int b) {
        if (int r = locality[size_t(a)].compare(locality[size_t(b)]); r != 0)
            return r < 0;
        if (int r = name[size_t(a)].compare(name[size_t(b)]); r != 0)
            return r < 0;
        if (int r = rol[size_t(a)].compare(rol[size_t(b)]); r != 0)
            return r < 0;
        return entries_[size_t(a)].role.IDGOS < entries_[size_t(b)].role.IDGOS;
    });
    if (sortColumn_) {
        const RoleColumn c = *sortColumn_;
        std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) { return lessInColumn(c, a, b); });
    }
    refilter();
}

void RoleListing::refilter()
{
    visible_.clear();
    visible_.reserve(order_.size());
    const bool byLocality = !folded_.locality.isEmpty();
    const bool byRol = !folded_.rol.isEmpty();
    const bool byName = !folded_.name.isEmpty();
    for (int i : order_) {
        const Entry &e = entries_[size_t(i)];
        if (byLocality && e.locality != folded_.locality)
            continue;
        if (byRol && e.rol != folded_.rol)
            continue;
        if (byName && !e.name.startsWith(folded_.name))
            continue;
        visible_.push_back(i);
    }
}

} // namespace valdora
