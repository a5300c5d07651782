#include "print/PagesWindow.h"

#include <QBoxLayout>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <algorithm>
#include <utility>

#include "print/PageFilePanel.h"
#include "print/PageMarks.h"
#include "print/PagePainter.h"

namespace {

// 100 %: the paper at its own size on a screen of 96 pixels per inch, 254 page-file
// pixels to the inch.
constexpr double kActualSizeScale = 96.0 / 254.0;
constexpr int kMaxMinimumPpi = 1200;

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QString::fromUtf8(name));
  b->setAutoDefault(false);
  // The page keys belong to the window's shortcuts, not to a focused button.
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

QLabel* label(QWidget* parent, const char* name) {
  auto* l = new QLabel(parent);
  l->setObjectName(QString::fromUtf8(name));
  return l;
}

}  // namespace

PagesWindow::PagesWindow(PagesRun run, PictureRegistry& pictures, ProgressWindowHost& progress,
                         QWidget* parent)
    : QDialog(parent),
      run_(std::move(run)),
      pictures_(pictures),
      progress_(progress),
      shape_(UsableGridShape(run_.settings.rows, run_.settings.columns)),
      grid_(PageFileGrid(PageSetup::of(run_.settings))),
      pages_(PagesOfRun(run_.jobs, shape_)) {
  setObjectName(QStringLiteral("PagesWindow"));
  setWindowTitle(QStringLiteral("全部页面预览"));
  setModal(true);
  Build();
  resize(1000, 760);
  UpdateTexts();
  StartCheck();
  if (!pages_.isEmpty())
    QMetaObject::invokeMethod(
        this, [this] { ShowPage(wanted_); }, Qt::QueuedConnection);
}

PagesWindow::~PagesWindow() {
  closing_ = true;
  StopCheck();
}

void PagesWindow::Build() {
  previous_ = button(this, "按钮_上一页", QStringLiteral("上一页"));
  next_ = button(this, "按钮_下一页", QStringLiteral("下一页"));
  fitButton_ = button(this, "按钮_适合窗口", QStringLiteral("适合窗口"));
  actualButton_ = button(this, "按钮_实际大小", QStringLiteral("100%"));
  pageText_ = label(this, "标签_页码");
  jobText_ = label(this, "标签_作业");

  auto* top = new QHBoxLayout;
  top->addWidget(previous_);
  top->addWidget(next_);
  top->addSpacing(12);
  top->addWidget(pageText_);
  top->addSpacing(12);
  top->addWidget(jobText_, 1);
  top->addWidget(fitButton_);
  top->addWidget(actualButton_);

  scroll_ = new QScrollArea(this);
  scroll_->setObjectName(QStringLiteral("画板_页面"));
  scroll_->setAlignment(Qt::AlignCenter);
  // Holds the focus, so the page keys reach the window's shortcuts and the arrows
  // scroll a page shown at 100 %.
  scroll_->setFocusPolicy(Qt::StrongFocus);
  scroll_->setBackgroundRole(QPalette::Dark);
  page_ = label(scroll_, "标签_页面");
  page_->setText(QStringLiteral("正在画页面……"));
  scroll_->setWidget(page_);

  summary_ = label(this, "标签_总结");
  summary_->setWordWrap(true);
  minimumPpiBox_ = new QSpinBox(this);
  minimumPpiBox_->setObjectName(QStringLiteral("编辑框_最低分辨率"));
  minimumPpiBox_->setRange(1, kMaxMinimumPpi);
  minimumPpiBox_->setValue(minimumPpi_);
  minimumPpiBox_->setSuffix(QStringLiteral(" ppi"));
  minimumPpiBox_->setFocusPolicy(Qt::ClickFocus);
  problems_ = new QListWidget(this);
  problems_->setObjectName(QStringLiteral("列表框_问题"));
  problems_->setWordWrap(true);
  problems_->setFocusPolicy(Qt::NoFocus);

  auto* bound = new QHBoxLayout;
  bound->addWidget(new QLabel(QStringLiteral("最低分辨率："), this));
  bound->addWidget(minimumPpiBox_, 1);
  auto* side = new QVBoxLayout;
  side->addWidget(summary_);
  side->addLayout(bound);
  side->addWidget(new QLabel(QStringLiteral("问题："), this));
  side->addWidget(problems_, 1);

  auto* middle = new QHBoxLayout;
  middle->addWidget(scroll_, 3);
  middle->addLayout(side, 1);
  auto* all = new QVBoxLayout(this);
  all->addLayout(top);
  all->addLayout(middle, 1);

  scroll_->setFocus();
  connect(previous_, &QPushButton::clicked, this, [this] { ShowPage(wanted_ - 1); });
  connect(next_, &QPushButton::clicked, this, [this] { ShowPage(wanted_ + 1); });
  connect(fitButton_, &QPushButton::clicked, this, &PagesWindow::ZoomToFit);
  connect(actualButton_, &QPushButton::clicked, this, &PagesWindow::ZoomToActualSize);
  connect(minimumPpiBox_, &QSpinBox::editingFinished, this,
          [this] { SetMinimumPpi(minimumPpiBox_->value()); });
  connect(problems_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { ShowPage(item->data(Qt::UserRole).toInt() - 1); });
  const auto key = [this](const QKeySequence& sequence, auto turn) {
    auto* shortcut = new QShortcut(sequence, this);
    connect(shortcut, &QShortcut::activated, this, turn);
  };
  key(QKeySequence(Qt::Key_PageDown), [this] { ShowPage(wanted_ + 1); });
  key(QKeySequence(Qt::Key_PageUp), [this] { ShowPage(wanted_ - 1); });
  key(QKeySequence(Qt::Key_Home), [this] { ShowPage(0); });
  key(QKeySequence(Qt::Key_End), [this] { ShowPage(pageCount() - 1); });
}

double PagesWindow::shownScale() const {
  if (!fit_ || drawnImage_.isNull()) return kActualSizeScale;
  const QSize room = scroll_->viewport()->size() - QSize(4, 4);
  return std::min(double(room.width()) / drawnImage_.width(),
                  double(room.height()) / drawnImage_.height());
}

QImage PagesWindow::shownPage() const {
  if (drawnImage_.isNull()) return {};
  const double scale = shownScale();
  const QSize size(std::max(1, qRound(drawnImage_.width() * scale)),
                   std::max(1, qRound(drawnImage_.height() * scale)));
  return drawnImage_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void PagesWindow::ShowPage(int index) {
  if (pages_.isEmpty() || closing_) return;
  wanted_ = std::clamp(index, 0, pageCount() - 1);
  UpdateTexts();
  // A page under way sees the new wish after its cell, stops, and this loop draws on.
  if (drawing_) return;
  drawing_ = true;
  while (!closing_ && drawn_ != wanted_) {
    const int page = wanted_;
    QImage image = DrawPage(page);
    if (closing_ || wanted_ != page || image.isNull()) continue;
    drawnImage_ = std::move(image);
    drawn_ = page;
    Present();
  }
  drawing_ = false;
}

QImage PagesWindow::DrawPage(int index) {
  const RunPage& page = pages_[index];
  const PrintJob job = PageOfJob(run_.jobs[page.job], page.pageInJob, shape_);
  PageFilePanel panel(pictures_, run_.settings, PageSetup::of(run_.settings),
                      run_.settings.bodyFont);
  PageCanvas& canvas = panel.canvas();
  canvas.pictureUse = CellPictureUse::Preview;
  // Shortcuts hold enough for the larger of the two zooms.
  canvas.shownScale = std::max(kActualSizeScale, shownScale());
  canvas.stopRequested = [this, index] { return closing_ || wanted_ != index; };
  PaintServices paint{pictures_, progress_};
  const PaintOutcome outcome = PaintPages(paint, canvas, run_.settings, job);
  if (outcome.stopped) return {};
  return panel.UprightPage();
}

void PagesWindow::Present() {
  if (drawnImage_.isNull()) return;
  const double scale = shownScale();
  const QSize lyingPaper = PageFilePaper(PageSetup::of(run_.settings));
  const QImage marked = MarkedPage(shownPage(), ProblemsOnPage(drawn_), grid_, lyingPaper,
                                   run_.settings.landscape, scale);
  page_->setPixmap(QPixmap::fromImage(marked));
  page_->resize(marked.size());
}

void PagesWindow::ZoomToFit() {
  fit_ = true;
  Present();
}

void PagesWindow::ZoomToActualSize() {
  fit_ = false;
  Present();
}

void PagesWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (fit_) Present();
}

void PagesWindow::done(int result) {
  closing_ = true;
  QDialog::done(result);
}

void PagesWindow::UpdateTexts() {
  previous_->setEnabled(wanted_ > 0);
  next_->setEnabled(wanted_ + 1 < pageCount());
  if (pages_.isEmpty()) {
    pageText_->setText(QStringLiteral("没有要打印的页面"));
    jobText_->clear();
    page_->setText(QStringLiteral("表格里没有要打印的照片。"));
    return;
  }
  const RunPage& page = pages_[wanted_];
  pageText_->setText(QStringLiteral("第 %1 页，共 %2 页").arg(wanted_ + 1).arg(pageCount()));
  const QString category = run_.jobs[page.job].macros.category;
  jobText_->setText(QStringLiteral("作业 %1/%2：%3（本作业第 %4 页，共 %5 页）")
                        .arg(page.job + 1)
                        .arg(run_.jobs.size())
                        .arg(category.isEmpty() ? QStringLiteral("未分类") : category)
                        .arg(page.pageInJob + 1)
                        .arg(page.pagesInJob));
}

QList<PhotoProblem> PagesWindow::ProblemsOnPage(int index) const {
  QList<PhotoProblem> onPage;
  for (const PhotoProblem& problem : check_.problems)
    if (problem.page == index + 1) onPage.append(problem);
  return onPage;
}

void PagesWindow::StartCheck() {
  StopCheck();
  checkDone_ = false;
  summary_->setText(QStringLiteral("正在检查照片……"));
  problems_->clear();
  stopCheck_ = std::make_shared<std::atomic<bool>>(false);
  const int generation = ++checkGeneration_;
  // The thread works on its own copies; the answer comes back as an event, which goes
  // with the window if the window goes first.
  checker_ = std::thread([this, jobs = run_.jobs, settings = run_.settings, ppi = minimumPpi_,
                          stop = stopCheck_, generation]() mutable {
    RunCheck check = CheckRun(jobs, settings, ppi, [&stop] { return stop->load(); });
    if (check.stopped) return;
    QMetaObject::invokeMethod(
        this,
        [this, generation, check = std::move(check)]() mutable {
          // A check started since (another bound) has the last word.
          if (generation == checkGeneration_) TakeCheck(std::move(check));
        },
        Qt::QueuedConnection);
  });
}

void PagesWindow::StopCheck() {
  if (stopCheck_) stopCheck_->store(true);
  if (checker_.joinable()) checker_.join();
}

void PagesWindow::TakeCheck(RunCheck check) {
  if (checker_.joinable()) checker_.join();
  check_ = std::move(check);
  checkDone_ = true;
  summary_->setText(CheckSummary(check_));
  problems_->clear();
  for (const PhotoProblem& problem : check_.problems) {
    auto* item = new QListWidgetItem(ProblemLine(problem), problems_);
    item->setData(Qt::UserRole, problem.page);
    if (problem.leavesCellEmpty()) item->setForeground(QColor(200, 0, 0));
  }
  Present();
}

void PagesWindow::SetMinimumPpi(int ppi) {
  if (ppi == minimumPpi_) return;
  minimumPpi_ = ppi;
  minimumPpiBox_->setValue(ppi);
  StartCheck();
}
