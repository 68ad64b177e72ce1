#pragma once

#include <QString>
#include <QtGlobal>

// What the host system says about itself: the kind of drive holding a path,
// the system's name and kernel version, and the physical memory figures.
// Linux only; the answers are facts, the caller decides what to make of them.
namespace SystemInfo {

// Drive kinds, numbered as the classic drive-type query numbers them.
enum DriveType {
    DriveUnknown = 0,    // the type cannot be determined
    DriveNoRoot = 1,     // the path does not exist
    DriveRemovable = 2,
    DriveFixed = 3,
    DriveRemote = 4,
    DriveCdRom = 5,
    DriveRamDisk = 6,
};

// The drive kind of a file system, from its type name as the kernel lists
// it in /proc/self/mountinfo ("ext4", "nfs4", "fuse.sshfs") and whether its
// block device is removable. An empty name means nothing is known.
DriveType driveTypeFor(const QString &fileSystemType, bool removable);

// The type name for a statfs f_type magic number, for the few kinds the
// drive decision tells apart; empty for any other number.
QString fileSystemTypeName(qint64 magic);

// The drive kind of the file system holding path.
DriveType driveType(const QString &path);

// PRETTY_NAME of os-release ("Debian GNU/Linux 12 (bookworm)"); empty when
// the system has no os-release file.
QString osPrettyName();

// uname's system name and release ("Linux", "6.1.0-18-amd64").
QString kernelName();
QString kernelRelease();

struct MemoryStatus
{
    int loadPercent = 0;  // share of physical memory in use, 0 to 100
    quint64 totalBytes = 0;
    quint64 availableBytes = 0;
};

// Physical memory now. Available memory is the kernel's estimate of what
// can be had without swapping (MemAvailable), not merely the free pages.
MemoryStatus memoryStatus();

} // namespace SystemInfo
