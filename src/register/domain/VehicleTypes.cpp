#include "register/domain/VehicleTypes.h"

#include <QHash>

namespace valdora::register_domain {

namespace {

struct Named {
    const char *name;
    VehicleTypeKind kind;
    int number;
};

// Everything but the heavy vehicles, in list order. The texts are stored keys: keep them byte for byte.
constexpr Named plainTypes[] = {
    {"Autoturism cu capacitate <= 1600 cmc", VehicleTypeKind::Row, 1},
    {"Autoturism cu capacitate <= 1600 cmc Hibrid", VehicleTypeKind::Row, 1},
    {"Autoturism cu capacitate intre 1601 si 2000 cmc", VehicleTypeKind::Row, 3},
    {"Autoturism cu capacitate intre 1601 si 2000 cmc Hibrid", VehicleTypeKind::Row, 3},
    {"Autoturism cu capacitate intre 2001 si 2600 cmc", VehicleTypeKind::Row, 4},
    {"Autoturism cu capacitate intre 2001 si 2600 cmc Hibrid", VehicleTypeKind::Row, 4},
    {"Autoturism cu capacitate intre 2601 si 3000 cmc", VehicleTypeKind::Row, 5},
    {"Autoturism cu capacitate intre 2601 si 3000 cmc Hibrid", VehicleTypeKind::Row, 5},
    {"Autoturism cu capacitate > 3000 cmc", VehicleTypeKind::Row, 6},
    {"Autoturism cu capacitate > 3000 cmc Hibrid", VehicleTypeKind::Row, 6},
    {"Autobuz", VehicleTypeKind::Row, 7},
    {"Autocar", VehicleTypeKind::Row, 7},
    {"Microbuz", VehicleTypeKind::Row, 7},
    {"Autovehicule sub 12 tone/autovehicule de teren din prod. int.", VehicleTypeKind::Row, 8},
    {"Motocicleta", VehicleTypeKind::Motorcycle, 0},
    {"Motoreta pest 69 CC", VehicleTypeKind::Motorcycle, 0},
    {"Motoreta sub 69 CC", VehicleTypeKind::Motorcycle, 0},
    {"Scuter", VehicleTypeKind::Motorcycle, 0},
    {"Bicicleta cu motor", VehicleTypeKind::Motorcycle, 0},
    {"Triciclu cu motor", VehicleTypeKind::Motorcycle, 0},
    {"Triciclu cu motor pentru invalizi", VehicleTypeKind::Motorcycle, 0},
    {"Autoturism electric", VehicleTypeKind::Row, 10},
    {"Autotren", VehicleTypeKind::Row, 9},
    {"Tractor", VehicleTypeKind::Row, 9},
    {"Atas", VehicleTypeKind::Trailer, 14},
    {"Remorca de capacitate < 1t", VehicleTypeKind::Trailer, 14},
    {"Semiremorca de capacitate < 1t", VehicleTypeKind::Trailer, 14},
    {"Rulota de capacitate < 1t", VehicleTypeKind::Trailer, 14},
    {"Remorca de capacitate  1 - 3 t", VehicleTypeKind::Trailer, 15},
    {"Semiremorca de capacitate  1 - 3 t", VehicleTypeKind::Trailer, 15},
    {"Rulota de capacitate  1 - 3 t", VehicleTypeKind::Trailer, 15},
    {"Remorca de capacitate  3 - 5 t", VehicleTypeKind::Trailer, 16},
    {"Semiremorca de capacitate  3 - 5 t", VehicleTypeKind::Trailer, 16},
    {"Rulota de capacitate  3 - 5 t", VehicleTypeKind::Trailer, 16},
    {"Remorca de capacitate  > 5 t", VehicleTypeKind::Trailer, 17},
    {"Semiremorca de capacitate  > 5 t", VehicleTypeKind::Trailer, 17},
    {"Rulota de capacitate  > 5 t", VehicleTypeKind::Trailer, 17},
    {"Luntre", VehicleTypeKind::Vessel, 1},
    {"Barca fara motor, folosita pentru uz si agrement personal", VehicleTypeKind::Vessel, 1},
    {"Scutere de apa", VehicleTypeKind::Vessel, 1},
    {"Barca fara motor folosita in alte scopuri", VehicleTypeKind::Vessel, 2},
    {"Barca cu motor", VehicleTypeKind::Vessel, 3},
    {"Nave de sport si agrement", VehicleTypeKind::Vessel, 4},
    {"Salupa", VehicleTypeKind::Vessel, 4},
    {"Iaht", VehicleTypeKind::Vessel, 4},
    {"Remorcher < 500 CP", VehicleTypeKind::Vessel, 6},
    {"Remorcher 501 - 2000 CP", VehicleTypeKind::Vessel, 7},
    {"Remorcher 2000 - 4000 CP", VehicleTypeKind::Vessel, 8},
    {"Remorcher > 4000 CP", VehicleTypeKind::Vessel, 9},
    {"Bac", VehicleTypeKind::Vessel, 9},
    {"Pod plutitor", VehicleTypeKind::Vessel, 9},
    {"Vapoare", VehicleTypeKind::Vessel, 10},
    {"Slep < 1500 t", VehicleTypeKind::Vessel, 11},
    {"Ceam < 1500 t", VehicleTypeKind::Vessel, 11},
    {"Barja Fluviala < 1500 t", VehicleTypeKind::Vessel, 11},
    {"Slep 1500 - 3000 t", VehicleTypeKind::Vessel, 12},
    {"Ceam 1500 - 3000 t", VehicleTypeKind::Vessel, 12},
    {"Barja Fluviala  1500 - 3000 t", VehicleTypeKind::Vessel, 12},
    {"Slep > 3000 t", VehicleTypeKind::Vessel, 13},
    {"Ceam > 3000 t", VehicleTypeKind::Vessel, 13},
    {"Barja Fluviala > 3000 t", VehicleTypeKind::Vessel, 13},
};

// A mass band of a heavy vehicle in tonnes, in list order; `below` 0 is the open top band.
struct Band {
    const char *axles;
    VehicleTypeKind kind;
    int above;
    int below;
    int number;
};

constexpr VehicleTypeKind H = VehicleTypeKind::Heavy;
constexpr VehicleTypeKind C = VehicleTypeKind::Combination;

constexpr Band bands[] = {
    {"2", H, 12, 13, 1}, {"2", H, 13, 14, 2}, {"2", H, 14, 15, 3}, {"2", H, 15, 18, 4}, {"2", H, 18, 0, 4},
    {"3", H, 15, 17, 5}, {"3", H, 17, 19, 6}, {"3", H, 19, 21, 7}, {"3", H, 21, 23, 8}, {"3", H, 23, 25, 9},
    {"3", H, 25, 26, 10}, {"3", H, 26, 0, 10},
    {"4", H, 23, 25, 11}, {"4", H, 25, 27, 12}, {"4", H, 27, 29, 13}, {"4", H, 29, 31, 14}, {"4", H, 31, 32, 15},
    {"4", H, 32, 0, 15},
    {"2+1", C, 12, 14, 1}, {"2+1", C, 14, 16, 2}, {"2+1", C, 16, 18, 3}, {"2+1", C, 18, 20, 4},
    {"2+1", C, 20, 22, 5}, {"2+1", C, 22, 23, 6}, {"2+1", C, 23, 25, 7}, {"2+1", C, 25, 28, 8}, {"2+1", C, 28, 0, 8},
    {"2+2", C, 23, 25, 9}, {"2+2", C, 25, 26, 10}, {"2+2", C, 26, 28, 11}, {"2+2", C, 28, 29, 12},
    {"2+2", C, 29, 31, 13}, {"2+2", C, 31, 33, 14}, {"2+2", C, 33, 36, 15}, {"2+2", C, 36, 38, 16},
    {"2+2", C, 38, 0, 16},
    {"2+3", C, 36, 38, 17}, {"2+3", C, 38, 40, 18}, {"2+3", C, 40, 0, 18},
    {"3+2", C, 36, 38, 19}, {"3+2", C, 38, 40, 20}, {"3+2", C, 40, 44, 21}, {"3+2", C, 44, 0, 21},
    {"3+3", C, 36, 38, 22}, {"3+3", C, 38, 40, 23}, {"3+3", C, 40, 44, 24}, {"3+3", C, 44, 0, 24},
};

QString heavyName(const Band &band, const char *suspension)
{
    QString name = QStringLiteral("Auto %1 axe, %2, masa peste %3t")
                       .arg(QLatin1String(band.axles), QLatin1String(suspension))
                       .arg(band.above);
    if (band.below != 0)
        name += QStringLiteral(", dar sub %1t").arg(band.below);
    return name;
}

QList<VehicleType> buildList()
{
    QList<VehicleType> list;
    for (const Named &t : plainTypes)
        list.append({QString::fromLatin1(t.name), t.kind, t.number, 0});
    // Within a band the pneumatic suspension comes first.
    for (const Band &b : bands) {
        list.append({heavyName(b, "suspensie pneumatica"), b.kind, b.number, 'A'});
        list.append({heavyName(b, "alt tip de suspensie"), b.kind, b.number, 'B'});
    }
    return list;
}

const QHash<QString, int> &positions()
{
    static const QHash<QString, int> map = [] {
        QHash<QString, int> m;
        const QList<VehicleType> &list = VehicleTypes::all();
        for (int i = 0; i < list.size(); ++i)
            m.insert(list[i].name, i);
        return m;
    }();
    return map;
}

} // namespace

QString VehicleType::rateName() const
{
    switch (kind) {
    case VehicleTypeKind::Row:
        return QStringLiteral("A%1").arg(number);
    case VehicleTypeKind::Motorcycle:
        return {};
    case VehicleTypeKind::Trailer:
        return QStringLiteral("AUTO%1").arg(number);
    case VehicleTypeKind::Vessel:
        return QStringLiteral("APA%1").arg(number);
    case VehicleTypeKind::Heavy:
        return QStringLiteral("G%1%2").arg(number).arg(QLatin1Char(suspension));
    case VehicleTypeKind::Combination:
        return QStringLiteral("GC%1%2").arg(number).arg(QLatin1Char(suspension));
    }
    return {};
}

const QList<VehicleType> &VehicleTypes::all()
{
    static const QList<VehicleType> list = buildList();
    return list;
}

QStringList VehicleTypes::names()
{
    QStringList out;
    for (const VehicleType &t : all())
        out.append(t.name);
    return out;
}

const VehicleType *VehicleTypes::find(QStringView name)
{
    const auto it = positions().constFind(name.toString());
    return it == positions().cend() ? nullptr : &all()[*it];
}

int VehicleTypes::number(QStringView name)
{
    const auto it = positions().constFind(name.toString());
    return it == positions().cend() ? 0 : *it + 1;
}

const QStringList &VehicleTypes::fuels()
{
    static const QStringList list = {
        QStringLiteral("-"),
        QStringLiteral("BENZINA"),
        QStringLiteral("BENZINA + GNC"),
        QStringLiteral("BENZINA + GPL"),
        QStringLiteral("BENZINA + ELECTRIC"),
        QStringLiteral("DIESEL"),
        QStringLiteral("DIESEL + ELECTRIC"),
        QStringLiteral("ELECTRIC"),
        QStringLiteral("ETANOL"),
        QStringLiteral("HIBRID"),
        QStringLiteral("HIDROGEN"),
    };
    return list;
}

const QStringList &VehicleTypes::makes()
{
    // Every make fits the 18 characters of `AutoDet.Marca`.
    static const QStringList list = {
        QStringLiteral("DACIA"),      QStringLiteral("ALFA ROMEO"), QStringLiteral("AUDI"),
        QStringLiteral("BMW"),        QStringLiteral("CHEVROLET"),  QStringLiteral("CITROEN"),
        QStringLiteral("DAEWOO"),     QStringLiteral("DAF"),        QStringLiteral("FIAT"),
        QStringLiteral("FORD"),       QStringLiteral("HONDA"),      QStringLiteral("HYUNDAI"),
        QStringLiteral("IVECO"),      QStringLiteral("JEEP"),       QStringLiteral("KIA"),
        QStringLiteral("LAND ROVER"), QStringLiteral("MAN"),        QStringLiteral("MAZDA"),
        QStringLiteral("MERCEDES-BENZ"), QStringLiteral("MITSUBISHI"), QStringLiteral("NISSAN"),
        QStringLiteral("OPEL"),       QStringLiteral("PEUGEOT"),    QStringLiteral("RENAULT"),
        QStringLiteral("SCANIA"),     QStringLiteral("SEAT"),       QStringLiteral("SKODA"),
        QStringLiteral("SUZUKI"),     QStringLiteral("TESLA"),      QStringLiteral("TOYOTA"),
        QStringLiteral("VOLKSWAGEN"), QStringLiteral("VOLVO"),
    };
    return list;
}

bool VehicleTypes::isHybridFuel(QStringView fuel)
{
    const QStringView f = fuel.trimmed();
    return f == u"BENZINA + ELECTRIC" || f == u"DIESEL + ELECTRIC" || f == u"HIBRID";
}

} // namespace valdora::register_domain
