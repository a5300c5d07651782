#include "collect/PhotoInfoReader.h"

#include <chrono>

QStringList PhotoInfoTitles() {
  return {QStringLiteral("拍摄时间"), QStringLiteral("相机"), QStringLiteral("像素")};
}

QStringList PhotoInfoCells(const PhotoInfo& info) {
  return {info.takenAt, info.camera, info.pixels};
}

PhotoInfoReader::PhotoInfoReader() {
  // Headers are read from the page cache mostly: a thread a core, and the search
  // itself shares them.
  pool_.setMaxThreadCount(QThread::idealThreadCount());
}

PhotoInfoReader::~PhotoInfoReader() {
  DropQueued();
  pool_.waitForDone();
}

void PhotoInfoReader::Queue(int row, QString fileName) {
  pending_.fetch_add(1);
  pool_.start([this, row, fileName = std::move(fileName)] {
    PhotoInfo info = dropped_.load() ? PhotoInfo{} : ReadPhotoInfo(fileName);
    {
      const std::lock_guard lock(mutex_);
      read_.emplace_back(row, std::move(info));
      pending_.fetch_sub(1);
    }
    readDone_.notify_all();
  });
}

std::vector<std::pair<int, PhotoInfo>> PhotoInfoReader::TakeRead() {
  const std::lock_guard lock(mutex_);
  return std::exchange(read_, {});
}

void PhotoInfoReader::WaitForReads(int milliseconds) {
  std::unique_lock lock(mutex_);
  readDone_.wait_for(lock, std::chrono::milliseconds(milliseconds),
                     [this] { return !read_.empty() || pending_.load() == 0; });
}
