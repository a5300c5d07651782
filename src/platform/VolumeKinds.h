#pragma once

#include <QByteArray>
#include <QString>

#include "platform/Desktop.h"

// Whether a mount is one a user would browse for pictures: kernel and container
// pseudo file systems, snap images and system mount points are left out.
bool isBrowsableMount(const QByteArray& fileSystemType, const QString& root);

// The kind the folder tree shows for a mounted volume, judged from its file-system
// type, its device and where it is mounted.
VolumeKind volumeKindFor(const QByteArray& fileSystemType, const QByteArray& device,
                         const QString& root);
