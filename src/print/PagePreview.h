#pragma once

#include <QByteArray>

#include "model/CardLayout.h"
#include "print/PreviewGeometry.h"

class CxImage;
class PictureRegistry;
class PrintSettingsWindow;
class ProgressWindowHost;
struct SettingsSession;

// The first page of the current job drawn at one pixel per millimetre on the progress
// window's hidden page panel, for the settings window's 画板_预览.

struct PreviewServices {
  SettingsSession& session;
  PictureRegistry& pictures;
  CxImage& image;
  ProgressWindowHost& progress;
};

// Renders the page and returns it as BMP bytes. The repaired cell layout is written
// into photoArea and textArea only; the cells are drawn with the areas in PrintSettings.
// The progress window's hide button stops it early with the cells drawn so far.
QByteArray RenderPreviewPage(PreviewServices& services, const PreviewPage& page,
                             CardRect& photoArea, CardRect& textArea);

// The click of both "打印预览" buttons: stores the window's settings for the render,
// shows the page in 画板_预览 and puts PrintSettings back as it was. A press while a
// preview is being drawn is ignored.
void ShowPagePreview(PrintSettingsWindow& window, PreviewServices& services);
