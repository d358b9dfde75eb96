#include "collections/domain/RoleSituation.h"

#include "app/core/Text.h"
#include "collections/domain/DueDates.h"
#include "collections/domain/Installments.h"
#include "collections/domain/PenaltyRule.h"

#include <algorithm>

namespace valdora::collections {
namespace {

const Currency Zero;

bool sameGroup(QStringView a, QStringView b) { return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0; }

bool isMainGroup(QStringView grupa) { return groupIndex(grupa.trimmed()) <= 4; }

bool discountGranted(const std::vector<GrantedDiscount> &granted, QStringView grupa)
{
    return std::any_of(granted.begin(), granted.end(), [&](const GrantedDiscount &g) {
        return g.REDUCERE > Zero && sameGroup(g.GRUPA, grupa);
    });
}

TiRow mainTaxRow(const SoldCalcRow &s, const RoleSituationInput &input, const CollectionSettings &settings,
                 const SituationPolicy &policy, const PenaltyRule &rule, bool naturalPerson, bool noPenalty)
{
    const QDate C = input.calculationDate;
    const DueDates due = DueDates::ofYear(settings.workingYear);
    TiRow t;
    t.IDRES = s.IDRES;
    t.GRUPA = s.GRUPA;
    t.SUMA = s.SUMA;
    t.REST = s.REST;
    t.REDUC = s.REDUC;
    t.SCUTIRE = s.SCUTIRE;
    t.DATOR = s.DATOR;
    t.DEPOZ = s.DEPOZ;
    t.MAJOR = s.MAJOR;
    t.TIP = s.TIP;

    const Installments inst = Installments::of(s.SUMA, s.REST);
    t.firstRemainder = inst.firstRemainder;
    t.secondRemainder = inst.secondRemainder;

    // Discount offered for paying the year in full.
    Currency D = s.SCUTIRE.isZero() ? s.REDUC : Zero;
    if (!policy.offersDiscount)
        D = Zero;
    if (!naturalPerson && !settings.discountForLegalPersons)
        D = Zero;
    if (s.SUMA < Currency::fromLei(Installments::SplitFromLei) && !settings.discountUnder50)
        D = Zero;
    if (discountGranted(input.discountsGranted, s.GRUPA))
        D = Zero;

    // Arrears net of credit; a positive net accrues from 31 December of the previous year.
    Currency R;
    if (s.DEPOZ > Zero)
        R = -s.DEPOZ;
    if (s.DATOR > Zero) {
        R += s.DATOR;
        if (R > Zero)
            t.arrearsPenalty = rule.penalty(R, due.arrears, C, noPenalty);
    }

    // Current year; an exempt row shows nothing current.
    Currency K;
    if (s.SCUTIRE.isZero()) {
        K = s.REST;
        if (C <= due.first) {
            if (s.REST > Zero)
                K = s.REST - D;
        } else {
            D = Zero;
            // Leftover credit covers the first installment before it is late.
            Currency S = inst.firstRemainder;
            if (R < Zero)
                S += R;
            if (S > Zero)
                t.firstPenalty = rule.penalty(S, due.first, C, noPenalty);
            if (C > due.second) {
                const Currency late2 = S >= Zero ? inst.secondRemainder : inst.secondRemainder + S;
                if (late2 > Zero)
                    t.secondPenalty = rule.penalty(late2, due.second, C, noPenalty);
            }
        }
    }

    t.carriedPenalty = noPenalty ? Zero : s.MAJOR.roundLei();
    t.CUR1 = K.roundLei();
    t.RAM1 = R.roundLei();
    t.RED1 = D.roundLei();
    t.SCUT1 = s.SCUTIRE.roundLei();
    t.MAJOR1 = (t.arrearsPenalty + t.firstPenalty + t.secondPenalty).roundLei() + t.carriedPenalty;
    t.DEPLATA = t.RAM1 + t.CUR1 + t.MAJOR1;
    return t;
}

TtRow otherTaxRow(const DatoriiRow &d, const SituationPolicy &policy)
{
    TtRow t;
    t.IDDAT = d.IDDAT;
    t.GRUPA = d.GRUPA;
    t.DENUM = d.DENUM;
    t.DOCJUS = d.DOCJUS;
    t.NR = d.NR;
    t.TIP = d.TIP;
    t.SUMA = d.SUMA;
    t.DINDATA = d.DINDATA;
    t.SUMA2 = d.SUMA2;
    t.RESTINI = d.RESTINI;
    t.REST = d.REST;
    t.REDUC = d.REDUC;
    t.REST1 = d.REST;
    if (policy.otherTaxCurrentNetOfReduction) {
        t.CUR1 = d.SUMA - d.REDUC;
        t.DEPLATA = t.REST1 + t.CUR1;
    } else {
        t.CUR1 = d.SUMA;
        t.DEPLATA = d.REST + d.SUMA - d.REDUC;
    }
    return t;
}

bool keepsOtherTax(const DatoriiRow &d, const SituationPolicy &policy)
{
    if (isMainGroup(d.GRUPA))
        return false;
    if (policy.keepsOtherTaxWithAnyAmount)
        return !d.SUMA.isZero() || !d.REST.isZero() || d.REDUC > Zero;
    return !(d.SUMA + d.REST - d.REDUC).isZero();
}

TdRow yearDebtRow(const DebitRow &b, QDate C, const SituationPolicy &policy, const PenaltyRule &rule,
                  bool noPenalty)
{
    TdRow t;
    t.IDDEB = b.IDDEB;
    t.GRUPA = b.GRUPA;
    t.DOCJUS = b.DOCJUS;
    t.NR = b.NR;
    t.CATEG = b.CATEG;
    t.DENUM = b.DENUM;
    t.DINDATA = b.DINDATA;
    t.PENDATA = b.PENDATA;
    t.SUMAINI = b.SUMAINI;
    t.SUMAC = b.SUMAC;
    const bool accrues = std::any_of(policy.yearDebtPenaltyCategories.begin(),
                                     policy.yearDebtPenaltyCategories.end(),
                                     [&](const QString &c) { return sameGroup(c, b.CATEG); });
    // A bordereau without a penalty date has nothing to count from.
    if (accrues && b.PENDATA.isValid() && b.SUMAC > Zero && C > b.PENDATA)
        t.MAJOR = rule.penalty(b.SUMAC, b.PENDATA, C, noPenalty && policy.noPenaltyCoversYearDebts);
    t.DEPLATA = t.SUMAC + t.MAJOR;
    return t;
}

template <typename Rows, typename Field>
Currency sumOf(const Rows &rows, Field field)
{
    Currency s;
    for (const auto &r : rows)
        s += field(r);
    return s;
}

} // namespace

SituationPolicy SituationPolicy::collectionWindow()
{
    SituationPolicy p;
    p.purpose = Purpose::CollectionWindow;
    p.yearDebtPenaltyCategories = {QStringLiteral("Cumparare"), QStringLiteral("Majorare"), QStringLiteral("Taxa")};
    return p;
}

SituationPolicy SituationPolicy::roleCalculation()
{
    SituationPolicy p;
    p.purpose = Purpose::RoleCalculation;
    p.offersDiscount = false;
    p.keepsOtherTaxWithAnyAmount = true;
    p.otherTaxCurrentNetOfReduction = true;
    p.keepsSettledYearDebts = true;
    p.yearDebtPenaltyCategories = {QStringLiteral("Cumparare"), QStringLiteral("Majorare")};
    p.noPenaltyCoversYearDebts = false;
    return p;
}

RoleSituation RoleSituation::calculate(const RoleSituationInput &input, const CollectionSettings &settings,
                                       const SituationPolicy &policy)
{
    RoleSituation s;
    s.IDGOS = input.IDGOS;
    s.calculationDate = input.calculationDate;
    s.workingYear = settings.workingYear;
    s.naturalPerson = input.TIP.trimmed().compare(u"FIZICA", Qt::CaseInsensitive) == 0;
    s.noPenalty = bearsNoPenalties(settings, input.NOTAX);
    s.policy = policy;
    const PenaltyRule rule(settings.workingYear);

    for (const auto &b : input.debit)
        if (policy.keepsSettledYearDebts || !b.SUMAC.isZero())
            s.Td.push_back(yearDebtRow(b, input.calculationDate, policy, rule, s.noPenalty));
    for (const auto &d : input.datorii)
        if (keepsOtherTax(d, policy))
            s.Tt.push_back(otherTaxRow(d, policy));
    for (const auto &row : input.soldCalc)
        s.Ti.push_back(mainTaxRow(row, input, settings, policy, rule, s.naturalPerson, s.noPenalty));
    return s;
}

Currency RoleSituation::totalDatorie() const
{
    return sumOf(Ti, [](const TiRow &r) { return r.DEPLATA; }) + sumOf(Tt, [](const TtRow &r) { return r.DEPLATA; })
           + sumOf(Td, [](const TdRow &r) { return r.DEPLATA; });
}

Currency RoleSituation::valoareChitanta() const
{
    return sumOf(Ti, [](const TiRow &r) { return r.ACHITAT; }) + sumOf(Tt, [](const TtRow &r) { return r.ACHITAT; })
           + sumOf(Td, [](const TdRow &r) { return r.ACHITAT; });
}

Currency RoleSituation::arrears() const
{
    return sumOf(Ti, [](const TiRow &r) { return std::max(Zero, r.RAM1); })
           + sumOf(Tt, [](const TtRow &r) { return std::max(Zero, r.REST1); });
}

Currency searchTableArrears(const std::vector<SoldCalcRow> &soldCalc, const std::vector<DatoriiRow> &datorii)
{
    Currency fromSold;
    for (const auto &s : soldCalc)
        if (s.DATOR > Zero)
            fromSold += s.DATOR;
    Currency fromItems;
    for (const auto &d : datorii)
        if (d.REST > Zero)
            fromItems += d.REST - d.REDUC;
    return fromSold + std::max(Zero, fromItems);
}

Currency amountAfterEdit(Currency typed, Currency DEPLATA)
{
    if (typed < Zero && typed < DEPLATA)
        return DEPLATA;
    return typed;
}

Currency amountAfterDoubleClick(Currency ACHITAT, Currency DEPLATA) { return ACHITAT == DEPLATA ? Zero : DEPLATA; }

} // namespace valdora::collections
