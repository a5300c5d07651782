#include "collect/PhotoInfoReader.h"

#include <QThread>
#include <algorithm>
#include <chrono>
#include <exception>

QStringList PhotoInfoTitles() {
  return {QStringLiteral("拍摄时间"), QStringLiteral("相机"), QStringLiteral("像素")};
}

QStringList PhotoInfoCells(const PhotoInfo& info) {
  return {info.takenAt, info.camera, info.pixels};
}

// Headers are read from the page cache mostly: a thread a core, and the search itself
// shares them.
PhotoInfoReader::PhotoInfoReader() : pool_(std::max(1, QThread::idealThreadCount())) {}

PhotoInfoReader::~PhotoInfoReader() {
  DropQueued();
  pool_.WaitForDone();
}

void PhotoInfoReader::Queue(int row, QString fileName) {
  pending_.fetch_add(1);
  pool_.Start([this, row, fileName = std::move(fileName)] {
    PhotoInfo info;
    try {
      if (!dropped_.load()) info = ReadPhotoInfo(fileName);
    } catch (const std::exception&) {
      // Out of memory on one photo: its cells stay empty.
    }
    bool last = false;
    {
      const std::lock_guard lock(mutex_);
      read_.emplace_back(row, std::move(info));
      last = pending_.fetch_sub(1) == 1;
    }
    if (last) readDone_.notify_all();
  });
}

std::vector<std::pair<int, PhotoInfo>> PhotoInfoReader::TakeRead() {
  const std::lock_guard lock(mutex_);
  return std::exchange(read_, {});
}

void PhotoInfoReader::WaitForReads(int milliseconds) {
  std::unique_lock lock(mutex_);
  readDone_.wait_for(lock, std::chrono::milliseconds(milliseconds),
                     [this] { return pending_.load() == 0; });
}
