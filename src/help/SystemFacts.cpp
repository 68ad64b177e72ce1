#include "help/SystemFacts.h"

#include "platform/SystemInfo.h"

#include <QCoreApplication>
#include <QStringList>

SystemFacts SystemFacts::current()
{
    SystemFacts facts;
    const QString program = QCoreApplication::applicationFilePath();
    facts.programPathLength = int(program.size());
    facts.driveType = SystemInfo::driveType(QCoreApplication::applicationDirPath());

    // The report's system rows name Windows versions, none of which this
    // system is, so "OS=" stays empty; the service-pack line carries what
    // identifies this system instead: its name and kernel version.
    const QString kernel = QStringList{SystemInfo::kernelName(), SystemInfo::kernelRelease()}.join(QLatin1Char(' ')).trimmed();
    const QString name = SystemInfo::osPrettyName();
    facts.csdVersion = name.isEmpty() ? kernel : kernel.isEmpty() ? name : name + QStringLiteral(", ") + kernel;

    const SystemInfo::MemoryStatus memory = SystemInfo::memoryStatus();
    facts.memoryLoadPercent = memory.loadPercent;
    facts.memoryTotalBytes = memory.totalBytes;
    facts.memoryAvailableBytes = memory.availableBytes;
    return facts;
}
