// The drive kind decision, and the queries on the machine the test runs on.

#include "platform/SystemInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <linux/magic.h>
#include <sys/statfs.h>

using namespace SystemInfo;

class TestSystemInfo : public QObject
{
    Q_OBJECT

private slots:
    void driveTypeFromFileSystem_data();
    void driveTypeFromFileSystem();
    void driveTypeFromMagic_data();
    void driveTypeFromMagic();
    void driveTypeOfPaths();
    void systemNameAndMemory();
};

void TestSystemInfo::driveTypeFromFileSystem_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("removable");
    QTest::addColumn<int>("expected");

    QTest::newRow("nfs") << "nfs" << false << int(DriveRemote);
    QTest::newRow("nfs4") << "nfs4" << false << int(DriveRemote);
    QTest::newRow("cifs") << "cifs" << false << int(DriveRemote);
    QTest::newRow("smb3") << "smb3" << false << int(DriveRemote);
    QTest::newRow("sshfs") << "fuse.sshfs" << false << int(DriveRemote);
    QTest::newRow("9p") << "9p" << false << int(DriveRemote);
    // A network file system has no block device; a stray flag changes nothing.
    QTest::newRow("nfs, flag set") << "nfs" << true << int(DriveRemote);
    QTest::newRow("tmpfs") << "tmpfs" << false << int(DriveRamDisk);
    QTest::newRow("ramfs") << "ramfs" << false << int(DriveRamDisk);
    QTest::newRow("iso9660") << "iso9660" << true << int(DriveCdRom);
    QTest::newRow("udf") << "udf" << false << int(DriveCdRom);
    QTest::newRow("ext4 removable") << "ext4" << true << int(DriveRemovable);
    QTest::newRow("vfat removable") << "vfat" << true << int(DriveRemovable);
    QTest::newRow("ext4 fixed") << "ext4" << false << int(DriveFixed);
    // Plain "fuse" may be anything, most often a local archive or phone.
    QTest::newRow("plain fuse") << "fuse" << false << int(DriveFixed);
    QTest::newRow("unknown type") << "zzfs" << false << int(DriveFixed);
    QTest::newRow("nothing known") << "" << false << int(DriveUnknown);
}

void TestSystemInfo::driveTypeFromFileSystem()
{
    QFETCH(QString, type);
    QFETCH(bool, removable);
    QFETCH(int, expected);
    QCOMPARE(int(driveTypeFor(type, removable)), expected);
}

// The fallback when no mount table can be read: the kernel's own magic
// numbers must map to the same decisions.
void TestSystemInfo::driveTypeFromMagic_data()
{
    QTest::addColumn<qint64>("magic");
    QTest::addColumn<int>("expected");

    QTest::newRow("nfs") << qint64(NFS_SUPER_MAGIC) << int(DriveRemote);
    QTest::newRow("cifs") << qint64(CIFS_SUPER_MAGIC) << int(DriveRemote);
    QTest::newRow("smb2") << qint64(SMB2_SUPER_MAGIC) << int(DriveRemote);
    QTest::newRow("9p") << qint64(V9FS_MAGIC) << int(DriveRemote);
    QTest::newRow("tmpfs") << qint64(TMPFS_MAGIC) << int(DriveRamDisk);
    QTest::newRow("ramfs") << qint64(RAMFS_MAGIC) << int(DriveRamDisk);
    QTest::newRow("iso9660") << qint64(ISOFS_SUPER_MAGIC) << int(DriveCdRom);
    QTest::newRow("udf") << qint64(UDF_SUPER_MAGIC) << int(DriveCdRom);
    QTest::newRow("ext4") << qint64(EXT4_SUPER_MAGIC) << int(DriveFixed);
    QTest::newRow("unknown number") << qint64(0x12345678) << int(DriveUnknown);
}

void TestSystemInfo::driveTypeFromMagic()
{
    QFETCH(qint64, magic);
    QFETCH(int, expected);
    QCOMPARE(int(driveTypeFor(fileSystemTypeName(magic), false)), expected);
}

void TestSystemInfo::driveTypeOfPaths()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QCOMPARE(int(driveType(dir.filePath(QStringLiteral("no such folder/file")))), int(DriveNoRoot));
    QCOMPARE(int(driveType(QString())), int(DriveNoRoot));

    // A file lies on the drive of its folder, and the program's drive is one
    // of the real kinds.
    const int programDrive = driveType(QCoreApplication::applicationDirPath());
    QVERIFY2(programDrive >= DriveRemovable && programDrive <= DriveRamDisk, qPrintable(QString::number(programDrive)));
    QCOMPARE(int(driveType(QCoreApplication::applicationFilePath())), programDrive);

    // Found through the mount table, including the device number of a
    // mount that was mounted over.
    struct statfs fs {};
    if (::statfs("/dev/shm", &fs) != 0 || fs.f_type != TMPFS_MAGIC)
        QSKIP("/dev/shm is not a tmpfs here");
    QCOMPARE(int(driveType(QStringLiteral("/dev/shm"))), int(DriveRamDisk));
}

void TestSystemInfo::systemNameAndMemory()
{
    QCOMPARE(kernelName(), QStringLiteral("Linux"));
    QVERIFY(!kernelRelease().isEmpty());
    const QString name = osPrettyName();
    QVERIFY2(!name.startsWith(QLatin1Char('"')) && !name.endsWith(QLatin1Char('"')), qPrintable(name));
    if (QFileInfo::exists(QStringLiteral("/etc/os-release")) || QFileInfo::exists(QStringLiteral("/usr/lib/os-release")))
        QVERIFY(!name.isEmpty());

    const MemoryStatus memory = memoryStatus();
    QVERIFY(memory.totalBytes > 16u * 1024 * 1024);
    QVERIFY(memory.availableBytes > 0);
    QVERIFY(memory.availableBytes <= memory.totalBytes);
    QVERIFY(memory.loadPercent >= 0 && memory.loadPercent <= 100);
    const double used = 100.0 * double(memory.totalBytes - memory.availableBytes) / double(memory.totalBytes);
    QVERIFY2(qAbs(used - memory.loadPercent) <= 0.51, qPrintable(QStringLiteral("%1 vs %2").arg(used).arg(memory.loadPercent)));
}

QTEST_GUILESS_MAIN(TestSystemInfo)
#include "tst_systeminfo.moc"
