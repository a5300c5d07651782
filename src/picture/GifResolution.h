#pragma once

#include <QByteArray>

// GIF has no resolution field. The resolution goes into an application extension
// holding a Photoshop resolution resource ("MGK8BIM0000"), which image tools that
// know it read back as dots per inch and every other GIF reader skips.
QByteArray withGifResolution(const QByteArray& gif, int xDpi, int yDpi);

// Reads that extension back; false when the GIF carries none.
bool readGifResolution(const QByteArray& gif, int& xDpi, int& yDpi);
