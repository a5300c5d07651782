#include "cli/ProgressLine.h"

#include <utility>

namespace {
constexpr int kTerminalIntervalMs = 100;
constexpr int kPlainStatusIntervalMs = 1000;
}  // namespace

ProgressLine::ProgressLine(Write write, bool terminal, bool quiet)
    : write_(std::move(write)), terminal_(terminal), quiet_(quiet) {
  sinceStart_.start();
  sincePrinting_.start();
}

double ProgressLine::seconds() const {
  return sinceStart_.nsecsElapsed() / 1e9;
}

void ProgressLine::InPlace(const QString& text, bool force) {
  if (!force && sinceShown_.isValid() && sinceShown_.elapsed() < kTerminalIntervalMs) return;
  sinceShown_.start();
  // Carriage return, the text, and the rest of the old line erased.
  write_(u'\r' + text + QStringLiteral("\x1b[K"));
  lineOpen_ = true;
}

void ProgressLine::EndInPlace() {
  if (!lineOpen_) return;
  write_(QStringLiteral("\n"));
  lineOpen_ = false;
}

void ProgressLine::Status(const QString& text) {
  if (quiet_) return;
  if (terminal_) {
    InPlace(text, false);
  } else if (!sinceShown_.isValid() || sinceShown_.elapsed() >= kPlainStatusIntervalMs) {
    sinceShown_.start();
    write_(text + u'\n');
  }
}

void ProgressLine::Photos(qsizetype photosDone, qsizetype photosTotal, int page, int pages,
                          bool pageDone) {
  if (quiet_) return;
  const double elapsed = sincePrinting_.nsecsElapsed() / 1e9;
  const QString rate = QString::number(elapsed > 0 ? photosDone / elapsed : 0.0, 'f', 1);
  if (terminal_) {
    InPlace(QStringLiteral("第 %1/%2 页，照片 %3/%4，每秒 %5 张")
                .arg(page)
                .arg(pages)
                .arg(photosDone)
                .arg(photosTotal)
                .arg(rate),
            pageDone);
  } else if (pageDone) {
    write_(QStringLiteral("第 %1/%2 页完成，照片 %3/%4，每秒 %5 张\n")
               .arg(page)
               .arg(pages)
               .arg(photosDone)
               .arg(photosTotal)
               .arg(rate));
  }
}

void ProgressLine::Summary(const QString& text) {
  if (quiet_) return;
  EndInPlace();
  write_(text + u'\n');
}

void ProgressLine::Problem(const QString& text) {
  EndInPlace();
  write_(text + u'\n');
}
