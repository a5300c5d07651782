#pragma once

#include <QElapsedTimer>
#include <QString>
#include <functional>

// Progress of `quillmere print` on standard error. On a terminal one line is rewritten
// in place, a few times a second; elsewhere (a log file, a pipe) each finished page is
// one plain line. Quiet keeps progress and summary back; warnings and failures are
// always written.
class ProgressLine {
public:
  using Write = std::function<void(const QString&)>;
  ProgressLine(Write write, bool terminal, bool quiet);

  // Photos per second count from here.
  void BeginPrinting() { sincePrinting_.start(); }
  // A status text of the folder search.
  void Status(const QString& text);
  // photosDone of photosTotal drawn; the page being drawn, and whether it is finished.
  void Photos(qsizetype photosDone, qsizetype photosTotal, int page, int pages, bool pageDone);
  // The one-line summary at the end.
  void Summary(const QString& text);
  // A warning or failure, on a line of its own.
  void Problem(const QString& text);

  // Since the line was made.
  double seconds() const;

private:
  void InPlace(const QString& text, bool force);
  void EndInPlace();

  Write write_;
  bool terminal_;
  bool quiet_;
  bool lineOpen_ = false;
  QElapsedTimer sinceStart_;
  QElapsedTimer sincePrinting_;
  QElapsedTimer sinceShown_;
};
