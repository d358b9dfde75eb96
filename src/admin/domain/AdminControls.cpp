#include "app/core/Currency.h"
#include "admin/domain/AdminControls.h"

namespace valdora::admin {
namespace {

void add(std::vector<ControlDef> &v, const QString &page, const QString &name, ControlKind kind,
         const QString &initial, const QStringList &items = {})
{
    v.push_back({name, kind, initial, page, items});
}

std::vector<ControlDef> build()
{
    using K = ControlKind;
    std::vector<ControlDef> v;
    const QString general = QStringLiteral("general");
    add(v, general, "PrimariaLab", K::Text, "U.A.T.");
    add(v, general, "LocalitateaLab", K::Text, "Localitatea");
    add(v, general, "CUILab", K::Text, "C.U.I.");
    add(v, general, "JudetulLab", K::DropDown, "Judetul", counties());
    add(v, general, "PrimarLab", K::Text, "Primar");
    add(v, general, "ContabilLab", K::Text, "Contabil");
    for (const char *c : {"PreviewC", "FormatPDF", "InExcel", "Bonificatie50", "BonifPJ"})
        add(v, general, c, K::CheckBox, "");

    const QString zonesPage = QStringLiteral("definirea zonelor");
    add(v, zonesPage, "ComboBox2", K::DropDown, "A", zones());
    add(v, zonesPage, "ComboBox3", K::DropDown, "IV", ranks());

    const QString te = QStringLiteral("teren extravilan");
    const char *tez[] = {"A", "B", "C", "D", "D"};
    const char *ter[] = {"I", "II", "II", "II", "IV"};
    for (int i = 1; i <= 5; ++i)
        add(v, te, QStringLiteral("TEZ%1").arg(i), K::DropDown, tez[i - 1], zones());
    for (int i = 1; i <= 5; ++i)
        add(v, te, QStringLiteral("TER%1").arg(i), K::DropDown, ter[i - 1], ranks());
    for (int n = 1; n <= 11; ++n)
        for (char z : {'A', 'B', 'C', 'D', 'E'})
            add(v, te, QStringLiteral("EC%1Z%2").arg(n).arg(QChar(z)), K::Number, "0");
    add(v, te, "RedTE", K::Number, "10");

    const QString cl = QStringLiteral("cladiri");
    for (const char *c : {"CotaCRPF", "CotaCNPF", "CotaCRPJ", "CotaCNPJ"})
        add(v, cl, c, K::Number, "0");
    add(v, cl, "EvalPJAni", K::Number, "5");
    add(v, cl, "MajHCL", K::Number, "0");
    add(v, cl, "RataInfE", K::Number, "0");
    add(v, cl, "RedC", K::Number, "0");
    for (const char *c : {"RataInfPFR", "RataInfPFN", "RataInfPJ"})
        add(v, cl, c, K::CheckBox, "");

    const QString ti = QStringLiteral("teren intravilan");
    const char *tiz[] = {"A", "B", "C", "D", "D", "D"};
    const char *tir[] = {"I", "II", "III", "III", "IV", "IV"};
    for (int i = 1; i <= 6; ++i)
        add(v, ti, QStringLiteral("TIZ%1").arg(i), K::DropDown, tiz[i - 1], zones());
    for (int i = 1; i <= 6; ++i)
        add(v, ti, QStringLiteral("TIR%1").arg(i), K::DropDown, tir[i - 1], ranks());
    for (char z : {'A', 'B', 'C', 'D', 'E', 'F'})
        add(v, ti, QStringLiteral("ICC%1").arg(QChar(z)), K::Number, "0");
    for (int n = 1; n <= 8; ++n)
        for (int k = 1; k <= 6; ++k)
            add(v, ti, QStringLiteral("IA%1%2").arg(n).arg(k), K::Number, "0");
    add(v, ti, "RedTI", K::Number, "10");

    const QString mt = QStringLiteral("mijloace de transport");
    add(v, mt, "HiRed", K::Number, "30");
    for (int i = 14; i <= 17; ++i)
        add(v, mt, QStringLiteral("AUTO%1").arg(i), K::Number, "0");
    add(v, mt, "RataInfA1", K::Number, "0");
    add(v, mt, "MajHCLA1", K::Number, "0");
    add(v, mt, "RedA1", K::Number, "10");

    const QString ai = QStringLiteral("auto inregistrate");
    add(v, ai, "AI1", K::Number, "2");
    add(v, ai, "AI2", K::Number, "4");
    add(v, ai, "AI3", K::Number, "50");
    add(v, ai, "RataInfA2", K::Number, "0");
    add(v, ai, "MajHCLA2", K::Number, "0");

    const QString at = QStringLiteral("alte taxe");
    for (int i = 1; i <= 6; ++i)
        add(v, at, QStringLiteral("Alte%1").arg(i), K::Number, "0");

    const QString g = QStringLiteral("mijloace transp. peste 12 tone");
    for (int i = 1; i <= 15; ++i)
        add(v, g, QStringLiteral("G%1A").arg(i), K::Number, "0");
    for (int i = 1; i <= 15; ++i)
        add(v, g, QStringLiteral("G%1B").arg(i), K::Number, "0");
    add(v, g, "RataInfA3", K::Number, "0");
    add(v, g, "CotaHCLA3", K::Number, "0");

    const QString gc = QStringLiteral("combinatii auto peste 12 tone");
    for (int i = 1; i <= 24; ++i)
        add(v, gc, QStringLiteral("GC%1A").arg(i), K::Number, "0");
    for (int i = 1; i <= 24; ++i)
        add(v, gc, QStringLiteral("GC%1B").arg(i), K::Number, "0");

    const QString apa = QStringLiteral("mijloace de transport pe apa");
    for (int i = 1; i <= 13; ++i)
        add(v, apa, QStringLiteral("APA%1").arg(i), K::Number, "0");
    return v;
}

} // namespace

const QStringList &counties()
{
    static const QStringList c{
        "ALBA", "ARAD", "ARGES", "BACAU", "BIHOR", "BISTRITA-NASAUD", "BOTOSANI", "BRAILA", "BRASOV", "BUZAU",
        "CALARASI", "CARAS-SEVERIN", "CLUJ", "CONSTANTA", "COVASNA", "DAMBOVITA", "DOLJ", "GALATI", "GIURGIU",
        "GORJ", "HARGHITA", "HUNEDOARA", "IALOMITA", "IASI", "ILFOV", "MARAMURES", "MEHEDINTI", "MURES", "NEAMT",
        "OLT", "PRAHOVA", "SALAJ", "SATU MARE", "SIBIU", "SUCEAVA", "TELEORMAN", "TIMIS", "TULCEA", "VALCEA",
        "VASLUI", "VRANCEA", "MUNICIPIUL BUCURESTI"};
    return c;
}

const QStringList &zones()
{
    static const QStringList z{"A", "B", "C", "D"};
    return z;
}

const QStringList &ranks()
{
    static const QStringList r{"0", "I", "II", "III", "IV", "V"};
    return r;
}

const std::vector<InflationYear> &inflationHistory()
{
    static const std::vector<InflationYear> h{{2026, "5.6"}, {2025, "10.4"}, {2024, "13.8"}, {2023, "5.1"},
                                              {2022, "2.6"}, {2021, "3.8"},  {2020, "4.6"},  {2019, "1.3"}};
    return h;
}

const std::vector<ControlDef> &controls()
{
    static const std::vector<ControlDef> c = build();
    return c;
}

const ControlDef *control(const QString &name)
{
    static const QHash<QString, const ControlDef *> index = [] {
        QHash<QString, const ControlDef *> h;
        for (const auto &c : controls())
            h.insert(c.name.toUpper(), &c);
        return h;
    }();
    return index.value(name.toUpper(), nullptr);
}

AdminValues::AdminValues()
{
    for (const auto &c : controls()) {
        if (c.kind == ControlKind::CheckBox)
            checks_.insert(c.name.toUpper(), c.initial == QLatin1String("DA"));
        else
            texts_.insert(c.name.toUpper(), c.initial);
    }
}

QString AdminValues::text(const QString &name) const { return texts_.value(name.toUpper()); }

void AdminValues::setText(const QString &name, const QString &text) { texts_.insert(name.toUpper(), text); }

Currency AdminValues::number(const QString &name) const
{
    QString t = text(name).trimmed();
    t.replace(u',', u'.');
    return Currency::parse(t).value_or(Currency());
}

bool AdminValues::checked(const QString &name) const { return checks_.value(name.toUpper(), false); }

void AdminValues::setChecked(const QString &name, bool on) { checks_.insert(name.toUpper(), on); }

} // namespace valdora::admin
