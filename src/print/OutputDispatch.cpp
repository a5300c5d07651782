#include "print/OutputDispatch.h"

#include "print/PdfPages.h"

namespace {

template <typename... Runs>
struct Overloaded : Runs... {
  using Runs::operator()...;
};
template <typename... Runs>
Overloaded(Runs...) -> Overloaded<Runs...>;

}  // namespace

bool OutputNeedsFolder(const PrintSettings& settings) {
  return settings.toPictureFiles;
}

JobOutput JobOutputFor(const PrintJob& job, const QString& folder, const PrintSettings& settings) {
  if (!OutputNeedsFolder(settings)) return PrinterArgsFor(job, settings);
  if (settings.pictureFormat == PageFileFormat::Pdf) return PdfFileArgsFor(folder, job, settings);
  return PictureFileArgsFor(folder, job, settings);
}

PageRunResult RunJobOutput(PageLoopServices& services, const JobOutput& output) {
  return std::visit(
      Overloaded{
          [&](const PrinterPageArgs& pages) { return PrintPagesToPrinter(services, pages); },
          [&](const PictureFilePageArgs& pages) {
            return PrintPagesToPictureFiles(services, pages);
          },
          [&](const PdfFileArgs& pdf) { return PrintPagesToPdfFile(services, pdf); },
      },
      output);
}
