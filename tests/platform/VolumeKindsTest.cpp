#include <gtest/gtest.h>

#include "platform/VolumeKinds.h"

struct MountCase {
  const char* type;
  const char* device;
  const char* root;
  bool browsable;
  VolumeKind kind;
};

void PrintTo(const MountCase& c, std::ostream* os) {
  *os << c.type << " at " << c.root;
}

class VolumeKindsTest : public ::testing::TestWithParam<MountCase> {};

TEST_P(VolumeKindsTest, JudgesMount) {
  const MountCase& c = GetParam();
  const QString root = QString::fromUtf8(c.root);
  EXPECT_EQ(isBrowsableMount(QByteArray(c.type), root), c.browsable) << c.type << " " << c.root;
  if (c.browsable) {
    EXPECT_EQ(volumeKindFor(QByteArray(c.type), QByteArray(c.device), root), c.kind)
        << c.type << " " << c.root;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Mounts, VolumeKindsTest,
    ::testing::Values(
        MountCase{"ext4", "/dev/sda1", "/", true, VolumeKind::Fixed},
        MountCase{"overlay", "overlay", "/", true, VolumeKind::Fixed},
        MountCase{"btrfs", "/dev/nvme0n1p2", "/home", true, VolumeKind::Fixed},
        MountCase{"vfat", "/dev/sdb1", "/media/ann/相机", true, VolumeKind::Removable},
        MountCase{"exfat", "/dev/sdc1", "/run/media/bob/USB", true, VolumeKind::Removable},
        MountCase{"iso9660", "/dev/sr0", "/media/cdrom", true, VolumeKind::CdRom},
        MountCase{"udf", "/dev/sr0", "/mnt/dvd", true, VolumeKind::CdRom},
        MountCase{"nfs4", "server:/photos", "/mnt/photos", true, VolumeKind::Remote},
        MountCase{"cifs", "//nas/share", "/mnt/nas", true, VolumeKind::Remote},
        MountCase{"fuse.sshfs", "me@host:", "/home/me/remote", true, VolumeKind::Remote},
        MountCase{"tmpfs", "tmpfs", "/tmp", true, VolumeKind::RamDisk},
        MountCase{"EXT4", "/dev/sda3", "/data", true, VolumeKind::Fixed},
        MountCase{"tmpfs", "tmpfs", "/run", false, VolumeKind::Other},
        MountCase{"tmpfs", "tmpfs", "/run/user/1000", false, VolumeKind::Other},
        MountCase{"tmpfs", "tmpfs", "/dev/shm", false, VolumeKind::Other},
        MountCase{"proc", "proc", "/proc", false, VolumeKind::Other},
        MountCase{"sysfs", "sysfs", "/sys", false, VolumeKind::Other},
        MountCase{"cgroup2", "cgroup2", "/sys/fs/cgroup", false, VolumeKind::Other},
        MountCase{"devpts", "devpts", "/dev/pts", false, VolumeKind::Other},
        MountCase{"squashfs", "/dev/loop3", "/snap/core/1", false, VolumeKind::Other},
        MountCase{"vfat", "/dev/sda1", "/boot/efi", false, VolumeKind::Other},
        MountCase{"ext4", "/dev/sda1", "/runner", true, VolumeKind::Fixed},
        MountCase{"", "none", "/weird", false, VolumeKind::Other}));
