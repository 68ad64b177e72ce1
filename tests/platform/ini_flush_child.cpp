// Rewrites one INI file again and again until it is killed. Every version
// holds the same generation number in its first and its last key, so a
// reader can tell a whole file from a torn one.
//   ini_flush_child <path>

#include "platform/IniFile.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QString filler(200, QLatin1Char('x'));
    for (int generation = 1;; ++generation) {
        IniFile ini(path);
        ini.writeInteger(QStringLiteral("Head"), QStringLiteral("Generation"), generation);
        for (int i = 0; i < 4000; ++i)
            ini.writeString(QStringLiteral("Body"), QStringLiteral("Key%1").arg(i), filler + QString::number(generation));
        ini.writeInteger(QStringLiteral("Tail"), QStringLiteral("Generation"), generation);
        ini.flush();
        std::printf("%d\n", generation);
        std::fflush(stdout);
    }
}
