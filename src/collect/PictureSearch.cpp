#include "collect/PictureSearch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSet>
#include <optional>
#include <utility>
#include <vector>

#include "collect/CollectState.h"
#include "collect/FolderListing.h"
#include "collect/PhotoInfoReader.h"
#include "collect/PictureNames.h"
#include "collect/PictureTableModel.h"
#include "platform/Desktop.h"
#include "platform/Paths.h"

namespace {

const QString kSearching = QStringLiteral("正在搜索，请稍候....");
const QString kFinished = QStringLiteral("搜索完成，可以进一步的工作。");
const QString kStopped = QStringLiteral("搜索强制停止。");
const QString kFound = QStringLiteral("搜索中：");
const QString kReadingPhotoInfo = QStringLiteral("正在读取拍摄信息：还有%1张");

constexpr int kPhotoInfoColumn = 4;  // the first photo column, after 图片说明
constexpr int kPhotoInfoWaitMs = 50;

struct PendingFolder {
  QByteArray nativePath;  // ends in "/"
  QString path;           // ends in "/"
  QString name;           // the category of its pictures
};

}  // namespace

PictureSearch::PictureSearch(CollectState& state, PictureTableModel& table, Desktop& desktop,
                             StatusSink status)
    : state_(state), table_(table), desktop_(desktop), status_(std::move(status)) {
  const auto reshaped = [this] { ++tableEpoch_; };
  QObject::connect(&table_, &QAbstractItemModel::modelAboutToBeReset, &table_, reshaped);
  QObject::connect(&table_, &QAbstractItemModel::columnsAboutToBeInserted, &table_, reshaped);
  QObject::connect(&table_, &QAbstractItemModel::columnsAboutToBeRemoved, &table_, reshaped);
  QObject::connect(&table_, &QAbstractItemModel::rowsAboutToBeRemoved, &table_, reshaped);
}

void PictureSearch::SearchPictures(bool includeSubfolders, bool morePictureFormats,
                                   bool photoInfo) {
  desktop_.setWaitCursor(true);
  state_.searchDone = false;
  state_.stopSearch = false;
  status_(kSearching);
  PrepareTable(photoInfo);
  const std::uint64_t epoch = tableEpoch_;
  const SearchRoot root = SplitSearchRoot(state_.folderPath);
  std::optional<PhotoInfoReader> reader;
  if (photoInfo) reader.emplace();
  // A search started from within this one's event processing has a reader of its own.
  PhotoInfoReader* const outer = std::exchange(photoInfo_, reader ? &*reader : nullptr);
  ScanFolder(root.parent, root.name, includeSubfolders, morePictureFormats);
  if (reader) FinishPhotoInfo(epoch);
  photoInfo_ = outer;
  table_.AnnounceAppendedRows();
  desktop_.setWaitCursor(false);
  state_.searchDone = true;
  // A search started or a table imported meanwhile has said its own last word.
  if (Superseded(epoch)) return;
  status_(kFinished);
  if (state_.stopSearch) status_(kStopped);
}

void PictureSearch::Stop() {
  state_.stopSearch = true;
}

void PictureSearch::PrepareTable(bool photoInfo) {
  table_.ClearRows();
  while (table_.ColumnCount() > 0) table_.DeleteColumn(table_.ColumnCount() - 1);
  table_.InsertColumn(QStringLiteral("序号"), 60, 2);
  table_.InsertColumn(QStringLiteral("图片名全称"), 220, 0);
  table_.InsertColumn(QStringLiteral("图片类别"), 90, 0);
  table_.InsertColumn(QStringLiteral("图片说明"), 100, 0);
  if (!photoInfo) return;
  const int widths[] = {125, 150, 80};
  const QStringList titles = PhotoInfoTitles();
  for (qsizetype i = 0; i < titles.size(); ++i) table_.InsertColumn(titles[i], widths[i], 0);
}

void PictureSearch::FillPhotoInfo(std::uint64_t epoch) {
  auto read = photoInfo_->TakeRead();
  if (Superseded(epoch)) return;
  for (const auto& [row, info] : read) {
    const QStringList cells = PhotoInfoCells(info);
    for (qsizetype i = 0; i < cells.size(); ++i)
      table_.SetCell(row, kPhotoInfoColumn + static_cast<int>(i), cells[i]);
  }
}

void PictureSearch::FinishPhotoInfo(std::uint64_t epoch) {
  QElapsedTimer sinceProgress;
  while (photoInfo_->Pending() > 0) {
    if (Superseded(epoch) || state_.stopSearch) photoInfo_->DropQueued();
    photoInfo_->WaitForReads(kPhotoInfoWaitMs);
    FillPhotoInfo(epoch);
    if (!Superseded(epoch) &&
        (!sinceProgress.isValid() || sinceProgress.elapsed() >= progressIntervalMs_)) {
      status_(kReadingPhotoInfo.arg(photoInfo_->Pending()));
      sinceProgress.start();
    }
    QCoreApplication::processEvents();
  }
  FillPhotoInfo(epoch);
}

void PictureSearch::ScanFolder(const QString& parent, const QString& name, bool includeSubfolders,
                               bool morePictureFormats) {
  const std::uint64_t epoch = tableEpoch_;
  const QString rootPath = FolderPathOf(parent, name);
  // An explicit stack instead of recursion: a chain of folders thousands deep must
  // not exhaust the call stack. Popping in reverse push order keeps the order of a
  // recursive walk: a folder's files, then each sub-folder in full, in name order.
  std::vector<PendingFolder> pending{{NativePath(rootPath), rootPath, name}};
  QSet<std::pair<std::uint64_t, std::uint64_t>> seen;
  QElapsedTimer sinceProgress;
  while (!pending.empty()) {
    const PendingFolder folder = std::move(pending.back());
    pending.pop_back();
    if (photoInfo_) FillPhotoInfo(epoch);
    QCoreApplication::processEvents();
    if (Superseded(epoch) || state_.stopSearch) return;

    const FolderListing listing = ListFolder(folder.nativePath);
    if (!listing.readable) continue;
    if (listing.inode != 0) {
      const auto identity = std::make_pair(listing.device, listing.inode);
      if (seen.contains(identity)) continue;
      seen.insert(identity);
    }
    QString lastFound;
    for (const FolderEntry& file : listing.files) {
      const NameParts parts = SplitFileName(file.name);
      if (!IsPictureExtension(parts.extension, morePictureFormats)) continue;
      const int row = table_.AppendRow();
      lastFound = folder.path + file.name;
      table_.SetCell(row, 0, QString::number(row + 1));
      table_.SetCell(row, 1, lastFound);
      table_.SetCell(row, 2, folder.name);
      table_.SetCell(row, 3, parts.base);
      if (photoInfo_) photoInfo_->Queue(row, lastFound);
    }
    // The status bar is only painted when events run, once per folder, so the last
    // file found is all the user could ever see of a folder's progress texts.
    if (!lastFound.isEmpty() &&
        (!sinceProgress.isValid() || sinceProgress.elapsed() >= progressIntervalMs_)) {
      status_(kFound + lastFound);
      sinceProgress.start();
    }
    if (!includeSubfolders) continue;
    for (auto sub = listing.folders.crbegin(); sub != listing.folders.crend(); ++sub)
      pending.push_back(
          {folder.nativePath + sub->nativeName + '/', folder.path + sub->name + u'/', sub->name});
  }
}
