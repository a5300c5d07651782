#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <utility>
#include <vector>

#include "picture/PhotoInfo.h"
#include "platform/WorkerPool.h"

// The search's photo columns, placed after 图片说明 in this order.
QStringList PhotoInfoTitles();
// The cells of one row's photo columns, in title order.
QStringList PhotoInfoCells(const PhotoInfo& info);

// Reads the photo data of the pictures the search lists on worker threads, while the
// search goes on listing; the search takes the rows read so far whenever it likes.
// Each read takes its own copy of the file name and hands back an owned PhotoInfo.
class PhotoInfoReader {
public:
  PhotoInfoReader();
  // Drops what is still queued and waits for the reads under way.
  ~PhotoInfoReader();
  PhotoInfoReader(const PhotoInfoReader&) = delete;
  PhotoInfoReader& operator=(const PhotoInfoReader&) = delete;

  void Queue(int row, QString fileName);
  // The rows read since the last call, in any order.
  std::vector<std::pair<int, PhotoInfo>> TakeRead();
  // Waits until no read is left or the time is up: the rows read meanwhile are taken
  // together, not one wake-up each.
  void WaitForReads(int milliseconds);
  // Reads queued or under way.
  int Pending() const { return pending_.load(); }
  // Queued reads end without reading.
  void DropQueued() { dropped_.store(true); }

private:
  std::mutex mutex_;
  std::condition_variable readDone_;
  std::vector<std::pair<int, PhotoInfo>> read_;
  std::atomic<int> pending_{0};
  std::atomic<bool> dropped_{false};
  WorkerPool pool_;  // last: its threads end before the members they use
};
