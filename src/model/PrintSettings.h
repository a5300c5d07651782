#pragma once

#include <QString>

#include "model/CardLayout.h"
#include "model/FontDescription.h"

// Header and footer alignment, in the order the settings window lists them.
enum class HeaderAlign : int { Left = 0, Centre = 1, Right = 2 };
// Caption alignment, in the settings window's own order (not the header's).
enum class CaptionAlign : int { Centre = 0, Left = 1, Right = 2 };
// What 打印成图片 writes, numbered as the settings window lists the formats from 1.
enum class PageFileFormat : int { Bmp = 1, Jpg = 2, Gif = 3, Tiff = 4, Png = 5, Pdf = 6 };

// The one record of how an album is printed. Lengths marked 0.1 mm are tenths of a
// millimetre. A copy duplicates texts, fonts and rectangles (plain value semantics).
struct PrintSettings {
  QString defaultPrinter;
  QString printerName;
  bool landscape = false;
  int paperWidth = 0;   // 0.1 mm
  int paperHeight = 0;  // 0.1 mm
  int copies = 0;
  int photoFit = 0;          // 0..4
  int marginTop = 0;         // 0.1 mm
  int marginBottom = 0;      // 0.1 mm
  int marginLeft = 0;        // 0.1 mm
  int marginRight = 0;       // 0.1 mm
  int headerFromTop = 0;     // 0.1 mm, from the paper's top edge
  int footerFromBottom = 0;  // 0.1 mm, from the paper's bottom edge
  FontDescription bodyFont = FontDescription::song9();
  FontDescription headerFont = FontDescription::song9();
  HeaderAlign headerAlign = HeaderAlign::Left;
  HeaderAlign footerAlign = HeaderAlign::Left;
  FontDescription footerFont = FontDescription::song9();
  int rows = 0;
  int columns = 0;
  int rowSpacing = 0;     // 0.1 mm
  int columnSpacing = 0;  // 0.1 mm
  CardRect photoArea;
  CardRect textArea;
  CaptionAlign captionAlign = CaptionAlign::Centre;
  int captionLines = 0;  // 0..9
  bool confirmed = false;
  bool toPictureFiles = false;
  PageFileFormat pictureFormat = PageFileFormat::Jpg;  // Pdf: one PDF file per job
  int optimiseLevel = 0;                               // 0 none, 1 50K … 5 250K

  // What the settings window shows when nothing was applied in this run: A4 portrait,
  // margins 20/18/5/15 mm, header 11 mm and footer 14 mm from the edges, 5 × 5 cells
  // 1 mm apart, one centred caption line, header and footer centred, one copy, jpg
  // files, photos optimised to 150K. The layout rectangles stay zero.
  static PrintSettings builtInDefaults() {
    PrintSettings s;
    s.paperWidth = 2100;
    s.paperHeight = 2970;
    s.copies = 1;
    s.marginTop = 200;
    s.marginBottom = 180;
    s.marginLeft = 50;
    s.marginRight = 150;
    s.headerFromTop = 110;
    s.footerFromBottom = 140;
    s.headerAlign = HeaderAlign::Centre;
    s.footerAlign = HeaderAlign::Centre;
    s.rows = 5;
    s.columns = 5;
    s.rowSpacing = 10;
    s.columnSpacing = 10;
    s.captionLines = 1;
    s.optimiseLevel = 3;
    return s;
  }

  friend bool operator==(const PrintSettings&, const PrintSettings&) = default;
};
