#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

class QRawFont;

// When Qt embeds a font in a PDF, its ToUnicode map names every glyph by the lowest
// code point the font draws with that glyph. CJK fonts draw the radicals ⻚, ⽚, ⻛ …
// with the glyphs of 页, 片, 风 …, so a PDF reader would copy and search the radicals
// instead of the text that was written. These put the ideographs back.

// The radicals and strokes that share a glyph with an ideograph in font, each with the
// lowest such ideograph.
QHash<char16_t, char16_t> SharedGlyphIdeographs(const QRawFont& font);

// Replaces, in the bfrange sections of ToUnicode maps, every single code that is a key
// of ideographs by its value, keeping every byte in place (so the offsets of the
// PDF's cross-reference table stay right). Returns the number of codes replaced.
int RepairToUnicodeText(QByteArray& text, const QHash<char16_t, char16_t>& ideographs);

// The same on a PDF file, in place; false when the file cannot be read or written.
bool RepairToUnicodeFile(const QString& fileName, const QHash<char16_t, char16_t>& ideographs);
