#pragma once
// Small text services shared by every window and report.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace valdora {

// Trims and turns every run of spaces into one space.
QString cleanSpaces(QStringView text);
// Trims and turns ")(" into ") AND (" so conditions written one after another become one.
QString joinConditions(QStringView text);
// Text up to the first space (all of it when there is none).
QString firstWord(QStringView text);
// Trimmed text after the first space, empty when there is none.
QString restAfterFirstWord(QStringView text);
// "str.Unirii 12": "str." + street when the street is not blank, then " " + address, trimmed.
QString streetAddress(QStringView street, QStringView address);

// The four main groups in the order of their index 1..4.
const QStringList &mainGroupNames();
QString mainGroupName(int index); // 1..4; "Alte taxe" for 5
// 1..4 for a main group (case-insensitive), 5 for any other.
int groupIndex(QStringView groupName);

// Romanian amount in words, whole part only, written without spaces
// ("4567" -> "patrumiicincisutesasezecisisapte"). "," is the thousands separator
// and "." the decimal one. A text that is not a number, or one above 12 digits,
// gives nullopt. A leading minus sign is ignored.
std::optional<QString> amountInWords(QStringView amount);

} // namespace valdora
