#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Checks that tell a cut-off picture file from a whole one. The decoders fill a
// cut-off picture with grey, or leave its missing part as memory held it, and call it
// a success; these checks refuse it.

// Whether JPEG data runs from its start marker through its segments and scans to the
// end-of-image marker. Data after the end marker (camera trailers) is allowed, and so
// are up to strayBytesAllowed bytes where a marker should begin: a few stray bytes
// between segments, as some writers leave, are not damage; dozens are.
bool jpegIsComplete(QByteArrayView data, int strayBytesAllowed = 0);

// Whether a BMP holds every pixel its header promises: all the rows of an uncompressed
// one after its colour table and pixel offset, runs that paint every pixel of a
// run-length coded one. Qt's decoder leaves the pixels a file lacks unfilled, so
// anything less is refused.
bool bmpIsComplete(QByteArrayView data);

// Whether a GIF holds the whole data of its first picture (the one that is shown).
// A missing trailer after it is tolerated, as viewers do.
bool gifIsComplete(QByteArrayView data);

// Whether the data holds the whole picture it starts with: the checks above for JPEG,
// BMP and GIF, told from the first bytes. Other data passes; its decoders refuse
// damage themselves.
bool pictureIsWhole(const QByteArray& data);
