#pragma once
// The register's list of roles as the grid shows it: every role in memory,
// ordered by the chosen column, narrowed by the three search fields. A change
// of a search field only walks the list again, so a keystroke stays instant on
// a register of tens of thousands of roles.

#include "register/domain/RoleRecord.h"

#include <QCollatorSortKey>
#include <QHash>
#include <array>
#include <optional>
#include <vector>

namespace valdora {

// The grid's columns, in their order.
enum class RoleColumn { SATUL, ROL, NUMEP, TIP, NRPERS, CNP, STRADA, ADRESA, SCCLAD, SCCC, SCTE, SCTI, SCAUTO };
inline constexpr int RoleColumnCount = 13;

// "Cautare dupa:". An empty field does not narrow the list.
struct RoleSearch {
    QString locality; // one locality, or empty for " * indiferent *"
    QString rol;      // exact role number
    QString name;     // beginning of the name

    bool isEmpty() const;
};

class RoleListing {
public:
    static QString columnName(RoleColumn c); // "SATUL", ...
    static std::optional<RoleColumn> columnNamed(QStringView name);

    // Replaces the roles; order and search stay.
    void setRoles(std::vector<RoleRecord> roles);
    void setSearch(const RoleSearch &search);
    const RoleSearch &search() const { return search_; }
    // Orders by one column (ties keep the usual order); nullopt is the usual
    // order: locality, name, role number.
    void sortBy(std::optional<RoleColumn> column);
    std::optional<RoleColumn> sortColumn() const { return sortColumn_; }

    int size() const { return int(visible_.size()); }  // roles shown
    int total() const { return int(entries_.size()); } // roles of the register
    const RoleRecord &at(int row) const { return entries_[size_t(visible_[size_t(row)])].role; }
    int rowOf(qint64 IDGOS) const; // -1 when not shown
    bool contains(qint64 IDGOS) const { return byId_.contains(IDGOS); }

private:
    struct Entry {
        RoleRecord role;
        QString locality; // folded for the search: upper case, cedilla letters
        QString rol;
        QString name;
    };
    void reorder();
    void refilter();
    const std::vector<QCollatorSortKey> &keys(RoleColumn c);
    bool lessInColumn(RoleColumn c, int a, int b);

    std::vector<Entry> entries_;
    QHash<qint64, int> byId_;
    std::vector<int> order_;   // every entry, in display order
    std::vector<int> visible_; // the entries of order_ that match the search
    // Sort keys of a text column, built when the column is first ordered by.
    std::array<std::vector<QCollatorSortKey>, RoleColumnCount> keys_;
    std::array<bool, RoleColumnCount> keysBuilt_{};
    RoleSearch search_;
    RoleSearch folded_;
    std::optional<RoleColumn> sortColumn_;
};

} // namespace valdora
