#pragma once

#include <QByteArray>
#include <initializer_list>

// Hand-made picture bytes for the tests and fuzz seeds of the program's own readers.
namespace pcxbytes {

inline QByteArray bytesOf(std::initializer_list<int> values) {
  QByteArray out;
  for (int v : values) out.append(static_cast<char>(v));
  return out;
}

// A PCX header for width × height with the given bits, planes and bytes per line; the
// 16-colour palette is left black.
inline QByteArray pcxHeader(int version, int bits, int width, int height, int planes,
                            int bytesPerLine) {
  QByteArray h(128, '\0');
  h[0] = 0x0A;
  h[1] = static_cast<char>(version);
  h[2] = 1;
  h[3] = static_cast<char>(bits);
  h[8] = static_cast<char>((width - 1) & 0xFF);
  h[9] = static_cast<char>((width - 1) >> 8);
  h[10] = static_cast<char>((height - 1) & 0xFF);
  h[11] = static_cast<char>((height - 1) >> 8);
  h[65] = static_cast<char>(planes);
  h[66] = static_cast<char>(bytesPerLine & 0xFF);
  h[67] = static_cast<char>(bytesPerLine >> 8);
  return h;
}

}  // namespace pcxbytes
