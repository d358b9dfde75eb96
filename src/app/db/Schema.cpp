#include "app/db/Schema.h"

#include "app/core/Error.h"

namespace valdora {
namespace {

Column C(const char *name, int width) { return {QString::fromLatin1(name), ColumnType::Char, width, 0}; }
Column N(const char *name, int width, int decimals = 0) { return {QString::fromLatin1(name), ColumnType::Decimal, width, decimals}; }
Column D(const char *name) { return {QString::fromLatin1(name), ColumnType::Date, 8, 0}; }

TableDef T(const char *name, std::vector<Column> cols) { return {QString::fromLatin1(name), std::move(cols)}; }

std::vector<Column> receiptColumns(bool withIdAnul)
{
    std::vector<Column> c{N("IDCHIT", 10), N("IDGOS", 10)};
    if (withIdAnul)
        c.push_back(N("IDANUL", 10));
    const std::vector<Column> rest{C("SERIA", 10), N("NR", 10), D("DATAI"), C("SATUL", 32), C("ROL", 9),
                                   C("GRUPA", 60), C("DENUM", 50), C("CODCLAS", 24), C("NUMEP", 40), C("CNP", 13),
                                   C("STRADA", 40), C("ADRESA", 160), C("TIPF", 1), C("PLATNUME", 40),
                                   C("INCANUME", 32), C("LEGITIMA", 32), N("RESTANTA", 6), N("MAJOREST", 6),
                                   N("DEPOZIT", 6), N("CURENT", 6), N("MAJOR", 6), N("REDUCERE", 6), N("TOTAL", 6),
                                   C("TIP", 1)};
    c.insert(c.end(), rest.begin(), rest.end());
    return c;
}

std::vector<TableDef> buildTables()
{
    std::vector<TableDef> t;
    t.push_back(T("DefZone", {N("ID", 10), C("LOCALIT", 32), C("ZONA", 1), C("RANG", 3)}));
    t.push_back(T("Gospodar", {N("IDGOS", 10), C("SATUL", 32), C("ROL", 9), C("NUMEP", 40), C("CNP", 13),
                               C("STRADA", 40), C("ADRESA", 160), C("MOST", 200), N("NRPERS", 6), C("TIP", 8),
                               N("SCCLAD", 6), N("SCCC", 6), N("SCTI", 6), N("SCAUTO", 6), N("SCTE", 6),
                               C("OBS", 240), C("OBS2", 240), C("NOTAX", 2), C("INDOP", 6)}));
    {
        std::vector<Column> c{N("IDGOS", 10)};
        for (int n = 1; n <= 11; ++n)
            for (char z : {'A', 'B', 'C', 'D', 'E'})
                c.push_back({QStringLiteral("L%1%2").arg(n).arg(QChar(z)), ColumnType::Decimal, 8, 4});
        t.push_back({QStringLiteral("Pag1"), c});
    }
    t.push_back(T("Pag2", {N("IDGOS", 10), N("IDCLAD", 10), C("ADRESA", 80), N("IDMANUAL", 10), C("MIXTA", 1),
                           C("APT8", 2), C("TIPC", 1), C("ACTAGR", 2), D("DATAEVAL"), N("VALOAREN", 10, 2),
                           N("DESTINATIE", 6), C("ZONA", 1), N("RANG", 6), N("SUPRAFD", 10, 2), N("ANUL", 6),
                           N("CODMAT", 6), C("CUUTIL", 2), N("VALOAREJR", 10, 2), D("DATADOB"), D("DATAIN"),
                           C("OBSIN", 120), D("DATAVANZ"), D("DATAOUT"), C("OBSOUT", 120)}));
    {
        std::vector<Column> c{N("IDGOS", 10)};
        for (char z : {'A', 'B', 'C', 'D', 'E', 'F'})
            c.push_back({QStringLiteral("CC%1").arg(QChar(z)), ColumnType::Decimal, 8, 4});
        for (int n = 1; n <= 8; ++n)
            for (char z : {'A', 'B', 'C', 'D', 'E', 'F'})
                c.push_back({QStringLiteral("AL%1%2").arg(n).arg(QChar(z)), ColumnType::Decimal, 8, 4});
        t.push_back({QStringLiteral("Pag4"), c});
    }
    t.push_back(T("AutoDet", {N("IDGOS", 10), N("IDDETA", 10), C("NrDos", 18), C("TipAuto", 100), C("Marca", 18),
                              C("Combus", 18), N("Euro", 6), C("HIBpeste50", 1), C("NrInmat", 12), N("Inmatric", 6),
                              N("Valoare", 10, 2), N("AnulF", 6), N("Capacit", 6), C("Serie", 24), C("SerieM", 24),
                              C("OBS", 100), N("Tonaj", 6), N("DataIn", 6), N("DataOut", 6), N("PVInNr", 10),
                              N("PVOutNr", 10), N("DataDob", 6), C("ActD", 60), C("NrActD", 40), N("DataInstr", 6),
                              C("ActV", 60), C("NrActV", 40), C("CertRad", 40), N("CertRadD", 6), C("NumeNou", 80),
                              C("JudNou", 24), C("LocNou", 40), C("AdrNou", 80), C("Scutit", 1)}));
    {
        std::vector<Column> c{N("IDGOS", 10)};
        for (int i = 1; i <= 6; ++i)
            c.push_back({QStringLiteral("LIN%1").arg(i), ColumnType::Decimal, 6, 0});
        t.push_back({QStringLiteral("Pag7"), c});
    }
    {
        std::vector<Column> c{N("IDGOS", 10)};
        for (int i = 1; i <= 11; ++i)
            c.push_back({QStringLiteral("LIN%1").arg(i), ColumnType::Decimal, 6, 0});
        for (int i = 1; i <= 4; ++i)
            c.push_back({QStringLiteral("PEN%1").arg(i), ColumnType::Decimal, 6, 0});
        for (int i = 1; i <= 4; ++i)
            c.push_back({QStringLiteral("SOLD%1").arg(i), ColumnType::Decimal, 6, 0});
        t.push_back({QStringLiteral("Pag8"), c});
    }
    t.push_back(T("Datorii", {N("IDDAT", 10), N("IDGOS", 10), D("DINDATA"), C("SATUL", 32), C("ROL", 9),
                              C("GRUPA", 60), C("DENUM", 50), C("DOCJUS", 50), N("NR", 10), N("SUMA", 6),
                              N("REST", 6), N("REDUC", 6), C("UM", 8), N("CANT", 9, 4), N("REDUCP", 6),
                              N("SCUTIT", 6), C("TIP", 1), N("SUMA2", 6), N("RESTINI", 6)}));
    t.push_back(T("SoldCalc", {N("IDRES", 10), N("IDGOS", 10), C("SATUL", 32), C("ROL", 9), C("GRUPA", 60),
                               N("SUMA", 6), N("REST", 6), N("REDUC", 6), N("SCUTIRE", 6), N("DATOR", 6),
                               N("DEPOZ", 6), N("MAJOR", 6), N("DATORI", 6), N("DEPOZI", 6), N("MAJORI", 6),
                               C("TIP", 1)}));
    {
        std::vector<Column> c{N("IDDEB", 10), N("IDGOS", 10), C("GRUPA", 60), C("DOCJUS", 50), N("NR", 10),
                              C("CATEG", 9), C("DENUM", 50), D("DINDATA"), D("PENDATA"), C("FISIER", 8)};
        for (int i = 1; i <= 8; ++i) {
            c.push_back({QStringLiteral("CAMP%1").arg(i), ColumnType::Char, 6, 0});
            c.push_back({QStringLiteral("VAL%1").arg(i), ColumnType::Char, 10, 0});
        }
        c.push_back(N("SUMAINI", 6));
        c.push_back(N("SUMAC", 6));
        t.push_back({QStringLiteral("Debit"), c});
    }
    t.push_back({QStringLiteral("Chitante"), receiptColumns(true)});
    t.push_back(T("UndelDat", {N("IDANUL", 10), N("IDGOS", 10), N("IDDAT", 10), N("SUMA", 6), N("REST", 6),
                               N("REDUC", 6), N("SUMA2", 6), N("RESTINI", 6)}));
    t.push_back(T("UndelSold", {N("IDANUL", 10), N("IDGOS", 10), N("IDRES", 10), N("SUMA", 6), N("REST", 6),
                                N("REDUC", 6), N("SCUTIRE", 6), N("DATOR", 6), N("DEPOZ", 6), N("MAJOR", 6),
                                N("DATORI", 6), N("DEPOZI", 6), N("MAJORI", 6)}));
    t.push_back(T("UndelDebit", {N("IDANUL", 10), N("IDGOS", 10), N("IDDEB", 10), N("SUMAINI", 6), N("SUMAC", 6)}));
    t.push_back({QStringLiteral("ChitAnul"), receiptColumns(false)});
    t.push_back(T("RegCasa", {N("IDRC", 10), D("DATAI"), C("DOCJUS", 50), N("NR", 10), C("INCANUME", 32),
                              N("PLATIT", 8), N("INCASAT", 8)}));
    t.push_back(T("CONFIRM", {N("IDCONF", 10), N("IDGOS", 10), N("NRCONF", 10), D("DATACONF"), N("BORDNR", 10),
                              D("BORDATA"), C("ROL", 9), C("CODCL", 24), C("NUMEDEST", 40), C("ADRDEST", 40),
                              C("LOCDEST", 32), N("ADRNR", 10), D("ADRDATA"), N("SUMA", 6), C("NATCL", 60),
                              C("NUMEP", 40), C("STRADA", 40), C("ADRESA", 160), C("SATUL", 32)}));
    t.push_back(T("Somatii", {N("IDSOM", 10), N("IDGOS", 10), N("NR", 10), D("DINDATA"), N("SUMA", 10),
                              N("DATACONF", 6), C("TIPCONF", 12), C("ANULAT", 2), C("OBS", 32), C("ROL", 9),
                              C("NUMEP", 40), C("CNP", 13), C("STRADA", 40), C("ADRESA", 160), C("TIP", 8),
                              C("OPERAT", 32)}));
    t.push_back(T("SomDet", {N("IDSOM", 10), N("IDGOS", 10), C("GRUPA", 60), N("TERMEN", 6), N("RAMASITA", 10),
                             N("CURENT", 10), N("ACCESORII", 10), C("DOCJUS", 50)}));
    t.push_back(T("Instiintari", {N("IDINS", 10), N("IDGOS", 10), N("NR", 10), D("DINDATA"), N("SUMA", 10),
                                  C("ROL", 9), C("NUMEP", 40), C("CNP", 13), C("STRADA", 40), C("ADRESA", 160),
                                  C("OPERAT", 32)}));
    t.push_back(T("ScVeterani", {N("IDSCUT", 10), N("IDGOS", 10), N("SCCLAD", 6), N("SCCC", 6), N("SCTI", 6),
                                 N("SCAUTO", 6), N("SCTE", 6)}));
    t.push_back(T("Popriri", {N("IDPOP", 10), N("IDGOS", 10), N("NRTITLU", 10), D("DINDATA"), C("TIP", 10),
                              C("TERT", 40), C("SEDIU", 100), N("SUMA", 10), C("OPERAT", 32)}));
    t.push_back(T("CODCL", {N("IDCOD", 10), C("GRUPA", 60), C("CODCLF", 24), C("CODCLJ", 24), C("TIP", 1)}));
    t.push_back(T("Ini", {C("FORMA", 12), C("NUME", 32), C("VALOARE", 40)}));
    t.push_back(T("Log", {D("DATAA"), C("ORA", 12), C("UTILIZATOR", 20), C("ROL", 9), C("ACTIUNE", 120)}));
    return t;
}

QString quoted(const QString &name) { return u'"' + name + u'"'; }

} // namespace

QString Column::declaredType() const
{
    switch (type) {
    case ColumnType::Char: return QStringLiteral("CHAR(%1)").arg(width);
    case ColumnType::Decimal: return QStringLiteral("DECIMAL(%1,%2)").arg(width).arg(decimals);
    case ColumnType::Date: return QStringLiteral("DATE");
    }
    return {};
}

const Column *TableDef::column(const QString &n) const
{
    for (const auto &c : columns)
        if (c.name.compare(n, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

QStringList TableDef::columnNames() const
{
    QStringList l;
    for (const auto &c : columns)
        l << c.name;
    return l;
}

namespace schema {

const std::vector<TableDef> &tables()
{
    static const std::vector<TableDef> t = buildTables();
    return t;
}

const TableDef *table(const QString &name)
{
    for (const auto &t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

const TableDef &require(const QString &name)
{
    if (const TableDef *t = table(name))
        return *t;
    throw Error(QStringLiteral("Tabela necunoscuta: %1").arg(name));
}

const QStringList &creationOrder()
{
    static const QStringList order{
        "Ini", "CODCL", "DefZone", "Gospodar", "Pag1", "Pag2", "Pag4", "AutoDet", "Pag7", "Pag8", "Datorii",
        "SoldCalc", "Debit", "Chitante", "UndelDat", "UndelSold", "UndelDebit", "ChitAnul", "RegCasa", "CONFIRM",
        "Somatii", "SomDet", "Instiintari", "ScVeterani", "Popriri"};
    return order;
}

const std::vector<DefaultGroup> &defaultGroups()
{
    static const std::vector<DefaultGroup> g{
        {"Impozit pe cladiri", "I"}, {"Impozit pe teren intravilan", "I"},
        {"Impozit pe mijloace de transport", "I"}, {"Impozit pe teren extravilan", "I"},
        {"Salubritate", "T"}, {"Concesionari", "T"}, {"Iluminat", "T"}, {"PSI", "T"}, {"Paza", "T"},
        {"Taxa pe pasune", "T"}, {"Vehicule lente", "T"}, {"Vehicule neinmatriculate", "T"}};
    return g;
}

const std::vector<CounterColumn> &reseededCounters()
{
    static const std::vector<CounterColumn> c{
        {"Gospodar", "IDGOS"}, {"Datorii", "IDDAT"}, {"SoldCalc", "IDRES"}, {"Debit", "IDDEB"},
        {"Chitante", "IDCHIT"}, {"RegCasa", "IDRC"}, {"UndelDat", "IDANUL"}, {"CODCL", "IDCOD"},
        {"CONFIRM", "IDCONF"}, {"AutoDet", "IDDETA"}};
    return c;
}

const QStringList &serverTables()
{
    static const QStringList t{"Gospodar", "Pag1", "Pag2", "Pag8", "Pag4", "Pag7", "Datorii", "SoldCalc"};
    return t;
}

QString columnDefinition(const Column &c)
{
    const QString q = quoted(c.name);
    const QString constraint = QStringLiteral(" CONSTRAINT \"w_%1\" CHECK(").arg(c.name);
    switch (c.type) {
    case ColumnType::Char:
        return QStringLiteral("%1 %2 NOT NULL DEFAULT ''%3length(%1)<=%4)").arg(q, c.declaredType(), constraint).arg(c.width);
    case ColumnType::Decimal: {
        QString limit = QStringLiteral("1") + QString(c.width - c.decimals, u'0');
        return QStringLiteral("%1 %2 NOT NULL DEFAULT 0%3abs(%1)<%4)").arg(q, c.declaredType(), constraint, limit);
    }
    case ColumnType::Date:
        return QStringLiteral("%1 DATE%2%1 IS NULL OR (length(%1)=10 AND date(%1)=%1))").arg(q, constraint);
    }
    return {};
}

QString createStatement(const TableDef &t, const QString &tableName)
{
    QStringList defs;
    for (const auto &c : t.columns)
        defs << columnDefinition(c);
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(tableName.isEmpty() ? t.name : tableName), defs.join(u", "));
}

} // namespace schema
} // namespace valdora
