#include "platform/Paths.h"

#include <QDir>

QString withTrailingSeparator(const QString& path) {
  if (path.isEmpty()) return path;
  QString p = QDir::fromNativeSeparators(path);
  // A UNC-style leading "//" names a host, not a doubled separator.
  const bool unc = p.startsWith(QLatin1String("//"));
  QString out;
  out.reserve(p.size() + 1);
  if (unc) out += QLatin1String("//");
  for (qsizetype i = unc ? 2 : 0; i < p.size(); ++i) {
    if (p[i] == u'/' && out.endsWith(u'/') && !(unc && out.size() == 2)) continue;
    out += p[i];
  }
  if (!out.endsWith(u'/')) out += u'/';
  return QDir::toNativeSeparators(out);
}
