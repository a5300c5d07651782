#include "print/CellPicturePrefetch.h"

#include <QThread>
#include <algorithm>
#include <utility>

#include "platform/MemoryPolicy.h"
#include "print/CellPicture.h"

namespace {

// Past a few workers the disk, not the cores, sets the pace, and at level 0 every
// photo waiting is decoded at full size.
int workerCount() {
  return std::clamp(QThread::idealThreadCount(), 1, 4);
}

}  // namespace

CellPicturePrefetch::CellPicturePrefetch(QStringList files, int level, int targetWidth,
                                         int targetHeight, CellPictureUse use, int ahead,
                                         double shownScale, Decoder decoder)
    : files_(std::move(files)),
      level_(level),
      targetWidth_(targetWidth),
      targetHeight_(targetHeight),
      use_(use),
      ahead_(std::max(0, ahead)),
      shownScale_(shownScale),
      decoder_(std::move(decoder)),
      slots_(static_cast<size_t>(files_.size())),
      pool_(workerCount()) {
  LimitAllocationArenas();
  queueThrough(ahead_);
}

CellPicturePrefetch::~CellPicturePrefetch() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  pool_.WaitForDone();
}

int CellPicturePrefetch::defaultAhead() {
  return workerCount() + 1;
}

void CellPicturePrefetch::queueThrough(qsizetype last) {
  last = std::min(last, files_.size() - 1);
  for (; nextToQueue_ <= last; ++nextToQueue_) {
    const qsizetype index = nextToQueue_;
    if (files_.at(index).isEmpty()) continue;
    {
      const std::lock_guard lock(mutex_);
      slots_[static_cast<size_t>(index)].state = State::Queued;
    }
    pool_.Start([this, index] { decode(index); });
  }
}

void CellPicturePrefetch::decode(qsizetype index) {
  {
    const std::lock_guard lock(mutex_);
    if (stopping_) return;
  }
  QImage picture;
  // An exception leaving a worker would end the program: one photo is lost instead.
  try {
    picture = decoder_(files_.at(index), level_, targetWidth_, targetHeight_, use_, shownScale_);
  } catch (...) {
    picture = QImage();
  }
  {
    const std::lock_guard lock(mutex_);
    Slot& slot = slots_[static_cast<size_t>(index)];
    slot.picture = std::move(picture);
    slot.state = State::Done;
  }
  done_.notify_all();
}

PictureHandle CellPicturePrefetch::Load(PictureRegistry& pictures, qsizetype index) {
  if (index < 0 || index >= files_.size()) return 0;
  queueThrough(index + ahead_);
  QImage picture;
  {
    std::unique_lock lock(mutex_);
    Slot& slot = slots_[static_cast<size_t>(index)];
    if (slot.state != State::Queued && slot.state != State::Done) return 0;
    done_.wait(lock, [&slot] { return slot.state == State::Done; });
    picture = std::move(slot.picture);
    slot.picture = QImage();
    slot.state = State::Taken;
  }
  return pictures.Add(std::move(picture));
}
