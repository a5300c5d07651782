#include "settings/CellEditor.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <algorithm>

#include "layout/PhotoFit.h"
#include "picture/PictureReader.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "render/DrawPanel.h"
#include "render/PictureRegistry.h"
#include "settings/SettingsForm.h"
#include "settings/SettingsSession.h"
#include "settings/TextNumbers.h"

namespace {

const QString kPhotoAreaHint = QStringLiteral(
    "鼠标可直接拖动照片\r\n的位置，加按Ctrl键\r\n可调整区域的大小。\r\n右击可缩放图片\r\n到当前位置"
    "。\r\n文字区域也一样");
const QString kTextAreaHint = QStringLiteral("文字区域,操作同上");
const QString kCaptionLinesQuestion = QStringLiteral(
    "系统判断[每照片文字实际行数]与[下拉列表]所设置的不符，强制设置[下拉列表_每照片行数]码？");
const QString kCaptionLinesTitle = QStringLiteral("设置与实际不符，要手工调整？");

// The caption sample is drawn at the cell's full scale; a layout dragged far beyond
// the card must not make that drawing surface unreasonably large.
constexpr int kSampleMaxWidth = 16384;
constexpr int kSampleMaxHeight = 2048;

void SetGeometry(DrawPanel* panel, const QRect& r) {
  panel->moveResize(r.x(), r.y(), std::max(0, r.width()), std::max(0, r.height()));
}

}  // namespace

CellEditor::CellEditor(const SettingsForm& form, SettingsSession& session, Dialogs& dialogs,
                       PictureRegistry& pictures, QObject* parent)
    : QObject(parent), form_(form), session_(session), dialogs_(dialogs), pictures_(pictures) {
  form_.card->installEventFilter(this);
  form_.photoArea->installEventFilter(this);
  form_.textArea->installEventFilter(this);
}

void CellEditor::WriteHints() {
  form_.photoArea->WriteTextAt(5, 10, kPhotoAreaHint);
  form_.textArea->Write(kTextAreaHint);
}

void CellEditor::CaptureLayout() {
  session_.workingLayout =
      ::CaptureLayout(form_.photoArea->geometry(), form_.textArea->geometry(), form_.card->size());
}

PageSetup CellEditor::cellInputs() const {
  const auto integer = [](const QLineEdit* box) { return IntegerOfText(box->text()); };
  return {.paperWidth = integer(form_.paperWidth),
          .paperHeight = integer(form_.paperHeight),
          .marginTop = integer(form_.marginTop),
          .marginBottom = integer(form_.marginBottom),
          .marginLeft = integer(form_.marginLeft),
          .marginRight = integer(form_.marginRight),
          .rows = integer(form_.rows),
          .columns = integer(form_.columns),
          .rowSpacing = integer(form_.rowSpacing),
          .columnSpacing = integer(form_.columnSpacing)};
}

void CellEditor::ShowDefaultCellPreview() {
  const std::optional<QSize> cell = BeginPreview();
  if (!cell) return;
  AskToMatchCaptionLines();
  const CardAreas areas = DefaultCardAreas(*cell, TextBandHeightOnCard());
  session_.workingLayout = ::CaptureLayout(areas.photo, areas.text, *cell);
  DrawCaptionSample(areas.text);
  ReduceForDisplay(*cell);
}

void CellEditor::ShowCellPreview() {
  // No layout of the user's yet: the photo area still starts at (or before) the
  // cell's left edge, where the default layout puts it.
  if (static_cast<double>(session_.workingLayout.photoArea.x) - 0.00001 < -0.0000001) {
    ShowDefaultCellPreview();
    return;
  }
  const std::optional<QSize> cell = BeginPreview();
  if (!cell) return;
  // The text area's height always follows the caption lines and the font here.
  QRect text = PlaceArea(session_.workingLayout.textArea, *cell);
  text.setHeight(TextBandHeightOnCard());
  DrawCaptionSample(text);
  ReduceForDisplay(*cell);
}

bool CellEditor::areasHaveSize() const {
  const auto sized = [](const QWidget* w) { return w->width() > 0 && w->height() > 0; };
  return sized(form_.photoArea) && sized(form_.textArea);
}

std::optional<QSize> CellEditor::BeginPreview() {
  if (!areasHaveSize()) return std::nullopt;
  // With no rows, no columns or no room for a cell there is nothing to model; the
  // card stays as it is rather than dividing by zero.
  const std::optional<QSize> cell = CellSizeInTenths(cellInputs());
  if (!cell) return std::nullopt;
  form_.card->hide();
  FontDescription font = session_.printSettings.bodyFont;
  font.size = CardFontSize(font.size);
  form_.textArea->setFont(font);
  return cell;
}

int CellEditor::TextBandHeightOnCard() {
  return TextBandHeight(form_.textArea->TextHeight(QStringLiteral("大")),
                        form_.captionLines->currentIndex());
}

void CellEditor::AskToMatchCaptionLines() {
  if (session_.lastJob.captions.isEmpty()) return;
  const int lines = static_cast<int>(CaptionLines(session_.lastJob.captions.first()).size());
  if (lines == form_.captionLines->currentIndex()) return;
  const int answer = dialogs_.messageBox(kCaptionLinesQuestion, kCaptionLinesTitle,
                                         MessageButtons::YesNo, MessageIcon::Question);
  // The list offers at most nine lines; a longer caption selects the last item.
  if (answer == AnswerYes)
    form_.captionLines->setCurrentIndex(std::min(lines, form_.captionLines->count() - 1));
}

void CellEditor::DrawCaptionSample(const QRect& fullScaleTextArea) {
  if (session_.lastJob.captions.isEmpty()) return;
  DrawPanel* area = form_.textArea;
  SetGeometry(area, QRect(fullScaleTextArea.topLeft(),
                          QSize(std::min(fullScaleTextArea.width(), kSampleMaxWidth),
                                std::min(fullScaleTextArea.height(), kSampleMaxHeight))));
  area->ClearPanel();
  area->setBackgroundPicture({});
  const QString caption = session_.lastJob.captions.first();
  const auto align = CaptionAlign(form_.captionAlign->currentIndex());
  if (align == CaptionAlign::Left) {
    area->WriteTextAt(2, 0, caption);
  } else {
    const int lineStep = area->TextHeight(QStringLiteral("W")) + 2;
    const QStringList lines = CaptionLines(caption);
    for (qsizetype i = 0; i < lines.size(); ++i) {
      const int x = CaptionLineX(align, area->width(), area->TextWidth(lines[i]));
      area->WriteTextAt(x, static_cast<int>(i) * lineStep, lines[i]);
    }
  }
  // The full-scale caption becomes the area's picture, so it survives the reduction
  // and is shown shrunk to the reduced area like the rest of the card.
  const QByteArray snapshot = area->SnapshotPanel();
  area->ClearPanel();
  area->setBackgroundPicture(snapshot);
  area->setBackgroundPlacement(BackgroundPlacement::Centred);
}

void CellEditor::ReduceForDisplay(QSize cell) {
  const QSize display = DisplayCardSize(CardAspect(cell));
  form_.card->moveResize(form_.card->x(), form_.card->y(), display.width(), display.height());
  SetGeometry(form_.photoArea, PlaceArea(session_.workingLayout.photoArea, display));
  SetGeometry(form_.textArea, PlaceArea(session_.workingLayout.textArea, display));
  DrawPhotoSample();
  form_.card->show();
}

void CellEditor::DrawPhotoSample() {
  if (session_.lastJob.pictures.isEmpty()) return;
  DrawPanel* area = form_.photoArea;
  area->ClearPanel();
  area->setBackgroundPicture({});
  area->setBackgroundPlacement(BackgroundPlacement::Centred);
  const QString path = session_.lastJob.pictures.first();
  const int mode = form_.photoFit->currentIndex();
  if (mode == FitStretch || mode == FitScaleTopLeft) {
    const PhotoRect box{0.0f, 0.0f, static_cast<float>(area->width()),
                        static_cast<float>(area->height())};
    const auto drawnSize = [&](int width, int height) {
      const PhotoRect drawn = mode == FitStretch ? box : FitPhoto(box, width, height, mode);
      return QSize(static_cast<int>(drawn.width), static_cast<int>(drawn.height));
    };
    // A camera's thumbnail draws the sample when it is large enough.
    PictureRequest request;
    request.use = PictureUse::Sample;
    request.sizeFor = [&](QSize upright) { return drawnSize(upright.width(), upright.height()); };
    const PictureHandle picture = pictures_.Add(ReadPicture(path, request).picture);
    const QSize drawn = drawnSize(area->PictureWidth(picture), area->PictureHeight(picture));
    if (picture != 0 && !drawn.isEmpty())
      area->DrawPicture(picture, 0, 0, drawn.width(), drawn.height());
    pictures_.UnloadPicture(picture);
    return;
  }
  // Natural size at the top-left for the natural-size modes; centred and shrunk to
  // fit (never enlarged) for the others, from the camera's thumbnail when that holds
  // the pixels shown.
  const bool natural = mode == FitNaturalCentred || mode == FitNaturalTopLeft;
  area->setBackgroundPlacement(natural ? BackgroundPlacement::TopLeft
                                       : BackgroundPlacement::Centred);
  area->setBackgroundPictureFile(path);
}

bool CellEditor::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (watched == form_.photoArea || watched == form_.textArea)
        return handleAreaPress(static_cast<DrawPanel*>(watched), event);
      if (watched == form_.card && mouse->button() == Qt::LeftButton) {
        drag_ = Drag{form_.card, false, mouse->globalPosition(), form_.card->geometry()};
        return true;
      }
      break;
    }
    case QEvent::MouseMove:
      if (drag_.panel) {
        handleDragMove(static_cast<QMouseEvent*>(event)->globalPosition());
        return true;
      }
      break;
    case QEvent::MouseButtonRelease:
      if (drag_.panel && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        handleRelease();
        return true;
      }
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

bool CellEditor::handleAreaPress(DrawPanel* area, QEvent* event) {
  auto* mouse = static_cast<QMouseEvent*>(event);
  if (mouse->button() == Qt::RightButton) {
    // The bottom-right corner jumps to the clicked point; the content is not redrawn.
    const QPoint at = mouse->position().toPoint();
    area->moveResize(area->x(), area->y(), std::max(0, at.x()), std::max(0, at.y()));
    CaptureLayout();
    return true;
  }
  if (mouse->button() != Qt::LeftButton) return false;
  const bool resize = mouse->modifiers().testFlag(Qt::ControlModifier);
  if (resize) {
    area->setCursor(Qt::SizeAllCursor);
    area->setCursor(Qt::SizeFDiagCursor);
  } else if (area == form_.photoArea) {
    area->setCursor(Qt::SizeAllCursor);
  }
  drag_ = Drag{area, resize, mouse->globalPosition(), area->geometry()};
  return true;
}

void CellEditor::handleDragMove(const QPointF& global) {
  const QPoint delta = (global - drag_.pressGlobal).toPoint();
  if (drag_.resize) {
    drag_.panel->moveResize(drag_.start.x(), drag_.start.y(),
                            std::max(0, drag_.start.width() + delta.x()),
                            std::max(0, drag_.start.height() + delta.y()));
  } else {
    drag_.panel->move(drag_.start.topLeft() + delta);
  }
}

void CellEditor::handleRelease() {
  DrawPanel* panel = drag_.panel;
  const bool resized = drag_.resize;
  drag_ = Drag{};
  if (panel == form_.card) return;
  if (resized) panel->setCursor(Qt::SizeAllCursor);
  CaptureLayout();
}
