// Takes N numbers from one counter of a settings file and prints them, one per
// line; two of these run at once in the counter test.
#include "app/core/SettingsFile.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 5)
        return 2;
    valdora::SettingsFile s(QString::fromLocal8Bit(argv[1]));
    const int n = atoi(argv[4]);
    for (int i = 0; i < n; ++i)
        std::printf("%lld\n", static_cast<long long>(s.nextNumber(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]))));
    return 0;
}
