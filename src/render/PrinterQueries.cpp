#include "render/PrinterQueries.h"

#include <cups/cups.h>

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

namespace {

// The destinations of libcups, released when the list goes out of scope.
class CupsDests {
public:
  CupsDests() : count_(cupsGetDests2(CUPS_HTTP_DEFAULT, &dests_)) {}
  ~CupsDests() { cupsFreeDests(count_, dests_); }
  CupsDests(const CupsDests&) = delete;
  CupsDests& operator=(const CupsDests&) = delete;

  cups_dest_t* find(const QString& name) const {
    return cupsGetDest(name.toUtf8().constData(), nullptr, count_, dests_);
  }
  cups_dest_t* defaultDest() const { return cupsGetDest(nullptr, nullptr, count_, dests_); }
  bool setDefault(const QString& name) {
    if (!find(name)) return false;
    cupsSetDefaultDest(name.toUtf8().constData(), nullptr, count_, dests_);
    return cupsSetDests2(CUPS_HTTP_DEFAULT, count_, dests_) == 0;
  }

private:
  cups_dest_t* dests_ = nullptr;
  int count_ = 0;
};

bool standardForm(const QString& name, QPageSize& size) {
  for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
    const QPageSize candidate(static_cast<QPageSize::PageSizeId>(id));
    if (candidate.name().compare(name, Qt::CaseInsensitive) == 0 ||
        candidate.key().compare(name, Qt::CaseInsensitive) == 0) {
      size = candidate;
      return true;
    }
  }
  return false;
}

void fillSize(const QPageSize& size, PaperForm& form) {
  const QSizeF mm = size.size(QPageSize::Millimeter);
  form.width = tenthsOfMillimetre(mm.width());
  form.height = tenthsOfMillimetre(mm.height());
}

}  // namespace

int tenthsOfMillimetre(double millimetres) {
  const auto thousandths = static_cast<long long>(std::llround(millimetres * 1000.0));
  return static_cast<int>(thousandths / 100);
}

QStringList ListPrinters() {
  return QPrinterInfo::availablePrinterNames();
}

QString GetDefaultPrinter() {
  const CupsDests dests;
  if (const cups_dest_t* dest = dests.defaultDest()) return QString::fromUtf8(dest->name);
  return {};
}

bool SetDefaultPrinter(const QString& printerName) {
  if (printerName.isEmpty()) return false;
  CupsDests dests;
  return dests.setDefault(printerName);
}

QStringList ListPaperForms() {
  QStringList names;
  const QString printer = GetDefaultPrinter();
  if (!printer.isEmpty()) {
    const QList<QPageSize> sizes = QPrinterInfo::printerInfo(printer).supportedPageSizes();
    for (const QPageSize& size : sizes) names.append(size.name());
  }
  if (names.isEmpty()) {
    for (QPageSize::PageSizeId id : {QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::B5,
                                     QPageSize::Letter, QPageSize::Legal})
      names.append(QPageSize(id).name());
  }
  return names;
}

bool GetPaperForm(const QString& formName, PaperForm& form) {
  const QString printer = GetDefaultPrinter();
  if (!printer.isEmpty()) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer);
    const QList<QPageSize> sizes = info.supportedPageSizes();
    for (const QPageSize& size : sizes) {
      if (size.name().compare(formName, Qt::CaseInsensitive) != 0) continue;
      PaperForm found;
      fillSize(size, found);
      // The printable area of this form on this printer gives the margins: Qt's minimum
      // margins, not the 10 pt every page layout starts with.
      QPrinter device(info, QPrinter::HighResolution);
      device.setPageSize(size);
      QPageLayout layout = device.pageLayout();
      layout.setUnits(QPageLayout::Millimeter);
      const QMarginsF unprintable = layout.minimumMargins();
      found.marginLeft = std::max(0, tenthsOfMillimetre(unprintable.left()));
      found.marginTop = std::max(0, tenthsOfMillimetre(unprintable.top()));
      found.marginRight = std::max(0, tenthsOfMillimetre(unprintable.right()));
      found.marginBottom = std::max(0, tenthsOfMillimetre(unprintable.bottom()));
      form = found;
      return true;
    }
  }
  QPageSize size;
  if (!standardForm(formName, size)) return false;
  PaperForm found;
  fillSize(size, found);
  form = found;
  return true;
}

int CopiesPrinted(const QString& printerName, const QString& documentName) {
  if (printerName.isEmpty() || documentName.isEmpty()) return 0;
  ipp_t* request = ippNewRequest(IPP_OP_GET_JOBS);
  const QByteArray uri = QStringLiteral("ipp://localhost/printers/%1").arg(printerName).toUtf8();
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
  // Job names are private to their owner: ask as the user who printed them.
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "completed");
  static const char* const wanted[] = {"job-name", "job-state", "copies"};
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr,
                wanted);
  ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
  if (!response) return 0;
  const QByteArray name = documentName.toUtf8();
  int copies = 0;
  // Each job is one attribute group; a group ends where the tag changes or at the end.
  QByteArray jobName;
  int jobState = 0;
  int jobCopies = 1;
  const auto endJob = [&] {
    if (jobName == name && jobState == IPP_JSTATE_COMPLETED) copies += jobCopies;
    jobName.clear();
    jobState = 0;
    jobCopies = 1;
  };
  for (ipp_attribute_t* a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
    if (!ippGetName(a)) {
      endJob();
      continue;
    }
    if (ippGetGroupTag(a) != IPP_TAG_JOB) continue;
    const QByteArray attribute = ippGetName(a);
    if (attribute == "job-name")
      jobName = ippGetString(a, 0, nullptr);
    else if (attribute == "job-state")
      jobState = ippGetInteger(a, 0);
    else if (attribute == "copies")
      jobCopies = ippGetInteger(a, 0);
  }
  endJob();
  ippDelete(response);
  return copies;
}

QString PrinterPort(const QString& printerName) {
  const CupsDests dests;
  if (const cups_dest_t* dest = dests.find(printerName)) {
    if (const char* uri = cupsGetOption("device-uri", dest->num_options, dest->options))
      return QString::fromUtf8(uri);
  }
  return {};
}
