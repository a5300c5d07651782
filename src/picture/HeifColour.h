#pragma once

#include <QByteArray>
#include <QString>

// The colour profile that a HEIF or AVIF file's nclx colour information describes (its
// primaries and transfer curve), for the colour step; empty when it has none, states
// sRGB's primaries, or a transfer curve that is not a plain power curve (PQ, HLG). An
// embedded ICC profile, which libvips reads itself, is not looked at here. Only the
// file's boxes are read, never its image data.
QByteArray HeifNclxProfile(const QString& fileName);
