#pragma once

#include <QByteArray>
#include <QImage>

// Turns the pixels of a picture described by an embedded ICC profile into sRGB, in place,
// with the perceptual intent and black-point compensation. RGB and grey profiles apply;
// an empty, sRGB, damaged or unusable profile, or one of another colour space, leaves
// the pixels as they are: the picture is then taken as sRGB. One transform is built per
// distinct profile and kept, so an album from one camera builds one. Safe on any thread.
void ConvertToSrgb(QImage& picture, const QByteArray& iccProfile);

// The sRGB profile that page files and PDF pictures are tagged with.
QByteArray SrgbProfile();
