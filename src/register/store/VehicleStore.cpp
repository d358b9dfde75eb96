#include "register/store/VehicleStore.h"

#include "app/core/SettingsFile.h"
#include "app/db/Database.h"
#include "app/db/Rows.h"
#include "app/db/Transaction.h"

#include <QSqlQuery>

namespace valdora::roles {
namespace {

const QString table = QStringLiteral("AutoDet");

const char *const columns = "IDGOS, IDDETA, NrDos, TipAuto, Marca, Combus, Euro, NrInmat, Inmatric, HIBpeste50, "
                            "Valoare, AnulF, Capacit, Tonaj, Serie, SerieM, OBS, PVInNr, PVOutNr, DataIn, DataDob, "
                            "ActD, NrActD, DataOut, DataInstr, ActV, NrActV, CertRad, CertRadD, NumeNou, JudNou, "
                            "LocNou, AdrNou, Scutit";

VehicleRecord readVehicle(const QSqlQuery &q)
{
    VehicleRecord v;
    int i = 0;
    auto whole = [&] { return readWhole(q.value(i++)); };
    auto text = [&] { return readText(q.value(i++)); };
    v.IDGOS = whole();
    v.IDDETA = whole();
    v.NrDos = text();
    v.TipAuto = text();
    v.Marca = text();
    v.Combus = text();
    v.Euro = int(whole());
    v.NrInmat = text();
    v.Inmatric = int(whole());
    v.HIBpeste50 = text();
    v.Valoare = readDecimal(q.value(i++), 2);
    v.AnulF = int(whole());
    v.Capacit = int(whole());
    v.Tonaj = int(whole());
    v.Serie = text();
    v.SerieM = text();
    v.OBS = text();
    v.PVInNr = whole();
    v.PVOutNr = whole();
    v.DataIn = whole();
    v.DataDob = whole();
    v.ActD = text();
    v.NrActD = text();
    v.DataOut = whole();
    v.DataInstr = whole();
    v.ActV = text();
    v.NrActV = text();
    v.CertRad = text();
    v.CertRadD = whole();
    v.NumeNou = text();
    v.JudNou = text();
    v.LocNou = text();
    v.AdrNou = text();
    v.Scutit = text();
    if (v.Scutit.isEmpty())
        v.Scutit = QStringLiteral(" ");
    return v;
}

// The columns an edit rewrites, in the order of the insert after the keys.
RowValues editedValues(const VehicleRecord &v)
{
    return {{"NrDos", v.NrDos},         {"TipAuto", v.TipAuto},     {"Marca", v.Marca},
            {"Combus", v.Combus},       {"Euro", v.Euro},           {"NrInmat", v.NrInmat},
            {"Inmatric", v.Inmatric},   {"HIBpeste50", v.HIBpeste50}, {"Valoare", money(v.Valoare)},
            {"AnulF", v.AnulF},         {"Capacit", v.Capacit},     {"Tonaj", v.Tonaj},
            {"Serie", v.Serie},         {"SerieM", v.SerieM},       {"OBS", v.OBS},
            {"PVInNr", v.PVInNr},       {"PVOutNr", v.PVOutNr},     {"DataIn", v.DataIn},
            {"DataDob", v.DataDob},     {"ActD", v.ActD},           {"NrActD", v.NrActD},
            {"DataOut", v.DataOut},     {"DataInstr", v.DataInstr}, {"ActV", v.ActV},
            {"NrActV", v.NrActV},       {"CertRad", v.CertRad},     {"CertRadD", v.CertRadD},
            {"NumeNou", v.NumeNou},     {"JudNou", v.JudNou},       {"LocNou", v.LocNou},
            {"AdrNou", v.AdrNou},       {"Scutit", v.Scutit}};
}

} // namespace

register_domain::Vehicle VehicleRecord::taxVehicle() const
{
    register_domain::Vehicle v;
    v.IDDETA = IDDETA;
    v.TipAuto = TipAuto;
    v.Combus = Combus;
    v.Euro = Euro;
    v.HIBpeste50 = HIBpeste50;
    v.Inmatric = Inmatric;
    v.NrInmat = NrInmat;
    v.Valoare = Valoare;
    v.Capacit = Capacit;
    v.DataIn = DataIn;
    v.DataDob = DataDob;
    v.DataOut = DataOut;
    v.DataInstr = DataInstr;
    v.Scutit = Scutit;
    return v;
}

void VehicleRecord::takeChecked(const register_domain::Vehicle &v)
{
    TipAuto = v.TipAuto;
    Combus = v.Combus;
    HIBpeste50 = v.HIBpeste50;
    NrInmat = v.NrInmat;
    DataOut = v.DataOut;
    DataInstr = v.DataInstr;
}

void VehicleRecord::clearExit()
{
    DataOut = 0;
    DataInstr = 0;
    PVOutNr = 0;
    ActV.clear();
    NrActV.clear();
    CertRad.clear();
    CertRadD = 0;
    NumeNou.clear();
    JudNou.clear();
    LocNou.clear();
    AdrNou.clear();
}

std::vector<VehicleRecord> loadVehicles(Database &db, qint64 IDGOS)
{
    std::vector<VehicleRecord> out;
    QSqlQuery q = db.exec(QStringLiteral("SELECT %1 FROM AutoDet WHERE IDGOS=? ORDER BY DataOut, DataIn, IDDETA")
                              .arg(QLatin1String(columns)),
                          {IDGOS});
    while (q.next())
        out.push_back(readVehicle(q));
    return out;
}

std::optional<VehicleRecord> loadVehicle(Database &db, qint64 IDDETA)
{
    QSqlQuery q = db.exec(QStringLiteral("SELECT %1 FROM AutoDet WHERE IDDETA=?").arg(QLatin1String(columns)), {IDDETA});
    if (!q.next())
        return std::nullopt;
    return readVehicle(q);
}

QStringList storedAcquisitionDocuments(Database &db)
{
    QStringList out;
    QSqlQuery q = db.exec(QStringLiteral("SELECT DISTINCT ActD FROM AutoDet WHERE ActD<>'' ORDER BY ActD"));
    while (q.next())
        out << readText(q.value(0));
    return out;
}

qint64 addVehicle(Database &db, SettingsFile &settings, const VehicleRecord &vehicle)
{
    VehicleRecord v = vehicle;
    Transaction t(db);
    v.IDDETA = settings.nextNumber(QStringLiteral("SERVER"), QStringLiteral("IDDETA"));
    RowValues values{{"IDGOS", v.IDGOS}, {"IDDETA", v.IDDETA}};
    const RowValues rest = editedValues(v);
    values.insert(values.end(), rest.begin(), rest.end());
    insertRow(db, table, values);
    t.commit();
    return v.IDDETA;
}

bool updateVehicle(Database &db, const VehicleRecord &vehicle, bool exitProtocol)
{
    VehicleRecord v = vehicle;
    if (!exitProtocol)
        v.clearExit();
    Transaction t(db);
    const int changed = updateRows(db, table, editedValues(v), QStringLiteral("IDDETA=?"), {v.IDDETA});
    t.commit();
    return changed > 0;
}

bool deleteVehicle(Database &db, qint64 IDDETA)
{
    Transaction t(db);
    QSqlQuery q = db.exec(QStringLiteral("DELETE FROM AutoDet WHERE IDDETA=?"), {IDDETA});
    const bool deleted = q.numRowsAffected() > 0;
    t.commit();
    return deleted;
}

} // namespace valdora::roles
