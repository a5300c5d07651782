#pragma once

#include <QImage>
#include <QStringList>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/WorkerPool.h"
#include "print/CellPicture.h"
#include "render/PictureRegistry.h"

// Decodes the photos of the cells ahead on worker threads while the page loop draws
// the current cell: decoding camera photos is most of a page's time, and a page of
// them would otherwise keep one core busy and the others idle. Each cell gets exactly
// the picture LoadCellPicture would give it.
class CellPicturePrefetch {
public:
  using Decoder = std::function<QImage(const QString& fileName, int level, int targetWidth,
                                       int targetHeight, CellPictureUse use, double shownScale)>;

  // files holds the photo of every cell in drawing order; an empty name is a cell
  // that loads nothing. At most `ahead` decoded photos wait beyond the cell drawn. A
  // photo whose decoding throws (out of memory, a decoder's own failure) is refused
  // like a damaged one: its cell loads nothing and the others go on. shownScale as
  // DecodeCellPicture takes it; decoder is DecodeCellPicture, tests give one that fails.
  CellPicturePrefetch(QStringList files, int level, int targetWidth, int targetHeight,
                      CellPictureUse use = CellPictureUse::Print, int ahead = defaultAhead(),
                      double shownScale = 0.0, Decoder decoder = DecodeCellPicture);
  // Work not yet started is dropped; work under way is waited for.
  ~CellPicturePrefetch();
  CellPicturePrefetch(const CellPicturePrefetch&) = delete;
  CellPicturePrefetch& operator=(const CellPicturePrefetch&) = delete;

  // The photo of cell index, registered; waits while a worker still decodes it.
  // 0 for a cell without a photo, an index out of range or a cell already taken.
  PictureHandle Load(PictureRegistry& pictures, qsizetype index);

  static int defaultAhead();

private:
  enum class State { Waiting, Queued, Done, Taken };
  struct Slot {
    State state = State::Waiting;
    QImage picture;
  };

  void queueThrough(qsizetype last);
  void decode(qsizetype index);

  const QStringList files_;
  const int level_;
  const int targetWidth_;
  const int targetHeight_;
  const CellPictureUse use_;
  const int ahead_;
  const double shownScale_;
  const Decoder decoder_;
  std::mutex mutex_;
  std::condition_variable done_;
  std::vector<Slot> slots_;
  qsizetype nextToQueue_ = 0;
  bool stopping_ = false;
  WorkerPool pool_;
};
