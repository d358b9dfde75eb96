#include "admin/store/AdminSettingsStore.h"

#include "app/core/Edition.h"
#include "app/core/Error.h"
#include "app/core/IniFile.h"
#include "app/core/RegistryStore.h"
#include "app/core/SettingsFile.h"
#include "app/db/Database.h"
#include "app/db/Rows.h"
#include "app/db/Transaction.h"

namespace valdora::admin {
namespace {

const QString Server = QStringLiteral("SERVER");
const QString Const = QStringLiteral("CONST");
constexpr int IniValueWidth = 40;

QString yes(bool b) { return b ? QStringLiteral("DA") : QStringLiteral("NU"); }
bool isYes(const QString &s) { return s.trimmed().compare(QLatin1String("DA"), Qt::CaseInsensitive) == 0; }

QString lockKey() { return QStringLiteral("ADMINBLOCAT") + QString::fromLatin1(edition::FiscalYearText); }

bool storedInIni(const ControlDef &c) { return c.kind != ControlKind::CheckBox; }

// Settings key -> number control, with the value used when the key is missing.
struct NumberKey { const char *key; const char *control; const char *missing; };
const NumberKey numberKeys[] = {
    {"COTACRPF", "CotaCRPF", "0.1"}, {"COTACNPF", "CotaCNPF", "0.4"}, {"COTACRPJ", "CotaCRPJ", "0.1"},
    {"COTACNPJ", "CotaCNPJ", "0.4"}, {"REDC", "RedC", "10"},          {"RATAINF", "RataInfE", "0"},
    {"MAJHCL", "MajHCL", "0"}};

// Check box -> settings key; an empty section means the login name's section.
struct CheckKey { const char *control; const char *section; const char *key; };
const CheckKey checkKeys[] = {
    {"PreviewC", "SERVER", "PREVIEWL"},     {"Bonificatie50", "SERVER", "BONIF50"},
    {"FormatPDF", "", "FORMATPDF"},         {"InExcel", "", "INEXCEL"},
    {"BonifPJ", "SERVER", "REDUCERE_JURIDICE"}, {"RataInfPFR", "CONST", "RATAINFPF"},
    {"RataInfPFN", "CONST", "RATAINFPFN"}, {"RataInfPJ", "CONST", "RATAINFPJ"}};

QString sectionOf(const CheckKey &k, const QString &login)
{
    return *k.section ? QString::fromLatin1(k.section) : login;
}

// Whole part of a number text, for EvalPJAni.
QString wholeText(const QString &t)
{
    QString s = t.trimmed();
    s.replace(u',', u'.');
    if (const auto c = Currency::parse(s))
        return QString::number(c->truncLei().wholeLei());
    return {};
}

void insertIniRow(Database &db, const QString &form, const QString &name, const QString &value)
{
    insertRow(db, QStringLiteral("Ini"), {{"FORMA", form}, {"NUME", name}, {"VALOARE", value}});
}

void createIni(Database &db)
{
    db.exec(schema::createStatement(schema::require(QStringLiteral("Ini"))));
}

} // namespace

QString firstTooLongControl(const AdminValues &values)
{
    for (const auto &c : controls())
        if (storedInIni(c) && values.text(c.name).size() > IniValueWidth)
            return c.name;
    return {};
}

void loadAdminValues(AdminValues &values, AdminStores s)
{
    if (s.db.hasTable(QStringLiteral("Ini"))) {
        QSqlQuery q = s.db.exec(QStringLiteral("SELECT FORMA, NUME, VALOARE FROM Ini ORDER BY FORMA, NUME"));
        while (q.next()) {
            const QString form = q.value(0).toString().trimmed().toUpper();
            if (form != QLatin1String("FORM4") && form != QLatin1String("FR12") && form != QLatin1String("FRCOMB"))
                continue;
            const ControlDef *c = control(q.value(1).toString().trimmed());
            if (!c || !storedInIni(*c))
                continue;
            const QString v = q.value(2).toString();
            if (c->kind == ControlKind::Number)
                values.setText(c->name, v.trimmed());
            else if (c->kind == ControlKind::DropDown)
                values.setText(c->name, c->items.contains(v.trimmed()) ? v.trimmed() : QString());
            else
                values.setText(c->name, v);
        }
    }

    const IniFile ini = s.settings.snapshot();
    const QString login = s.loginName;
    for (const auto &k : checkKeys) {
        if (QLatin1String(k.key) == QLatin1String("RATAINFPF"))
            continue; // after RataInfE is known
        if (sectionOf(k, login).trimmed().isEmpty())
            continue;
        values.setChecked(QString::fromLatin1(k.control), isYes(ini.value(sectionOf(k, login), QString::fromLatin1(k.key))));
    }

    const QString backup = s.registry.read(QStringLiteral("CALESALVARI"));
    values.backupPath = backup.isEmpty() ? QStringLiteral("-") : backup;
    const QString ra = ini.value(Server, QStringLiteral("CALE_RA"));
    values.agriculturalRegisterPath = ra.isEmpty() ? QStringLiteral("-") : ra;

    const QString noPen = ini.value(Server, QStringLiteral("FARAMAJORARI")).trimmed().toUpper();
    if (!ini.hasKey(Server, QStringLiteral("FARAMAJORARI")))
        s.settings.write(Server, QStringLiteral("FARAMAJORARI"), QStringLiteral("NU"));
    values.noPenaltiesAllowed = noPen == QLatin1String("DA");
    if (!ini.hasKey(Server, lockKey()))
        s.settings.write(Server, lockKey(), QStringLiteral("NU"));
    values.yearLocked = isYes(ini.value(Server, lockKey()));

    for (const auto &k : numberKeys) {
        const QString v = ini.value(Server, QString::fromLatin1(k.key)).trimmed();
        values.setText(QString::fromLatin1(k.control), v.isEmpty() ? QString::fromLatin1(k.missing) : v);
    }

    QString infPf = ini.value(Const, QStringLiteral("RATAINFPF"));
    if (infPf.trimmed().isEmpty() && values.number(QStringLiteral("RataInfE")) > Currency()) {
        s.settings.write(Const, QStringLiteral("RATAINFPF"), QStringLiteral("DA"));
        infPf = QStringLiteral("DA");
    }
    values.setChecked(QStringLiteral("RataInfPFR"), isYes(infPf));

    const QString years = wholeText(ini.value(Server, QStringLiteral("EvalPJAni")));
    if (!years.isEmpty())
        values.setText(QStringLiteral("EvalPJAni"), years);
}

void rebuildIni(const AdminValues &values, Database &db)
{
    Transaction t(db);
    db.exec(QStringLiteral("DROP TABLE IF EXISTS Ini"));
    createIni(db);
    for (const auto &c : controls())
        if (storedInIni(c))
            insertIniRow(db, QStringLiteral("FORM4"), c.name, values.text(c.name));
    t.commit();
}

void saveAdminValues(const AdminValues &values, AdminStores s)
{
    if (const QString tooLong = firstTooLongControl(values); !tooLong.isEmpty())
        throw Error(QStringLiteral("Valoarea din %1 are peste %2 caractere.").arg(tooLong).arg(IniValueWidth));

    Transaction t(s.db);
    if (!s.db.hasTable(QStringLiteral("Ini")))
        rebuildIni(values, s.db);
    for (const auto &c : controls()) {
        if (!storedInIni(c))
            continue;
        const QString text = values.text(c.name);
        int changed = 0;
        // FRCOMB rows load last, so they are kept in step too.
        for (const char *form : {"FORM4", "FR12", "FRCOMB"})
            changed += updateRows(s.db, QStringLiteral("Ini"), {{"VALOARE", text}}, QStringLiteral("FORMA=? AND NUME=?"),
                                  {QString::fromLatin1(form), c.name});
        if (changed == 0)
            insertIniRow(s.db, QStringLiteral("FORM4"), c.name, text);
    }

    s.settings.update([&](IniFile &ini) {
        for (const auto &k : checkKeys) {
            const QString section = sectionOf(k, s.loginName);
            if (!section.trimmed().isEmpty()) // per-user options wait for a login
                ini.setValue(section, QString::fromLatin1(k.key), yes(values.checked(QString::fromLatin1(k.control))));
        }
        for (const auto &k : numberKeys)
            ini.setValue(Server, QString::fromLatin1(k.key), values.number(QString::fromLatin1(k.control)).toShortString());
        ini.setValue(Server, QStringLiteral("EvalPJAni"), wholeText(values.text(QStringLiteral("EvalPJAni"))));
    });
    t.commit();
}

} // namespace valdora::admin
