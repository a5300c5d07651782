#include "platform/VolumeKinds.h"

#include <QByteArrayList>
#include <QStringList>

namespace {

bool isUnder(const QString& root, const QString& folder) {
  return root == folder || root.startsWith(folder + u'/');
}

bool isRemovableMountPoint(const QString& root) {
  return isUnder(root, QStringLiteral("/media")) || isUnder(root, QStringLiteral("/run/media"));
}

}  // namespace

bool isBrowsableMount(const QByteArray& fileSystemType, const QString& root) {
  static const QByteArrayList pseudo = {
      "proc",      "sysfs",     "devtmpfs",   "devpts",      "securityfs",
      "pstore",    "debugfs",   "tracefs",    "configfs",    "fusectl",
      "mqueue",    "hugetlbfs", "bpf",        "binfmt_misc", "autofs",
      "efivarfs",  "selinuxfs", "rpc_pipefs", "nsfs",        "squashfs",
      "cgroup",    "cgroup2",   "nfsd",       "fuse.portal", "fuse.gvfsd-fuse",
      "fuse.lxcfs"};
  const QByteArray type = fileSystemType.toLower();
  if (type.isEmpty() || pseudo.contains(type) || type.startsWith("cgroup")) return false;
  // tmpfs and ramfs hold system state under /dev and /run but are RAM disks elsewhere
  // (a tmpfs /tmp); the system folders below leave the former out.
  static const QStringList systemFolders = {QStringLiteral("/proc"),
                                            QStringLiteral("/sys"),
                                            QStringLiteral("/dev"),
                                            QStringLiteral("/run"),
                                            QStringLiteral("/snap"),
                                            QStringLiteral("/boot"),
                                            QStringLiteral("/var/lib/docker"),
                                            QStringLiteral("/var/snap")};
  if (isRemovableMountPoint(root)) return true;
  for (const QString& folder : systemFolders)
    if (isUnder(root, folder)) return false;
  return true;
}

VolumeKind volumeKindFor(const QByteArray& fileSystemType, const QByteArray& device,
                         const QString& root) {
  const QByteArray type = fileSystemType.toLower();
  static const QByteArrayList remote = {"nfs",        "nfs4",       "cifs", "smb3",       "smbfs",
                                        "sshfs",      "fuse.sshfs", "9p",   "afs",        "davfs",
                                        "fuse.davfs", "glusterfs",  "ceph", "fuse.rclone"};
  if (remote.contains(type) || device.startsWith("//")) return VolumeKind::Remote;
  if (type == "iso9660" || type == "udf") return VolumeKind::CdRom;
  if (type == "tmpfs" || type == "ramfs") return VolumeKind::RamDisk;
  if (device.startsWith("/dev/sr")) return VolumeKind::CdRom;
  if (isRemovableMountPoint(root)) return VolumeKind::Removable;
  return VolumeKind::Fixed;
}
