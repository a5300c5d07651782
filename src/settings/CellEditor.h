#pragma once

#include <QObject>
#include <QPointF>
#include <QRect>
#include <optional>

#include "layout/CardGeometry.h"

class Dialogs;
class DrawPanel;
class PictureRegistry;
struct SettingsForm;
struct SettingsSession;

// The single-cell layout editor of the settings window: the card 画板_名片 with its
// photo area and text area. The mouse moves and sizes the areas (the result is the
// session's workingLayout, as fractions of the cell), and the two previews draw the
// last job's first photo and caption into a scaled model of one page cell.
class CellEditor : public QObject {
  Q_OBJECT
public:
  CellEditor(const SettingsForm& form, SettingsSession& session, Dialogs& dialogs,
             PictureRegistry& pictures, QObject* parent = nullptr);

  // The usage hints the two areas carry when the window opens.
  void WriteHints();

  // workingLayout := the two areas as they stand, measured against the card.
  void CaptureLayout();

  // Redraws the card with the user's layout; falls back to the default layout while
  // the photo area still touches (or crosses) the cell's left edge.
  void ShowCellPreview();

  // Computes the default layout for the cell the boxes describe, then redraws the card.
  void ShowDefaultCellPreview();

  // The numbers the previews read from the window's boxes.
  PageSetup cellInputs() const;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  struct Drag {
    DrawPanel* panel = nullptr;
    bool resize = false;
    QPointF pressGlobal;
    QRect start;
  };

  bool handleAreaPress(DrawPanel* area, QEvent* event);
  void handleDragMove(const QPointF& global);
  void handleRelease();

  bool areasHaveSize() const;
  // Hides the card and fits the text area's font to the full-scale cell; empty when
  // the boxes describe no cell or an area has no size.
  std::optional<QSize> BeginPreview();
  int TextBandHeightOnCard();
  void AskToMatchCaptionLines();
  void DrawCaptionSample(const QRect& fullScaleTextArea);
  void ReduceForDisplay(QSize cell);
  void DrawPhotoSample();

  const SettingsForm& form_;
  SettingsSession& session_;
  Dialogs& dialogs_;
  PictureRegistry& pictures_;
  Drag drag_;
};
