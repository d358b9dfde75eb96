// valdora-cli situation / penalty / pay: the collection engine on a database folder.

#include "admin/store/AdminSettingsStore.h"
#include "admin/store/UserFile.h"
#include "app/core/Clock.h"
#include "app/core/Dates.h"
#include "app/core/Edition.h"
#include "app/core/Error.h"
#include "app/core/Folders.h"
#include "app/core/RegistryStore.h"
#include "app/core/SettingsFile.h"
#include "app/db/ActionLog.h"
#include "app/db/Database.h"
#include "cli/CliSupport.h"
#include "collections/domain/PaymentOperation.h"
#include "collections/domain/PenaltyRule.h"
#include "collections/domain/ReceiptDocument.h"
#include "collections/domain/RoleSituation.h"
#include "collections/store/CollectionStore.h"
#include "collections/store/PaymentStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace valdora::cli {
namespace {

using namespace valdora::collections;

QJsonValue money(Currency c)
{
    if (c.isWholeLei())
        return QJsonValue(qint64(c.wholeLei()));
    return QJsonValue(c.toShortString().toDouble());
}
QJsonValue date(QDate d) { return d.isValid() ? QJsonValue(formatDate(d)) : QJsonValue(QString()); }

QJsonObject tiJson(const TiRow &r)
{
    return {{"IDRES", r.IDRES},        {"GRUPA", r.GRUPA},        {"SUMA", money(r.SUMA)},   {"REST", money(r.REST)},
            {"REDUC", money(r.REDUC)}, {"SCUTIRE", money(r.SCUTIRE)}, {"DATOR", money(r.DATOR)}, {"DEPOZ", money(r.DEPOZ)},
            {"MAJOR", money(r.MAJOR)}, {"TIP", r.TIP},            {"CUR1", money(r.CUR1)},   {"RAM1", money(r.RAM1)},
            {"MAJOR1", money(r.MAJOR1)}, {"RED1", money(r.RED1)}, {"SCUT1", money(r.SCUT1)}, {"DEPLATA", money(r.DEPLATA)},
            {"ACHITAT", money(r.ACHITAT)}};
}

QJsonObject ttJson(const TtRow &r)
{
    return {{"IDDAT", r.IDDAT},         {"GRUPA", r.GRUPA},       {"DENUM", r.DENUM},      {"DOCJUS", r.DOCJUS},
            {"NR", r.NR},               {"TIP", r.TIP},           {"SUMA", money(r.SUMA)}, {"DINDATA", date(r.DINDATA)},
            {"SUMA2", money(r.SUMA2)},  {"RESTINI", money(r.RESTINI)}, {"REST", money(r.REST)}, {"REDUC", money(r.REDUC)},
            {"CUR1", money(r.CUR1)},    {"REST1", money(r.REST1)}, {"DEPLATA", money(r.DEPLATA)}, {"ACHITAT", money(r.ACHITAT)}};
}

QJsonObject tdJson(const TdRow &r)
{
    return {{"IDDEB", r.IDDEB},     {"GRUPA", r.GRUPA},           {"DOCJUS", r.DOCJUS},       {"NR", r.NR},
            {"CATEG", r.CATEG},     {"DENUM", r.DENUM},           {"DINDATA", date(r.DINDATA)}, {"PENDATA", date(r.PENDATA)},
            {"SUMAINI", money(r.SUMAINI)}, {"SUMAC", money(r.SUMAC)}, {"MAJOR", money(r.MAJOR)}, {"DEPLATA", money(r.DEPLATA)},
            {"ACHITAT", money(r.ACHITAT)}};
}

QJsonObject roleJson(const RoleHeader &r)
{
    return {{"IDGOS", r.IDGOS}, {"SATUL", r.SATUL},   {"ROL", r.ROL}, {"NUMEP", r.NUMEP}, {"CNP", r.CNP},
            {"STRADA", r.STRADA}, {"ADRESA", r.ADRESA}, {"TIP", r.TIP}, {"NOTAX", r.NOTAX}};
}

// The database of --data with its settings and administration values.
struct Opened {
    std::unique_ptr<Database> db;
    std::unique_ptr<SettingsFile> settings;
    admin::AdminValues admin;
};

std::optional<Opened> open(const Args &a, QString *error)
{
    if (!Database::fileHasTables(a.dataFolder + u'/' + QString::fromLatin1(Database::FileName), {QStringLiteral("SoldCalc")})) {
        *error = QStringLiteral("In %1 nu exista o baza de date. Rulati intai: valdora-cli --data %1 init").arg(a.dataFolder);
        return std::nullopt;
    }
    Opened o;
    o.db = std::make_unique<Database>(a.dataFolder);
    o.settings = std::make_unique<SettingsFile>(a.settingsPath());
    RegistryStore registry(edition::ProductNumber);
    admin::loadAdminValues(o.admin, {*o.db, *o.settings, registry, a.option(QStringLiteral("user"))});
    return o;
}

std::optional<QDate> dateOption(const Args &a, const QString &name, QString *error)
{
    const auto d = parseDate(a.option(name));
    if (!d)
        *error = QStringLiteral("Data --%1 \"%2\" nu este corecta (zz.ll.aaaa).").arg(name, a.option(name));
    return d;
}

struct Loaded {
    RoleHeader role;
    RoleSituation situation;
    CollectionSettings settings;
};

std::optional<Loaded> situationOf(Opened &o, const Args &a, QString *error)
{
    bool ok = false;
    const qint64 id = a.option(QStringLiteral("role")).toLongLong(&ok);
    const auto d = dateOption(a, QStringLiteral("date"), error);
    if (!d)
        return std::nullopt;
    const auto role = ok ? loadRole(*o.db, id) : std::nullopt;
    if (!role) {
        *error = QStringLiteral("Rolul cu IDGOS %1 nu exista.").arg(a.option(QStringLiteral("role")));
        return std::nullopt;
    }
    const CollectionSettings settings = collectionSettings(o.admin, edition::FiscalYear);
    const RoleSituationInput input = loadSituationInput(*o.db, *role, *d, edition::FiscalYear);
    return Loaded{*role, RoleSituation::calculate(input, settings, SituationPolicy::collectionWindow()), settings};
}

QJsonObject situationJson(const Loaded &l)
{
    QJsonArray ti, tt, td;
    for (const auto &r : l.situation.Ti)
        ti.append(tiJson(r));
    for (const auto &r : l.situation.Tt)
        tt.append(ttJson(r));
    for (const auto &r : l.situation.Td)
        td.append(tdJson(r));
    return {{"role", roleJson(l.role)}, {"date", date(l.situation.calculationDate)}, {"noPenalty", l.situation.noPenalty},
            {"Ti", ti}, {"Tt", tt}, {"Td", td}, {"Total datorie", money(l.situation.totalDatorie())}};
}

int situation(const Args &a)
{
    if (!a.has(QStringLiteral("role")) || !a.has(QStringLiteral("date")))
        return usage(QStringLiteral("valdora-cli situation --role IDGOS --date dd.MM.yyyy"));
    QString error;
    auto o = open(a, &error);
    if (!o)
        return refuse(error);
    const auto l = situationOf(*o, a, &error);
    if (!l)
        return refuse(error);
    printJson(situationJson(*l));
    return Ok;
}

int penalty(const Args &a)
{
    if (!a.has(QStringLiteral("amount")) || !a.has(QStringLiteral("due")) || !a.has(QStringLiteral("date")))
        return usage(QStringLiteral("valdora-cli penalty --amount A --due dd.MM.yyyy --date dd.MM.yyyy"));
    QString error;
    const auto amount = Currency::parse(a.option(QStringLiteral("amount")));
    if (!amount)
        return refuse(QStringLiteral("Suma \"%1\" nu este un numar.").arg(a.option(QStringLiteral("amount"))));
    const auto due = dateOption(a, QStringLiteral("due"), &error);
    const auto at = due ? dateOption(a, QStringLiteral("date"), &error) : std::nullopt;
    if (!due || !at)
        return refuse(error);
    const PenaltyRule rule(edition::FiscalYear);
    printJson(QJsonObject{{"amount", money(*amount)}, {"due", date(*due)}, {"date", date(*at)},
                          {"penalty", money(rule.penalty(*amount, *due, *at, false))}});
    return Ok;
}

std::optional<DocumentEntry> entryOf(const QString &kind)
{
    const QString k = kind.trimmed().toUpper();
    if (k == QLatin1String("CHITANTA"))
        return DocumentEntry::Chitanta;
    if (k == QLatin1String("VIRAMENT"))
        return DocumentEntry::Virament;
    if (k == QLatin1String("CARD BANCAR"))
        return DocumentEntry::CardBancar;
    if (k == QLatin1String("ONLINE"))
        return DocumentEntry::Online;
    return std::nullopt;
}

QString refusalText(const Refusal &r) { return r.title.isEmpty() ? r.text : r.title + QStringLiteral(": ") + r.text; }

int pay(const Args &a)
{
    if (!a.has(QStringLiteral("role")) || !a.has(QStringLiteral("date")) || !a.has(QStringLiteral("user")) ||
        !a.has(QStringLiteral("amounts")))
        return usage(QStringLiteral("valdora-cli pay --role IDGOS --date dd.MM.yyyy --user NAME --amounts JSON "
                                    "[--kind CHITANTA|VIRAMENT|\"CARD BANCAR\"|ONLINE] [--number N] [--payer TEXT] "
                                    "[--doc-date dd.MM.yyyy]"));
    QString error;
    auto o = open(a, &error);
    if (!o)
        return refuse(error);
    if (o->admin.yearLocked)
        return refuse(QStringLiteral("Nu puteti modifica !\rAnuntati seful de retea sau lucrati la altceva!"));
    const QString user = a.option(QStringLiteral("user")).trimmed();
    std::optional<admin::UserRecord> account;
    admin::UserFile users(a.dataFolder + QStringLiteral("/s.mpg"));
    if (users.exists())
        for (const auto &r : users.readAll())
            if (r.name == user)
                account = r;
    if (!account)
        return refuse(QStringLiteral("Utilizatorul %1 nu exista.").arg(user));

    auto l = situationOf(*o, a, &error);
    if (!l)
        return refuse(error);

    QJsonParseError pe;
    const QJsonDocument amounts = QJsonDocument::fromJson(a.option(QStringLiteral("amounts")).toUtf8(), &pe);
    if (pe.error != QJsonParseError::NoError || !amounts.isObject())
        return refuse(QStringLiteral("--amounts trebuie sa fie un obiect JSON: {\"Ti:IDRES\": suma, ...}"));
    static const QRegularExpression key(QStringLiteral("^(Ti|Tt|Td):(\\d+)$"));
    const QJsonObject map = amounts.object();
    for (auto it = map.begin(); it != map.end(); ++it) {
        const auto m = key.match(it.key());
        const auto typed = Currency::parse(it.value().isString() ? it.value().toString() : QString::number(it.value().toDouble(), 'f', 4));
        if (!m.hasMatch() || !typed)
            return refuse(QStringLiteral("Suma pentru \"%1\" nu este corecta.").arg(it.key()));
        const qint64 id = m.captured(2).toLongLong();
        bool found = false;
        if (m.captured(1) == QLatin1String("Ti")) {
            for (auto &r : l->situation.Ti)
                if (r.IDRES == id) {
                    r.ACHITAT = amountAfterEdit(*typed, r.DEPLATA);
                    found = true;
                }
        } else if (m.captured(1) == QLatin1String("Tt")) {
            for (auto &r : l->situation.Tt)
                if (r.IDDAT == id) {
                    r.ACHITAT = *typed;
                    found = true;
                }
        } else {
            for (auto &r : l->situation.Td)
                if (r.IDDEB == id) {
                    r.ACHITAT = amountAfterEdit(*typed, r.DEPLATA);
                    found = true;
                }
        }
        if (!found)
            return refuse(QStringLiteral("Randul \"%1\" nu este in situatia rolului.").arg(it.key()));
    }

    const OperationResult op = PaymentOperation::operate(l->situation, l->settings);
    if (!op.ok())
        return refuse(refusalText(*op.refusal));
    PreparationInputs prep;
    prep.userSeries = o->settings->read(user, QStringLiteral("SERIA")).trimmed();
    prep.proposedReceiptNumber = o->settings->peekNumber(user, QStringLiteral("CHIT"));
    prep.codes = loadClassificationCodes(*o->db);
    const auto prepared = ReceiptDocument::prepare(op.allocation, prep);
    if (!prepared.ok())
        return refuse(refusalText(*prepared.refusal));
    const ReceiptDocument &doc = prepared.document;

    const auto entries = doc.entries();
    DocumentEntry entry = entries.front();
    if (a.has(QStringLiteral("kind"))) {
        const auto chosen = entryOf(a.option(QStringLiteral("kind")));
        if (!chosen || std::find(entries.begin(), entries.end(), *chosen) == entries.end())
            return refuse(QStringLiteral("Felul documentului \"%1\" nu se potriveste cu sumele.").arg(a.option(QStringLiteral("kind"))));
        entry = *chosen;
    }
    OperareFields fields;
    fields.entry = entry;
    fields.NR = doc.proposedNumber(entry);
    if (a.has(QStringLiteral("number"))) {
        bool ok = false;
        fields.NR = a.option(QStringLiteral("number")).toLongLong(&ok);
        if (!ok)
            return refuse(QStringLiteral("Numar incorect!"));
    }
    fields.dinData = l->situation.calculationDate;
    if (a.has(QStringLiteral("doc-date"))) {
        const auto d = dateOption(a, QStringLiteral("doc-date"), &error);
        if (!d)
            return refuse(error);
        fields.dinData = *d;
    }
    fields.payer = a.has(QStringLiteral("payer")) ? a.option(QStringLiteral("payer")) : l->role.NUMEP;
    OperareContext context;
    context.closedYear = closedYear(*o->settings);
    Database &db = *o->db;
    // A cash receipt's number is assigned when it is saved, past every number already on a
    // receipt of the series; the proposed one may be taken meanwhile without harm.
    if (entry != DocumentEntry::Chitanta)
        context.receiptOwner = [&db](const QString &s, qint64 n) { return receiptOwner(db, s, n); };
    const auto finalized = doc.finalize(fields, context);
    if (!finalized.ok())
        return refuse(refusalText(*finalized.refusal));

    PaymentSaveInputs in;
    in.header = ChitanteHeader{0, 0, l->role.IDGOS, l->role.SATUL, l->role.ROL, l->role.NUMEP, l->role.CNP, l->role.STRADA,
                               l->role.ADRESA, l->role.naturalPerson() ? QStringLiteral("F") : QStringLiteral("J"), user,
                               account->identityCard};
    in.userSection = user;
    in.now = appClock().now();
    const SavedPayment saved = PaymentStore::save(db, *o->settings, ActionLog(runFolders().program), finalized.plan, in);

    QJsonArray lines;
    for (const auto &r : saved.rows)
        lines.append(QJsonObject{{"IDCHIT", r.IDCHIT},     {"IDANUL", r.IDANUL},         {"TIP", r.TIP},
                                 {"SERIA", r.SERIA.trimmed()}, {"NR", r.NR},             {"DATAI", date(r.DATAI)},
                                 {"GRUPA", r.GRUPA},       {"DENUM", r.DENUM},           {"CODCLAS", r.CODCLAS},
                                 {"PLATNUME", r.PLATNUME}, {"INCANUME", r.INCANUME},     {"RESTANTA", money(r.RESTANTA)},
                                 {"MAJOREST", money(r.MAJOREST)}, {"DEPOZIT", money(r.DEPOZIT)}, {"CURENT", money(r.CURENT)},
                                 {"MAJOR", money(r.MAJOR)}, {"REDUCERE", money(r.REDUCERE)}, {"TOTAL", money(r.TOTAL)}});
    printJson(QJsonObject{{"IDCHIT", saved.IDCHIT}, {"TIP", saved.TIP}, {"NR", saved.NR}, {"printed", saved.printed},
                          {"lines", lines}});
    return Ok;
}

const bool registered = [] {
    registerCommand({QStringLiteral("situation"), QStringLiteral("situation --role IDGOS --date dd.MM.yyyy"), situation});
    registerCommand({QStringLiteral("penalty"), QStringLiteral("penalty --amount A --due dd.MM.yyyy --date dd.MM.yyyy"), penalty});
    registerCommand({QStringLiteral("pay"),
                     QStringLiteral("pay --role IDGOS --date dd.MM.yyyy --user NAME --amounts JSON [--kind K] [--number N] "
                                    "[--payer TEXT] [--doc-date dd.MM.yyyy]"),
                     pay});
    return true;
}();

} // namespace
} // namespace valdora::cli
