#include "platform/SystemInfo.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysinfo.h>
#include <sys/sysmacros.h>
#include <sys/utsname.h>

namespace SystemInfo {

namespace {

// Type names as /proc/self/mountinfo lists them. FUSE file systems carry
// their driver's name after "fuse."; only drivers known to reach over the
// network count as remote, since "fuse" alone may be anything.
const char *const RemoteTypes[] = {
    "nfs", "nfs4", "cifs", "smb", "smb3", "smbfs", "ncpfs", "afs", "9p", "ceph", "coda",
    "glusterfs", "lustre", "gpfs", "davfs", "sshfs", "fuse.sshfs", "fuse.glusterfs",
    "fuse.ceph", "fuse.davfs", "fuse.rclone", "fuse.s3fs", "fuse.gvfsd-fuse",
};
const char *const OpticalTypes[] = {"iso9660", "udf"};
const char *const MemoryTypes[] = {"tmpfs", "ramfs"};

template<size_t N>
bool isOneOf(const QString &name, const char *const (&names)[N])
{
    for (const char *candidate : names) {
        if (name == QLatin1String(candidate))
            return true;
    }
    return false;
}

QByteArray readWhole(const QString &path)
{
    // Files under /proc and /sys report size 0, so read to the end instead
    // of trusting the size.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// mountinfo writes space, tab, newline and backslash in mount points as
// three-digit octal escapes.
QString unescapeMountField(const QByteArray &field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const QByteArray digits = field.mid(i + 1, 3);
            bool ok = false;
            const int code = digits.toInt(&ok, 8);
            if (ok && digits.size() == 3 && code < 256) {
                out.append(char(code));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return QString::fromUtf8(out);
}

struct Mount
{
    QString mountPoint;
    QString type;
    QString source;
};

bool isUnder(const QString &path, const QString &mountPoint)
{
    if (mountPoint == QLatin1String("/"))
        return true;
    return path == mountPoint || path.startsWith(mountPoint + QLatin1Char('/'));
}

// The mount of device `device` that holds `path`. Bind mounts of one file
// system share the device number; the deepest mount point that is a prefix
// of the path is the one in effect, and a later line over-mounts an earlier.
bool findMount(dev_t device, const QString &path, Mount *result)
{
    const QByteArray info = readWhole(QStringLiteral("/proc/self/mountinfo"));
    const QByteArray wanted = QByteArray::number(major(device)) + ':' + QByteArray::number(minor(device));
    bool found = false;
    bool foundPrefix = false;
    for (const QByteArray &line : info.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        // id parent major:minor root mount-point options [optional...] - type source super-options
        if (fields.size() < 10 || fields[2] != wanted)
            continue;
        const qsizetype dash = fields.indexOf(QByteArrayLiteral("-"), 6);
        if (dash < 0 || dash + 2 >= fields.size())
            continue;
        Mount mount{unescapeMountField(fields[4]), QString::fromUtf8(fields[dash + 1]),
                    unescapeMountField(fields[dash + 2])};
        const bool prefix = isUnder(path, mount.mountPoint);
        if (foundPrefix && (!prefix || mount.mountPoint.size() < result->mountPoint.size()))
            continue;
        *result = mount;
        found = true;
        foundPrefix = foundPrefix || prefix;
    }
    return found;
}

// A partition's removable flag lives on its whole disk, one folder up.
bool sysfsRemovable(const QString &deviceFolder)
{
    const QString folder = QFileInfo(deviceFolder).canonicalFilePath();
    if (folder.isEmpty())
        return false;
    QString flagFile = folder + QStringLiteral("/removable");
    if (!QFileInfo::exists(flagFile) && QFileInfo::exists(folder + QStringLiteral("/partition")))
        flagFile = QFileInfo(folder).path() + QStringLiteral("/removable");
    return readWhole(flagFile).trimmed() == "1";
}

bool blockDeviceRemovable(dev_t device, const QString &source)
{
    const QString byNumber = QStringLiteral("/sys/dev/block/%1:%2").arg(major(device)).arg(minor(device));
    if (QFileInfo::exists(byNumber))
        return sysfsRemovable(byNumber);
    // Some file systems (btrfs, for one) report an anonymous device number;
    // the mount's source still names the block device.
    if (source.startsWith(QLatin1String("/dev/"))) {
        const QString node = QFileInfo(source).canonicalFilePath();
        if (!node.isEmpty())
            return sysfsRemovable(QStringLiteral("/sys/class/block/") + QFileInfo(node).fileName());
    }
    return false;
}

// Removes the quotes and backslash escapes of an os-release value, which
// follows shell quoting.
QString unquoteShellValue(QString value)
{
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
        && value.back() == value.front()) {
        const bool doubleQuoted = value.front() == QLatin1Char('"');
        value = value.mid(1, value.size() - 2);
        if (doubleQuoted) {
            QString out;
            for (qsizetype i = 0; i < value.size(); ++i) {
                if (value[i] == QLatin1Char('\\') && i + 1 < value.size()
                    && QStringLiteral("\"\\$`").contains(value[i + 1]))
                    ++i;
                out += value[i];
            }
            value = out;
        }
    }
    return value;
}

quint64 meminfoBytes(const QByteArray &meminfo, const QByteArray &key, bool *found)
{
    for (const QByteArray &line : meminfo.split('\n')) {
        if (!line.startsWith(key + ':'))
            continue;
        // "MemAvailable:    6021448 kB"
        const QList<QByteArray> parts = line.mid(key.size() + 1).simplified().split(' ');
        bool ok = false;
        const quint64 value = parts.value(0).toULongLong(&ok);
        if (!ok)
            break;
        *found = true;
        return parts.value(1) == "kB" ? value * 1024 : value;
    }
    *found = false;
    return 0;
}

} // namespace

DriveType driveTypeFor(const QString &fileSystemType, bool removable)
{
    const QString name = fileSystemType.trimmed().toLower();
    if (name.isEmpty())
        return DriveUnknown;
    if (isOneOf(name, RemoteTypes))
        return DriveRemote;
    if (isOneOf(name, OpticalTypes))
        return DriveCdRom;
    if (isOneOf(name, MemoryTypes))
        return DriveRamDisk;
    return removable ? DriveRemovable : DriveFixed;
}

QString fileSystemTypeName(qint64 magic)
{
    // Values from the kernel's file-system magic numbers.
    switch (quint32(magic)) {
    case 0x6969u:
        return QStringLiteral("nfs");
    case 0xFF534D42u:
        return QStringLiteral("cifs");
    case 0xFE534D42u:
        return QStringLiteral("smb3");
    case 0x517Bu:
        return QStringLiteral("smbfs");
    case 0x01021997u:
        return QStringLiteral("9p");
    case 0x5346414Fu:
        return QStringLiteral("afs");
    case 0x00C36400u:
        return QStringLiteral("ceph");
    case 0x9660u:
        return QStringLiteral("iso9660");
    case 0x15013346u:
        return QStringLiteral("udf");
    case 0x01021994u:
        return QStringLiteral("tmpfs");
    case 0x858458F6u:
        return QStringLiteral("ramfs");
    case 0xEF53u:
        return QStringLiteral("ext4");
    case 0x58465342u:
        return QStringLiteral("xfs");
    case 0x9123683Eu:
        return QStringLiteral("btrfs");
    }
    return {};
}

DriveType driveType(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return DriveNoRoot;
    const QByteArray native = QFile::encodeName(canonical);
    struct stat st {};
    struct statfs fs {};
    if (::stat(native.constData(), &st) != 0 || ::statfs(native.constData(), &fs) != 0)
        return DriveUnknown;
    Mount mount;
    if (!findMount(st.st_dev, canonical, &mount)) {
        // No mount table to consult (an unusual /proc): the magic number
        // still tells the kinds apart, only removability is unknown.
        return driveTypeFor(fileSystemTypeName(qint64(fs.f_type)), false);
    }
    return driveTypeFor(mount.type, blockDeviceRemovable(st.st_dev, mount.source));
}

QString osPrettyName()
{
    for (const char *file : {"/etc/os-release", "/usr/lib/os-release"}) {
        const QByteArray text = readWhole(QString::fromLatin1(file));
        if (text.isEmpty())
            continue;
        for (const QByteArray &line : text.split('\n')) {
            if (line.startsWith("PRETTY_NAME="))
                return unquoteShellValue(QString::fromUtf8(line.mid(12)).trimmed());
        }
        return {};
    }
    return {};
}

QString kernelName()
{
    struct utsname names {};
    return ::uname(&names) == 0 ? QString::fromUtf8(names.sysname) : QString();
}

QString kernelRelease()
{
    struct utsname names {};
    return ::uname(&names) == 0 ? QString::fromUtf8(names.release) : QString();
}

MemoryStatus memoryStatus()
{
    MemoryStatus status;
    const QByteArray meminfo = readWhole(QStringLiteral("/proc/meminfo"));
    bool haveTotal = false;
    bool haveAvailable = false;
    status.totalBytes = meminfoBytes(meminfo, "MemTotal", &haveTotal);
    status.availableBytes = meminfoBytes(meminfo, "MemAvailable", &haveAvailable);
    if (!haveTotal || !haveAvailable) {
        // Kernels before 3.14 have no MemAvailable; free plus buffers is
        // the nearest older figure.
        struct sysinfo info {};
        if (::sysinfo(&info) == 0) {
            const quint64 unit = info.mem_unit ? info.mem_unit : 1;
            status.totalBytes = quint64(info.totalram) * unit;
            status.availableBytes = (quint64(info.freeram) + quint64(info.bufferram)) * unit;
        }
    }
    if (status.availableBytes > status.totalBytes)
        status.availableBytes = status.totalBytes;
    if (status.totalBytes > 0) {
        const quint64 used = status.totalBytes - status.availableBytes;
        status.loadPercent = int((used * 100 + status.totalBytes / 2) / status.totalBytes);
    }
    return status;
}

} // namespace SystemInfo
