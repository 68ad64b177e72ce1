#pragma once

#include <QString>
#include <QtGlobal>

// The facts about the computer that an error report carries.
struct SystemFacts
{
    int programPathLength = 0;  // characters in the program's full path
    int driveType = 0;          // drive-type number of the program's drive, 0 to 6
    QString osNames;            // names of the matching Windows versions
    QString csdVersion;         // the service-pack line
    int memoryLoadPercent = 0;
    quint64 memoryTotalBytes = 0;
    quint64 memoryAvailableBytes = 0;

    // The facts of this computer and this run of the program.
    static SystemFacts current();
};
