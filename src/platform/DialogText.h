#pragma once

#include <QString>

// A filter written as "description|pattern[|description|pattern…]", patterns split
// by ";" (e.g. "图片|*.jpg;*.bmp"), in the form Qt's file dialogs take:
// "图片 (*.jpg *.bmp)", entries joined by ";;". An empty filter gives "" (all files).
QString qtFileFilter(const QString& filter);

// The integer a text begins with, as an integer input box reads it: leading blanks,
// an optional sign, then digits; anything after them is ignored. No digits gives 0;
// values beyond the int range are clamped.
int leadingInteger(const QString& text);
