#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class Desktop;
class PhotoInfoReader;
class PictureTableModel;
struct CollectState;

// Receives the texts for part 0 of the main window's status bar.
using StatusSink = std::function<void(const QString&)>;

// The folder search: fills the picture table with every jpg, jpeg, bmp and gif file
// (on request also png, tif, tiff, webp, heic, heif and avif) of the chosen folder (and, when
// asked, of all its sub-folders), one row per picture: serial number, full path, category (the
// holding folder's name), caption (the name without its extension). Pending window events run once
// per folder entered, which is where the stop button gets through; the status bar then shows the
// last picture found, refreshed at most every progressIntervalMs.
class PictureSearch {
public:
  PictureSearch(CollectState& state, PictureTableModel& table, Desktop& desktop, StatusSink status);

  // The search button: searches state.folderPath as it stands now. morePictureFormats
  // (the check box 更多图片格式) adds png, tif, tiff, webp, heic, heif and avif files;
  // photoInfo (读取拍摄信息) adds the columns 拍摄时间, 相机 and 像素 after 图片说明,
  // read from each picture's header while the search goes on, empty where a picture
  // cannot tell.
  void SearchPictures(bool includeSubfolders, bool morePictureFormats = false,
                      bool photoInfo = false);
  // Scans parent/name/ and, when asked, every sub-folder below it, files first, then
  // the sub-folders in name order. Links to folders are not followed and a folder
  // reached twice is scanned once, so the scan always ends.
  void ScanFolder(const QString& parent, const QString& name, bool includeSubfolders,
                  bool morePictureFormats = false);
  // The stop button.
  void Stop();

  // Redrawing the status bar for every folder costs more than searching it; ten
  // progress texts a second read as live. 0 shows the last picture of every folder.
  void setProgressInterval(int milliseconds) { progressIntervalMs_ = milliseconds; }

private:
  void PrepareTable(bool photoInfo);
  // Writes the photo data read so far into its rows, unless the table was replaced.
  void FillPhotoInfo(std::uint64_t epoch);
  // Waits for the reads still under way, letting window events run; a stop or a new
  // table drops those not yet started.
  void FinishPhotoInfo(std::uint64_t epoch);
  bool Superseded(std::uint64_t epoch) const { return epoch != tableEpoch_; }

  CollectState& state_;
  PictureTableModel& table_;
  Desktop& desktop_;
  StatusSink status_;
  // Counts changes to the table's shape made by anyone; a search whose table was
  // cleared or replaced meanwhile (a new search, an import) stops filling it.
  std::uint64_t tableEpoch_ = 0;
  int progressIntervalMs_ = 100;
  PhotoInfoReader* photoInfo_ = nullptr;  // while a search with photo data runs
};
