// The ToUnicode repair: every byte stays in place, and the only bytes changed are the
// four hex digits of codes the map names, each becoming its ideograph; as many as it
// counts.
#include <QByteArray>
#include <QHash>

#include "FuzzSupport.h"
#include "pdf/PdfTextMap.h"

namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The code of a <XXXX> token at text[at]; -1 when there is none.
int codeAt(const QByteArray& text, qsizetype at) {
  if (at < 0 || at + 5 >= text.size() || text[at] != '<' || text[at + 5] != '>') return -1;
  int code = 0;
  for (int i = 1; i <= 4; ++i) {
    const int digit = hexValue(text[at + i]);
    if (digit < 0) return -1;
    code = code * 16 + digit;
  }
  return code;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const QHash<char16_t, char16_t> ideographs = {
      {0x2EDA, 0x9875}, {0x2F5A, 0x7247}, {0x2EDB, 0x98CE}, {0x2F00, 0x4E00}, {0x31C0, 0x4E36}};
  const QByteArray before(reinterpret_cast<const char*>(data), qsizetype(size));
  QByteArray after = before;
  const int replaced = RepairToUnicodeText(after, ideographs);
  fuzz::Check(after.size() == before.size(), "every byte stays in place");
  int changed = 0;
  for (qsizetype at = 0; at < before.size(); ++at) {
    if (before[at] == after[at]) continue;
    // The first changed digit of a token: its '<' lies one to four bytes before.
    qsizetype open = at - 1;
    while (open >= 0 && open > at - 4 && before[open] != '<') --open;
    const int code = codeAt(before, open);
    fuzz::Check(code >= 0 && ideographs.contains(char16_t(code)), "only codes the map names");
    fuzz::Check(codeAt(after, open) == ideographs.value(char16_t(code)), "each its ideograph");
    ++changed;
    at = open + 4;
  }
  fuzz::Check(changed == replaced, "as many codes changed as counted");
  return 0;
}
