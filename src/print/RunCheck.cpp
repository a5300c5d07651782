#include "print/RunCheck.h"

#include <QDir>
#include <QHash>
#include <algorithm>
#include <cmath>

#include "layout/PhotoFit.h"
#include "print/PhotoHeaderCheck.h"
#include "print/RunPages.h"

namespace {

constexpr double kTenthsPerInch = 254.0;

PhotoProblem::Kind kindOf(PhotoHeaderFacts::Verdict verdict) {
  switch (verdict) {
    case PhotoHeaderFacts::Verdict::Missing:
      return PhotoProblem::Kind::Missing;
    case PhotoHeaderFacts::Verdict::Refused:
      return PhotoProblem::Kind::Refused;
    default:
      return PhotoProblem::Kind::Unreadable;
  }
}

QString lowResolution(int ppi, int minimumPpi) {
  return QStringLiteral("照片只有 %1 ppi，低于 %2 ppi，印出来会发虚").arg(ppi).arg(minimumPpi);
}

}  // namespace

int RunCheck::emptyCells() const {
  return static_cast<int>(std::count_if(problems.begin(), problems.end(),
                                        [](const PhotoProblem& p) { return p.leavesCellEmpty(); }));
}

int EffectivePpi(QSize photo, const CellRect& cell, const PrintSettings& settings,
                 float aspectOverride) {
  const CardRect& area = settings.photoArea;
  const PhotoRect inCell{area.x * cell.width, area.y * cell.height, area.width * cell.width,
                         area.height * cell.height};
  const PhotoRect placed = FitPhoto(inCell, photo.width(), photo.height(),
                                    NormalisedFitMode(settings.photoFit), aspectOverride);
  if (placed.isEmpty()) return 0;
  const double across = photo.width() * kTenthsPerInch / std::trunc(placed.width);
  const double down = photo.height() * kTenthsPerInch / std::trunc(placed.height);
  return static_cast<int>(std::min(across, down));
}

RunCheck CheckRun(const QList<PrintJob>& jobs, const PrintSettings& settings, int minimumPpi,
                  const std::function<bool()>& stopRequested) {
  RunCheck check;
  check.jobs = static_cast<int>(jobs.size());
  const PageSetup page = PageSetup::of(settings);
  const PageGrid grid = PageFileGrid(page);
  const GridShape shape = grid.shape;
  const QList<RunPage> pages = PagesOfRun(jobs, shape);
  check.pages = static_cast<int>(pages.size());
  QHash<QString, PhotoHeaderFacts> read;
  for (int p = 0; p < pages.size() && !check.stopped; ++p) {
    const PrintJob& job = jobs[pages[p].job];
    const qsizetype first = qsizetype(pages[p].pageInJob) * grid.cellsPerPage();
    const bool overridden = job.aspectOverrides.size() >= job.pictures.size();
    for (int c = 0; c < grid.cellsPerPage() && first + c < job.pictures.size(); ++c) {
      if (stopRequested && stopRequested()) {
        check.stopped = true;
        break;
      }
      const QString& picture = job.pictures[first + c];
      ++check.photos;
      auto facts = read.constFind(picture);
      if (facts == read.constEnd()) facts = read.insert(picture, ReadPhotoHeaderFacts(picture));
      PhotoProblem problem;
      problem.page = p + 1;
      problem.cell = c + 1;
      problem.picture = picture;
      if (!facts->printable()) {
        problem.kind = kindOf(facts->verdict);
        problem.reason = facts->reason;
        check.problems.append(problem);
        continue;
      }
      if (!grid.cellsAreDrawable()) continue;
      const float aspect = overridden ? job.aspectOverrides[first + c] : 0.0f;
      const int ppi = EffectivePpi(facts->upright, grid.cell(c / shape.columns, c % shape.columns),
                                   settings, aspect);
      if (ppi > 0 && ppi < minimumPpi) {
        problem.kind = PhotoProblem::Kind::LowResolution;
        problem.ppi = ppi;
        problem.reason = lowResolution(ppi, minimumPpi);
        check.problems.append(problem);
      }
    }
  }
  return check;
}

QString ProblemLine(const PhotoProblem& problem) {
  const QString picture = problem.picture.isEmpty() ? QStringLiteral("（空）")
                                                    : QDir::toNativeSeparators(problem.picture);
  return QStringLiteral("第 %1 页第 %2 格：%3（%4）")
      .arg(problem.page)
      .arg(problem.cell)
      .arg(problem.reason, picture);
}

QString CheckSummary(const RunCheck& check) {
  return QStringLiteral("共 %1 个作业，%2 页，%3 张照片，%4 个问题。")
      .arg(check.jobs)
      .arg(check.pages)
      .arg(check.photos)
      .arg(check.problems.size());
}
