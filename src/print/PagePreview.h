#pragma once

#include <QByteArray>

#include "model/CardLayout.h"
#include "model/PrintSettings.h"
#include "print/PreviewGeometry.h"

class PictureRegistry;
class PrintSettingsWindow;
class ProgressWindowHost;
struct SettingsSession;

// The first page of the current job drawn at one pixel per millimetre on a hidden page
// panel of its own, for the settings window's 画板_预览.

struct PreviewServices {
  SettingsSession& session;
  PictureRegistry& pictures;
  ProgressWindowHost& progress;
};

// Renders the requested page with the given settings and returns it as BMP bytes. The
// repaired cell layout is written into photoArea and textArea only; the cells are drawn
// with the areas in the settings. The progress window's hide button stops it early with the
// cells drawn so far.
QByteArray RenderPreviewPage(PreviewServices& services, const PrintSettings& settings,
                             const PreviewPage& requested, CardRect& photoArea, CardRect& textArea);

// The click of both "打印预览" buttons: draws with the settings the window's controls
// hold, without storing them, and shows the page in 画板_预览. A press while a preview
// is being drawn is ignored.
void ShowPagePreview(PrintSettingsWindow& window, PreviewServices& services);
