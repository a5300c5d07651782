#pragma once

#include <QDialog>
#include <QImage>
#include <QList>
#include <atomic>
#include <memory>
#include <thread>

#include "model/PrintJob.h"
#include "model/PrintSettings.h"
#include "print/PageGeometry.h"
#include "print/RunCheck.h"
#include "print/RunPages.h"

class PictureRegistry;
class ProgressWindowHost;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;
class QSpinBox;

// What the pages window shows: the jobs the run would print, and the settings as the
// settings window's controls hold them, cell layout included.
struct PagesRun {
  QList<PrintJob> jobs;
  PrintSettings settings;
};

// 全部页面预览: the pages of a run one at a time — page n of N, the job it belongs to,
// 上一页 / 下一页 and PageUp, PageDown, Home, End, fitted to the window or at 100 %
// (the paper's own size on a 96 dpi screen) — with the photos that cannot be printed
// or print soft marked on their cells and listed under a summary.
//
// A page is drawn by the page painter on a page-file panel of its own, exactly as its
// page file would be, with the preview's shortcuts for the photos. The window answers
// after every cell: turning to another page stops the page under way. The problem
// check reads the photos' headers on a thread of its own, from owned copies. Nothing
// the window does changes the settings.
class PagesWindow : public QDialog {
  Q_OBJECT
public:
  PagesWindow(PagesRun run, PictureRegistry& pictures, ProgressWindowHost& progress,
              QWidget* parent = nullptr);
  ~PagesWindow() override;
  PagesWindow(const PagesWindow&) = delete;
  PagesWindow& operator=(const PagesWindow&) = delete;

  // Turns to the page (from 0, clamped) and draws it.
  void ShowPage(int index);
  int pageIndex() const { return wanted_; }
  int pageCount() const { return static_cast<int>(pages_.size()); }
  const PagesRun& run() const { return run_; }

  void ZoomToFit();
  void ZoomToActualSize();
  bool zoomedToFit() const { return fit_; }
  // Shown pixels per page-file pixel (0.1 mm).
  double shownScale() const;

  // The page drawn last (its index, -1 before the first), at page-file pixels; and as
  // it is shown, without the marks.
  int drawnPageIndex() const { return drawn_; }
  const QImage& drawnPage() const { return drawnImage_; }
  QImage shownPage() const;
  bool isDrawing() const { return drawing_; }

  // The problem check, once it has come back.
  bool checkDone() const { return checkDone_; }
  const RunCheck& check() const { return check_; }
  // Photos below this many pixels per inch are listed as printing soft; checks again.
  void SetMinimumPpi(int ppi);

  // Closing (the close box, Escape) stops the page under way.
  void done(int result) override;

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  void Build();
  void StartCheck();
  void StopCheck();
  void TakeCheck(RunCheck check);
  QImage DrawPage(int index);
  void Present();
  void UpdateTexts();
  QList<PhotoProblem> ProblemsOnPage(int index) const;

  PagesRun run_;
  PictureRegistry& pictures_;
  ProgressWindowHost& progress_;
  GridShape shape_;
  PageGrid grid_;
  QList<RunPage> pages_;
  int minimumPpi_ = kDefaultMinimumPpi;

  int wanted_ = 0;
  int drawn_ = -1;
  bool drawing_ = false;
  bool closing_ = false;
  bool fit_ = true;
  QImage drawnImage_;

  RunCheck check_;
  bool checkDone_ = false;
  int checkGeneration_ = 0;
  std::shared_ptr<std::atomic<bool>> stopCheck_;
  std::thread checker_;

  QLabel* pageText_ = nullptr;
  QLabel* jobText_ = nullptr;
  QPushButton* previous_ = nullptr;
  QPushButton* next_ = nullptr;
  QPushButton* fitButton_ = nullptr;
  QPushButton* actualButton_ = nullptr;
  QSpinBox* minimumPpiBox_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QLabel* page_ = nullptr;
  QLabel* summary_ = nullptr;
  QListWidget* problems_ = nullptr;
};
