#include "app/core/Text.h"

namespace valdora {

QString cleanSpaces(QStringView text)
{
    QString out;
    out.reserve(text.size());
    bool space = false;
    for (QChar c : text.trimmed()) {
        if (c == u' ') {
            if (!space)
                out += c;
            space = true;
        } else {
            out += c;
            space = false;
        }
    }
    return out;
}

QString joinConditions(QStringView text)
{
    QString t = text.trimmed().toString();
    t.replace(QStringLiteral(")("), QStringLiteral(") AND ("));
    return t;
}

QString firstWord(QStringView text)
{
    const auto i = text.indexOf(u' ');
    return (i < 0 ? text : text.left(i)).toString();
}

QString restAfterFirstWord(QStringView text)
{
    const auto i = text.indexOf(u' ');
    if (i < 0)
        return {};
    return text.mid(i + 1).trimmed().toString();
}

QString streetAddress(QStringView street, QStringView address)
{
    QString s;
    if (!street.trimmed().isEmpty())
        s = QStringLiteral("str.") + street.toString();
    s += u' ' + address.toString();
    return s.trimmed();
}

const QStringList &mainGroupNames()
{
    static const QStringList names{
        QStringLiteral("Impozit pe cladiri"),
        QStringLiteral("Impozit pe teren intravilan"),
        QStringLiteral("Impozit pe teren extravilan"),
        QStringLiteral("Impozit pe mijloace de transport"),
    };
    return names;
}

QString mainGroupName(int index)
{
    if (index >= 1 && index <= 4)
        return mainGroupNames()[index - 1];
    return QStringLiteral("Alte taxe");
}

int groupIndex(QStringView groupName)
{
    const auto &names = mainGroupNames();
    for (int i = 0; i < names.size(); ++i)
        if (groupName.compare(names[i], Qt::CaseInsensitive) == 0)
            return i + 1;
    return 5;
}

std::optional<QString> amountInWords(QStringView amount)
{
    static const char *const digitNames[10] = {"zero", "una", "doua", "trei", "patru",
                                               "cinci", "sase", "sapte", "opt", "noua"};
    QString t = amount.trimmed().toString();
    t.remove(u',');
    if (t.startsWith(u'-'))
        t.remove(0, 1);
    if (t.isEmpty())
        t = QStringLiteral("0");
    if (t.startsWith(u'.'))
        t.prepend(u'0');
    QString whole = t.section(u'.', 0, 0);
    const QString decimals = t.section(u'.', 1);
    for (QChar c : whole + decimals)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    if (t.count(u'.') > 1 || whole.isEmpty())
        return std::nullopt;
    while (whole.size() > 1 && whole.startsWith(u'0'))
        whole.remove(0, 1);
    if (whole.size() > 12)
        return std::nullopt;
    while (whole.size() % 3 != 0)
        whole.prepend(u'0');

    auto name = [&](QChar d) { return QString::fromLatin1(digitNames[d.unicode() - u'0']); };
    QString out;
    int groups = int(whole.size() / 3);
    for (int g = 0; g < groups; ++g) {
        const int n = groups - g;
        const QStringView grp = QStringView(whole).mid(g * 3, 3);
        QString words;
        const QChar h = grp[0];
        if (h == u'1')
            words += QStringLiteral("unasuta");
        else if (h != u'0')
            words += name(h) + QStringLiteral("sute");
        const int tens = grp[1].unicode() - u'0';
        const int units = grp[2].unicode() - u'0';
        const int two = tens * 10 + units;
        if (two >= 1 && two <= 9)
            words += name(grp[2]);
        else if (two == 10)
            words += QStringLiteral("zece");
        else if (two == 11)
            words += QStringLiteral("unsprezece");
        else if (two == 12)
            words += QStringLiteral("doisprezece");
        else if (two >= 13 && two <= 19)
            words += name(grp[2]) + QStringLiteral("sprezece");
        else if (two >= 20) {
            words += name(grp[1]) + QStringLiteral("zeci");
            if (units != 0)
                words += QStringLiteral("si") + name(grp[2]);
        }
        if (!words.isEmpty()) {
            if (n == 2)
                words += QStringLiteral("mii");
            else if (n == 3)
                words += QStringLiteral("milioane");
            else if (n == 4)
                words += QStringLiteral("miliarde");
            out += words;
        }
    }
    if (out.isEmpty())
        out = QStringLiteral("zero");
    if (out.endsWith(QStringLiteral("una")))
        out[out.size() - 1] = u'u';
    else if (out.size() > 3 && out.endsWith(QStringLiteral("doua")))
        out.replace(out.size() - 4, 4, QStringLiteral("doi"));
    return out;
}

} // namespace valdora
