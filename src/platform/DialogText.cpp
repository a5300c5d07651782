#include "platform/DialogText.h"

#include <QStringList>
#include <limits>

QString qtFileFilter(const QString& filter) {
  if (filter.trimmed().isEmpty()) return QString();
  const QStringList parts = filter.split(u'|');
  QStringList entries;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    QString patterns = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
    if (patterns.isEmpty()) patterns = QStringLiteral("*");
    QStringList list = patterns.split(u';', Qt::SkipEmptyParts);
    for (QString& p : list) p = p.trimmed();
    list.removeAll(QString());
    const QString joined = list.isEmpty() ? QStringLiteral("*") : list.join(u' ');
    entries << (description.isEmpty() ? joined : description) + QStringLiteral(" (") + joined +
                   u')';
  }
  return entries.join(QStringLiteral(";;"));
}

int leadingInteger(const QString& text) {
  qsizetype i = 0;
  while (i < text.size() && text[i].isSpace()) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
    negative = text[i] == u'-';
    ++i;
  }
  long long value = 0;
  constexpr long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i].unicode() - u'0');
    if (value > limit) value = limit;
  }
  if (negative) return static_cast<int>(-value);
  return static_cast<int>(value > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                                  : value);
}
