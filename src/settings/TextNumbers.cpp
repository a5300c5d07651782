#include "settings/TextNumbers.h"

#include <cstdint>
#include <limits>

namespace {

struct LeadingNumber {
  bool negative = false;
  QString wholeDigits;
  QString fractionDigits;
};

// Reads [blanks][sign][digits][.digits] from the start of the text.
LeadingNumber ScanLeadingNumber(const QString& text) {
  LeadingNumber number;
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n && (text[i] == u' ' || text[i] == u'\t')) ++i;
  if (i < n && (text[i] == u'-' || text[i] == u'+')) {
    number.negative = text[i] == u'-';
    ++i;
  }
  while (i < n && text[i] >= u'0' && text[i] <= u'9') number.wholeDigits += text[i++];
  if (i < n && text[i] == u'.') {
    ++i;
    while (i < n && text[i] >= u'0' && text[i] <= u'9') number.fractionDigits += text[i++];
  }
  return number;
}

int ClampToInt(std::int64_t value) {
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

}  // namespace

double NumberOfText(const QString& text) {
  const LeadingNumber number = ScanLeadingNumber(text);
  if (number.wholeDigits.isEmpty() && number.fractionDigits.isEmpty()) return 0.0;
  const QString plain = (number.wholeDigits.isEmpty() ? QStringLiteral("0") : number.wholeDigits) +
                        u'.' + number.fractionDigits + u'0';
  const double magnitude = plain.toDouble();
  return number.negative ? -magnitude : magnitude;
}

int TruncatedNumberOfText(const QString& text, int decimals) {
  const LeadingNumber number = ScanLeadingNumber(text);
  // Beyond 11 digits the value is clamped anyway; stop accumulating before int64 overflows.
  constexpr std::int64_t kSaturated = std::int64_t{1} << 40;
  std::int64_t magnitude = 0;
  const auto push = [&magnitude](QChar digit) {
    if (magnitude < kSaturated) magnitude = magnitude * 10 + (digit.unicode() - u'0');
  };
  for (const QChar digit : number.wholeDigits) push(digit);
  for (int k = 0; k < decimals; ++k)
    push(k < number.fractionDigits.size() ? number.fractionDigits[k] : QChar(u'0'));
  return ClampToInt(number.negative ? -magnitude : magnitude);
}

int IntegerOfText(const QString& text) {
  return TruncatedNumberOfText(text, 0);
}

int StoredTenthsOfText(const QString& text) {
  return TruncatedNumberOfText(text, 1);
}

QString ShownMillimetres(int tenths) {
  const std::int64_t value = tenths;
  const std::int64_t magnitude = value < 0 ? -value : value;
  QString shown = QString::number(magnitude / 10);
  if (magnitude % 10 != 0) shown += u'.' + QString::number(magnitude % 10);
  return value < 0 ? u'-' + shown : shown;
}

QString NormalisedIntegerText(const QString& text) {
  const int value = IntegerOfText(text);
  return value == 0 ? QString() : QString::number(value);
}
