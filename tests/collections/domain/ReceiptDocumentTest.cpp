#include "collections/domain/ReceiptDocument.h"

#include "CollectionsFixtures.h"

#include <gtest/gtest.h>

using namespace valdora::collections;
using namespace valdora::collections::testing;
using valdora::Currency;

namespace {

const QString TaxaSalubrizare = QStringLiteral("Taxa salubrizare");

std::vector<ClassificationCode> codes()
{
    return {{Cladiri, QStringLiteral("21.A.07.01.00"), QStringLiteral("21.A.07.01.01")},
            {TerenIntravilan, QStringLiteral("21.A.07.02.00"), QStringLiteral("21.A.07.02.01")},
            {Auto, QStringLiteral("21.A.16.02.02"), QStringLiteral("21.A.16.02.03")},
            {TaxaSalubrizare, QStringLiteral("21.A.36.06.00"), QStringLiteral("21.A.36.06.01")}};
}

PreparationInputs inputs()
{
    PreparationInputs in;
    in.userSeries = QStringLiteral("AB");
    in.proposedReceiptNumber = 17;
    in.codes = codes();
    return in;
}

// 15 October: buildings with arrears paid in full plus credit (four parts), land and
// vehicle tax in part.
PaymentAllocation threeGroupPayment()
{
    RoleSituation s = window(role(d(15, 10),
                                  {sold({.SUMA = 1000, .REST = 1000, .DATOR = 200, .MAJOR = 30, .IDRES = 1}),
                                   sold({.GRUPA = TerenIntravilan, .SUMA = 100, .REST = 100, .IDRES = 2}),
                                   sold({.GRUPA = Auto, .SUMA = 40, .REST = 40, .IDRES = 3})}));
    s.Ti[0].ACHITAT = lei(2000);
    s.Ti[1].ACHITAT = lei(50);
    s.Ti[2].ACHITAT = lei(40);
    const OperationResult r = PaymentOperation::operate(s, settings2026());
    EXPECT_TRUE(r.ok());
    return r.allocation;
}

// Buildings paid in two parts; with `creditOut`, the vehicle tax's credit pays them (a note).
PaymentAllocation buildingsTwoParts(bool creditOut)
{
    RoleSituation s = window(role(d(15, 10), {sold({.SUMA = 1000, .REST = 1000, .DATOR = 200, .MAJOR = 30, .IDRES = 1}),
                                              sold({.GRUPA = Auto, .DEPOZ = 300, .IDRES = 3})}));
    s.Ti[0].ACHITAT = lei(300);
    if (creditOut)
        s.Ti[1].ACHITAT = lei(-300);
    const OperationResult r = PaymentOperation::operate(s, settings2026());
    EXPECT_TRUE(r.ok());
    return r.allocation;
}

OperareFields fields(DocumentEntry entry, qint64 NR)
{
    return OperareFields{entry, NR, d(15, 10), QStringLiteral("  POP   ION ")};
}

ChitanteHeader header()
{
    ChitanteHeader h;
    h.IDCHIT = 900;
    h.IDANUL = 800;
    h.IDGOS = 7;
    h.SATUL = QStringLiteral("VALEA MARE");
    h.ROL = QStringLiteral("12");
    h.NUMEP = QStringLiteral("POP ION");
    h.CNP = QStringLiteral("1800101123456");
    h.STRADA = QStringLiteral("Unirii");
    h.ADRESA = QStringLiteral("12");
    h.TIPF = QStringLiteral("F");
    h.INCANUME = QStringLiteral("casier1");
    h.LEGITIMA = QStringLiteral("XB 123456");
    return h;
}

} // namespace

TEST(ReceiptDocument, OneReceiptNumberForThreeGroups)
{
    const auto prepared = ReceiptDocument::prepare(threeGroupPayment(), inputs());
    ASSERT_TRUE(prepared.ok());
    const ReceiptDocument &doc = prepared.document;
    // One line per group, ordered by group; the buildings' four parts merged.
    ASSERT_EQ(doc.lines().size(), 3u);
    const QString groups[] = {Cladiri, Auto, TerenIntravilan};
    const char *codesF[] = {"21.A.07.01.00", "21.A.16.02.02", "21.A.07.02.00"};
    for (std::size_t i = 0; i < 3; ++i) {
        const ChitanteLine &l = doc.lines()[i];
        EXPECT_EQ(l.GRUPA, groups[i]);
        EXPECT_EQ(l.DOCJUS, QStringLiteral("CHITANTA"));
        EXPECT_EQ(l.SERIA, QStringLiteral("AB"));
        EXPECT_EQ(l.NR, 17);
        EXPECT_EQ(l.CODCLAS, QString::fromLatin1(codesF[i]));
        EXPECT_EQ(l.TIP, QStringLiteral("C"));
        EXPECT_EQ(l.TOTAL, l.partsTotal());
    }
    const ChitanteLine &b = doc.lines()[0];
    EXPECT_EQ(b.RESTANTA, lei(200));
    EXPECT_EQ(b.MAJOREST, lei(30));
    EXPECT_EQ(b.CURENT, lei(1000));
    EXPECT_EQ(b.MAJOR, lei(60));
    EXPECT_EQ(b.DEPOZIT, lei(710));
    EXPECT_EQ(b.TOTAL, lei(2000));
    EXPECT_EQ(doc.total(), lei(2090));
    EXPECT_EQ(doc.entries(), (std::vector<DocumentEntry>{DocumentEntry::Chitanta, DocumentEntry::Virament,
                                                          DocumentEntry::CardBancar, DocumentEntry::Online}));
    EXPECT_EQ(doc.proposedNumber(DocumentEntry::Chitanta), 17);
    EXPECT_EQ(doc.proposedNumber(DocumentEntry::Virament), 0);
    EXPECT_FALSE(ReceiptDocument::numberEditable(DocumentEntry::Chitanta));

    auto f = doc.finalize(fields(DocumentEntry::Chitanta, 17), {});
    ASSERT_TRUE(f.ok());
    PaymentSavePlan &plan = f.plan;
    EXPECT_TRUE(plan.needsReceiptNumber);
    EXPECT_TRUE(plan.printed);
    EXPECT_EQ(plan.TIP, QStringLiteral("C"));
    EXPECT_EQ(plan.PLATNUME, QStringLiteral("POP ION"));
    EXPECT_THROW(plan.chitanteRows(header()), std::logic_error);
    // The counter is taken once when saving; every line gets that one number.
    plan.assignReceiptNumber(18);
    EXPECT_EQ(plan.logText(), QStringLiteral("Operat Chitanta nr.18"));
    const auto rows = plan.chitanteRows(header());
    ASSERT_EQ(rows.size(), 3u);
    for (const auto &r : rows) {
        EXPECT_EQ(r.NR, 18);
        EXPECT_EQ(r.SERIA, QStringLiteral("AB"));
        EXPECT_EQ(r.IDCHIT, 900);
        EXPECT_EQ(r.IDANUL, 800);
        EXPECT_EQ(r.DATAI, d(15, 10));
        EXPECT_EQ(r.PLATNUME, QStringLiteral("POP ION"));
        EXPECT_EQ(r.INCANUME, QStringLiteral("casier1"));
        EXPECT_EQ(r.LEGITIMA, QStringLiteral("XB 123456"));
        EXPECT_EQ(r.TIPF, QStringLiteral("F"));
        EXPECT_EQ(r.TIP, QStringLiteral("C"));
    }
    EXPECT_EQ(rows[0].TOTAL, lei(2000));
    ASSERT_EQ(plan.soldCalc.size(), 3u);
    EXPECT_EQ(plan.soldCalc[0].after.DEPOZ, lei(710));
}

TEST(ReceiptDocument, NoteKeepsEveryPartAndTakesNoReceiptNumber)
{
    const auto note = ReceiptDocument::prepare(buildingsTwoParts(true), inputs());
    ASSERT_TRUE(note.ok());
    EXPECT_EQ(note.document.kind(), DocumentKind::CompensationNote);
    ASSERT_EQ(note.document.lines().size(), 3u); // arrears block, first installment, credit out
    for (const auto &l : note.document.lines()) {
        EXPECT_EQ(l.DOCJUS, QStringLiteral("N.C."));
        EXPECT_EQ(l.SERIA, QString());
        EXPECT_EQ(l.NR, 0);
        EXPECT_EQ(l.TIP, QStringLiteral("N"));
    }
    EXPECT_EQ(note.document.entries(), std::vector<DocumentEntry>{DocumentEntry::NotaContabila});
    EXPECT_EQ(note.document.caption(DocumentEntry::NotaContabila), QStringLiteral("Nota contabila"));

    auto f = note.document.finalize(fields(DocumentEntry::NotaContabila, 5), {});
    ASSERT_TRUE(f.ok());
    EXPECT_FALSE(f.plan.needsReceiptNumber);
    EXPECT_FALSE(f.plan.printed);
    EXPECT_THROW(f.plan.assignReceiptNumber(18), std::logic_error);
    EXPECT_EQ(f.plan.logText(), QStringLiteral("Operat N nr.5"));
    for (const auto &l : f.plan.lines) {
        EXPECT_EQ(l.NR, 5);
        EXPECT_EQ(l.SERIA, QStringLiteral(" - "));
    }
    EXPECT_NO_THROW(f.plan.chitanteRows(header()));

    // The same two parts in a payment are merged into one line.
    const auto pay = ReceiptDocument::prepare(buildingsTwoParts(false), inputs());
    ASSERT_TRUE(pay.ok());
    ASSERT_EQ(pay.document.lines().size(), 1u);
    const ChitanteLine &l = pay.document.lines()[0];
    EXPECT_EQ(l.RESTANTA, lei(200));
    EXPECT_EQ(l.MAJOREST, lei(30));
    EXPECT_EQ(l.CURENT, lei(47));
    EXPECT_EQ(l.MAJOR, lei(23));
    EXPECT_EQ(l.TOTAL, lei(300));
}

TEST(ReceiptDocument, CardIsPrintedTransferIsNot)
{
    const auto prepared = ReceiptDocument::prepare(threeGroupPayment(), inputs());
    struct Case {
        DocumentEntry entry;
        qint64 NR;
        const char *SERIA;
        const char *TIP;
        bool printed;
    };
    const Case cases[] = {
        {DocumentEntry::Chitanta, 17, "AB", "C", true},
        {DocumentEntry::CardBancar, 0, "CARD BANCA", "V", true},
        {DocumentEntry::Virament, 0, "O.P.", "V", false}, // a transfer may carry number 0
        {DocumentEntry::Online, 4455, "GHISEUL.RO", "V", false},
    };
    for (const auto &k : cases) {
        const auto f = prepared.document.finalize(fields(k.entry, k.NR), {});
        ASSERT_TRUE(f.ok()) << k.SERIA;
        EXPECT_EQ(f.plan.printed, k.printed) << k.SERIA;
        EXPECT_EQ(f.plan.TIP, QString::fromLatin1(k.TIP));
        EXPECT_EQ(f.plan.needsReceiptNumber, k.entry == DocumentEntry::Chitanta);
        for (const auto &l : f.plan.lines) {
            EXPECT_EQ(l.SERIA, QString::fromLatin1(k.SERIA));
            EXPECT_EQ(l.TIP, QString::fromLatin1(k.TIP));
            if (k.entry != DocumentEntry::Chitanta) {
                EXPECT_EQ(l.DOCJUS, QStringLiteral("VIRAMENT"));
                EXPECT_EQ(l.NR, k.NR);
            }
        }
        if (k.entry != DocumentEntry::Chitanta) {
            EXPECT_EQ(f.plan.logText(), QStringLiteral("Operat V nr.") + QString::number(k.NR));
        }
    }
}

TEST(ReceiptDocument, ChecksOfOpereazaInOrder)
{
    auto prepared = ReceiptDocument::prepare(threeGroupPayment(), inputs());
    ASSERT_TRUE(prepared.ok());
    ReceiptDocument &doc = prepared.document;
    std::vector<std::pair<QString, qint64>> asked;
    OperareContext ctx;
    ctx.receiptOwner = [&](const QString &seria, qint64 nr) -> std::optional<QString> {
        asked.emplace_back(seria, nr);
        if (nr == 17)
            return QStringLiteral("123");
        return std::nullopt;
    };

    struct Case {
        const char *what;
        OperareFields fields;
        std::optional<int> closedYear;
        const char *title;
        const char *text;
        const char *field;
    };
    const Case cases[] = {
        {"closed year first", {DocumentEntry::Chitanta, 0, d(15, 10), QString()}, 2026, "Memorare chitanta",
         "Anul 2026 este inchis!\rNu mai puteti lucra in el! Adios...", ""},
        {"document in an earlier year", {DocumentEntry::Chitanta, 18, d(31, 12, 2025), QStringLiteral("X")}, 2025,
         "Memorare chitanta", "Anul 2025 este inchis!\rNu mai puteti lucra in el! Adios...", ""},
        {"receipt number 0", {DocumentEntry::Chitanta, 0, d(15, 10), QString()}, 2025, "", "Numar incorect!", "NumarC"},
        {"no payer", {DocumentEntry::Virament, 0, d(15, 10), QStringLiteral("   ")}, std::nullopt, "",
         "Nu ati scris Platitorul!", "PlatitorE"},
        {"duplicate receipt", {DocumentEntry::Chitanta, 17, d(15, 10), QStringLiteral("POP")}, 2025,
         "Verificare de dubluri",
         "Mai exista chitanta aceasta la  ROL 123 !\rContactati Operatorul de ROL sau Administratorul sa va modifice "
         "numarul chitantei!",
         ""},
    };
    for (const auto &k : cases) {
        ctx.closedYear = k.closedYear;
        const auto refusal = doc.checkOperare(k.fields, ctx);
        ASSERT_TRUE(refusal.has_value()) << k.what;
        EXPECT_EQ(refusal->title, QString::fromLatin1(k.title)) << k.what;
        EXPECT_EQ(refusal->text, QString::fromLatin1(k.text)) << k.what;
        EXPECT_EQ(refusal->field, QString::fromLatin1(k.field)) << k.what;
        // A refused check leaves nothing to save.
        EXPECT_FALSE(doc.finalize(k.fields, ctx).ok()) << k.what;
    }
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back(), (std::pair<QString, qint64>{QStringLiteral("AB"), 17}));

    ctx.closedYear = 2025;
    EXPECT_FALSE(doc.checkOperare(fields(DocumentEntry::Chitanta, 18), ctx).has_value());
    // A transfer is never checked against the receipts.
    asked.clear();
    EXPECT_FALSE(doc.checkOperare(fields(DocumentEntry::Virament, 17), ctx).has_value());
    EXPECT_TRUE(asked.empty());
    // An entry the kind list does not offer is a caller's mistake.
    EXPECT_THROW(doc.checkOperare(fields(DocumentEntry::NotaContabila, 1), ctx), std::invalid_argument);

    // A group without a classification code, until the codes are filled in.
    auto missing = inputs();
    missing.codes.erase(missing.codes.begin() + 2);
    auto uncoded = ReceiptDocument::prepare(threeGroupPayment(), missing);
    const auto refusal = uncoded.document.checkOperare(fields(DocumentEntry::Chitanta, 18), ctx);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->text, QStringLiteral("Nu aveti Contul la Impozit pe mijloace de transport!\r"
                                            "Apasati pe butonul Coduri clasificare si adaugati-l!"));
    uncoded.document.refillClassificationCodes(codes());
    EXPECT_FALSE(uncoded.document.checkOperare(fields(DocumentEntry::Chitanta, 18), ctx).has_value());

    // A legal person's lines carry the legal-person codes.
    PaymentAllocation legal = threeGroupPayment();
    legal.naturalPerson = false;
    EXPECT_EQ(ReceiptDocument::prepare(legal, inputs()).document.lines()[0].CODCLAS, QStringLiteral("21.A.07.01.01"));

    // An order's number must be typed.
    RoleSituation s = window(role(d(15, 10), {sold({.DEPOZ = 300})}));
    s.Ti[0].ACHITAT = lei(-300);
    const auto order = ReceiptDocument::prepare(PaymentOperation::operate(s, settings2026()).allocation, inputs());
    ASSERT_TRUE(order.ok());
    EXPECT_EQ(order.document.entries(), std::vector<DocumentEntry>{DocumentEntry::OrdinDePlata});
    EXPECT_EQ(order.document.lines()[0].DOCJUS, QStringLiteral("O.P."));
    EXPECT_EQ(order.document.checkOperare(fields(DocumentEntry::OrdinDePlata, 0), {})->text,
              QStringLiteral("Numar incorect!"));
    const auto f = order.document.finalize(fields(DocumentEntry::OrdinDePlata, 31), {});
    ASSERT_TRUE(f.ok());
    EXPECT_EQ(f.plan.TIP, QStringLiteral("O"));
    EXPECT_FALSE(f.plan.printed);
    EXPECT_FALSE(f.plan.needsReceiptNumber);
    EXPECT_EQ(f.plan.lines[0].NR, 31);
    EXPECT_EQ(f.plan.lines[0].DEPOZIT, lei(-300));
}

TEST(ReceiptDocument, EditingALineRecomputesTheGroupsBalance)
{
    auto prepared = ReceiptDocument::prepare(threeGroupPayment(), inputs());
    ReceiptDocument &doc = prepared.document;

    // The amounts must still make the line's total.
    auto refusal = doc.editLine(0, {lei(200), lei(30), lei(700), lei(1000), lei(60), lei(0)});
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->title, QStringLiteral("Detalii / Modificari"));
    EXPECT_EQ(refusal->text,
              QStringLiteral("Suma totala incasata trebuie sa fie 2000!\rAcum aveti suma 1990. Mai studiati problema..."));

    // A credit cannot be taken below nothing.
    refusal = doc.editLine(0, {lei(200), lei(30), lei(-10), lei(1000), lei(780), lei(0)});
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->text, QStringLiteral("Plusul de la Impozit pe cladiri nu poate deveni negativ!"));
    EXPECT_EQ(doc.lines()[0].DEPOZIT, lei(710)); // unchanged

    // Accepted: typed amounts are truncated to lei; the balance starts again from the
    // values before the operation.
    const LineAmounts moved{lei(150), lei(30), lei(760), *Currency::parse(u"1000.7"), lei(60), lei(0)};
    ASSERT_FALSE(doc.editLine(0, moved).has_value());
    EXPECT_EQ(doc.lines()[0].CURENT, lei(1000));
    EXPECT_EQ(doc.lines()[0].TOTAL, lei(2000));
    const SoldCalcValues &after = doc.soldCalc()[0].after;
    EXPECT_EQ(after.REST, lei(0));
    EXPECT_EQ(after.DATOR, lei(50));
    EXPECT_EQ(after.DEPOZ, lei(760));
    EXPECT_EQ(after.MAJOR, lei(0));
    EXPECT_EQ(after.SUMA, lei(1000));
    const auto f = doc.finalize(fields(DocumentEntry::Chitanta, 17), {});
    ASSERT_TRUE(f.ok());
    EXPECT_EQ(f.plan.soldCalc[0].after.DATOR, lei(50));

    EXPECT_EQ(doc.canEditLine(99)->text, QStringLiteral("Nu aveti ce modifica!"));

    // Other taxes are changed elsewhere.
    RoleSituation s = window(role(d(15, 10), {}, {item(1, TaxaSalubrizare, 100, 0, 0)}));
    s.Tt[0].ACHITAT = lei(100);
    auto other = ReceiptDocument::prepare(PaymentOperation::operate(s, settings2026()).allocation, inputs());
    refusal = other.document.editLine(0, {lei(0), lei(0), lei(0), lei(100), lei(0), lei(0)});
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->text, QStringLiteral("De aici puteti modifica numai impozitele!\r"
                                            "Pentru alte taxe si amenzi, folositi butonul \"Modificare taxa / amenda\"\r"
                                            "sau verificati daca ati trecut conturile la impozite !"));
    EXPECT_EQ(other.document.lines()[0].DENUM, QStringLiteral("HCL 1"));
}

TEST(ReceiptDocument, RoleWithoutPenaltiesStoresNoPenaltyAndStaysBalanced)
{
    CollectionSettings st = settings2026();
    st.penaltyExemptionsAllowed = true;
    RoleSituationInput in = role(d(15, 10), {sold({.DATOR = 500, .MAJOR = 80})});
    in.NOTAX = QStringLiteral("DA");
    RoleSituation s = window(in, st);
    s.Ti[0].ACHITAT = s.Ti[0].DEPLATA;
    auto prepared = ReceiptDocument::prepare(PaymentOperation::operate(s, st).allocation, inputs());
    ASSERT_TRUE(prepared.ok());
    auto f = prepared.document.finalize(fields(DocumentEntry::Chitanta, 17), {});
    ASSERT_TRUE(f.ok());
    EXPECT_EQ(f.plan.lines[0].RESTANTA, lei(500));
    EXPECT_EQ(f.plan.lines[0].TOTAL, lei(500));

    // A penalty typed by hand would be stored as 0 and break the total: refused whole.
    ASSERT_FALSE(prepared.document.editLine(0, {lei(490), lei(10), lei(0), lei(0), lei(0), lei(0)}).has_value());
    f = prepared.document.finalize(fields(DocumentEntry::Chitanta, 17), {});
    ASSERT_FALSE(f.ok());
    EXPECT_EQ(f.refusal->text, QStringLiteral("Suma repartizata nu este egala cu suma operata!\rNu am operat nimic."));
    EXPECT_TRUE(f.plan.lines.empty());
    EXPECT_TRUE(f.plan.soldCalc.empty());
}

TEST(ReceiptDocument, NothingToOperate)
{
    PaymentAllocation empty;
    const auto p = ReceiptDocument::prepare(empty, inputs());
    ASSERT_FALSE(p.ok());
    EXPECT_EQ(p.refusal->title, QStringLiteral("Operare"));
    EXPECT_EQ(p.refusal->text, QStringLiteral("Nu ati facut nici o operatiune!\rNu aveti ce opera..."));
}
