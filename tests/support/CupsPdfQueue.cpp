#include "CupsPdfQueue.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

namespace {

struct Run {
  int exitCode = -1;
  QString output;
};

Run run(const QString& program, const QStringList& arguments, int timeoutMs = 30000) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  Run result;
  if (!process.waitForStarted(timeoutMs)) {
    result.output = QStringLiteral("%1 could not be started").arg(program);
    return result;
  }
  if (!process.waitForFinished(timeoutMs)) {
    process.kill();
    process.waitForFinished();
    result.output = QStringLiteral("%1 did not finish").arg(program);
    return result;
  }
  result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  result.output = QString::fromUtf8(process.readAll());
  return result;
}

bool schedulerRunning() {
  return run(QStringLiteral("lpstat"), {QStringLiteral("-r")})
      .output.contains(QLatin1String("is running"));
}

const QString kPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

QString findTool(const char* tool) {
  const QString name = QString::fromLatin1(tool);
  const QString found = QStandardPaths::findExecutable(name);
  return found.isEmpty() ? QStandardPaths::findExecutable(
                               name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")})
                         : found;
}

QString points(double value) {
  return QString::number(value, 'f', 2);
}

// The cups-pdf PPD with the unprintable strip declared: every paper form's imageable
// area ("llx lly urx ury", from the bottom-left corner) and the custom-size margins.
QByteArray ppdWithUnprintableStrip(const QByteArray& ppd, const QMarginsF& strip) {
  QString text = QString::fromLatin1(ppd);
  static const QRegularExpression hardware(QStringLiteral("^\\*HWMargins:.*$"),
                                           QRegularExpression::MultilineOption);
  text.replace(hardware, QStringLiteral("*HWMargins: %1 %2 %3 %4")
                             .arg(points(strip.left()), points(strip.bottom()),
                                  points(strip.right()), points(strip.top())));
  static const QRegularExpression area(
      QStringLiteral("^(\\*ImageableArea [^:]+: )\"0 0 ([\\d.]+) ([\\d.]+)\"$"),
      QRegularExpression::MultilineOption);
  QString out;
  qsizetype last = 0;
  for (auto it = area.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    out += text.mid(last, m.capturedStart() - last);
    out += QStringLiteral("%1\"%2 %3 %4 %5\"")
               .arg(m.captured(1), points(strip.left()), points(strip.bottom()),
                    points(m.captured(2).toDouble() - strip.right()),
                    points(m.captured(3).toDouble() - strip.top()));
    last = m.capturedEnd();
  }
  out += text.mid(last);
  return out.toLatin1();
}

}  // namespace

bool CupsPdfQueue::cupsInstalled() {
  return !findTool("cupsd").isEmpty();
}

PdfInfo readPdfInfo(const QString& pdfPath) {
  PdfInfo info;
  const Run summary = run(QStringLiteral("pdfinfo"), {pdfPath});
  if (summary.exitCode != 0) {
    info.error = summary.output.trimmed();
    return info;
  }
  const QRegularExpressionMatch pages =
      QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
          .match(summary.output);
  if (!pages.hasMatch()) {
    info.error = QStringLiteral("no page count in: %1").arg(summary.output);
    return info;
  }
  info.pages = pages.captured(1).toInt();
  const Run perPage =
      run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                      QStringLiteral("-l"), QString::number(info.pages), pdfPath});
  static const QRegularExpression size(
      QStringLiteral("^Page\\s+\\d+ size:\\s+([\\d.]+) x ([\\d.]+) pts"),
      QRegularExpression::MultilineOption);
  static const QRegularExpression rotation(QStringLiteral("^Page\\s+\\d+ rot:\\s+(\\d+)"),
                                           QRegularExpression::MultilineOption);
  auto sizes = size.globalMatch(perPage.output);
  auto rotations = rotation.globalMatch(perPage.output);
  constexpr double kMmPerPoint = 25.4 / 72.0;
  while (sizes.hasNext()) {
    const QRegularExpressionMatch m = sizes.next();
    PdfPage page{m.captured(1).toDouble() * kMmPerPoint, m.captured(2).toDouble() * kMmPerPoint};
    if (rotations.hasNext() && rotations.next().captured(1).toInt() % 180 == 90)
      std::swap(page.widthMm, page.heightMm);
    info.pageSizes.append(page);
  }
  info.ok = info.pageSizes.size() == info.pages;
  if (!info.ok) info.error = QStringLiteral("page sizes missing in: %1").arg(perPage.output);
  return info;
}

CupsPdfQueue::CupsPdfQueue(const QString& queueName, const QMarginsF& unprintablePoints)
    : name_(queueName),
      unprintable_(unprintablePoints),
      folder_(QDir::tempPath() + QStringLiteral("/quillmere-cups-pdf/") + queueName) {
  ready_ = prepare();
}

bool CupsPdfQueue::prepare() {
  for (const char* tool : {"cupsd", "lpadmin", "lpstat", "pdfinfo", "pdftoppm"}) {
    if (findTool(tool).isEmpty()) {
      reason_ = QStringLiteral("%1 is not installed (cups, cups-client, poppler-utils)")
                    .arg(QLatin1String(tool));
      return false;
    }
  }
  if (!QFile::exists(kPpd)) {
    reason_ = QStringLiteral("the cups-pdf driver is not installed (printer-driver-cups-pdf)");
    return false;
  }
  if (!schedulerRunning()) {
    const Run started = run(findTool("cupsd"), {});
    QDeadlineTimer deadline(15000);
    while (!schedulerRunning() && !deadline.hasExpired()) QThread::msleep(200);
    if (!schedulerRunning()) {
      reason_ = QStringLiteral("cupsd could not be started (it needs root): %1")
                    .arg(started.output.trimmed());
      return false;
    }
  }

  // The queue's own cups-pdf settings: its PDFs go to our folder, named by the job's title.
  QDir().mkpath(folder_);
  QFile config(QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(name_));
  const QByteArray wanted = QStringLiteral("Out %1\nLabel 1\n").arg(folder_).toUtf8();
  if (!config.exists() || [&] {
        QFile f(config.fileName());
        return !f.open(QIODevice::ReadOnly) || f.readAll() != wanted;
      }()) {
    if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        config.write(wanted) != wanted.size()) {
      reason_ = QStringLiteral("cannot write %1 (needs root)").arg(config.fileName());
      return false;
    }
    config.close();
  }

  QString ppd = kPpd;
  const bool strip = !unprintable_.isNull();
  if (strip) {
    QFile original(kPpd);
    QFile derived(QStringLiteral("%1/%2.ppd").arg(folder_, name_));
    if (!original.open(QIODevice::ReadOnly) || !derived.open(QIODevice::WriteOnly) ||
        derived.write(ppdWithUnprintableStrip(original.readAll(), unprintable_)) < 0) {
      reason_ = QStringLiteral("cannot write the PPD %1").arg(derived.fileName());
      return false;
    }
    ppd = derived.fileName();
  }

  const QString uri = QStringLiteral("cups-pdf:/%1").arg(name_);
  const Run existing = run(QStringLiteral("lpstat"), {QStringLiteral("-v"), name_});
  // A queue with its own PPD is set up again each time, so its strip is the one asked for.
  if (strip || existing.exitCode != 0 || !existing.output.contains(uri)) {
    const Run added =
        run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name_, QStringLiteral("-E"),
                                        QStringLiteral("-v"), uri, QStringLiteral("-P"), ppd});
    if (added.exitCode != 0) {
      reason_ = QStringLiteral("lpadmin could not add the queue %1: %2")
                    .arg(name_, added.output.trimmed());
      return false;
    }
  }
  run(QStringLiteral("cupsenable"), {name_});
  run(QStringLiteral("cupsaccept"), {name_});
  return true;
}

QString CupsPdfQueue::waitForPdf(const QString& documentName, int timeoutMs) const {
  QDeadlineTimer deadline(timeoutMs);
  qint64 lastSize = -1;
  while (!deadline.hasExpired()) {
    const QFileInfoList files = QDir(folder_).entryInfoList(
        {documentName + QStringLiteral("*.pdf")}, QDir::Files, QDir::Time);
    if (!files.isEmpty()) {
      const QFileInfo& newest = files.first();
      // Complete when its size has settled and pdfinfo can read it.
      if (newest.size() > 0 && newest.size() == lastSize && readPdfInfo(newest.filePath()).ok)
        return newest.filePath();
      lastSize = newest.size();
    }
    QThread::msleep(250);
  }
  return {};
}
