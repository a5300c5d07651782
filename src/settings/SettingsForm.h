#pragma once

#include <QString>
#include <QStringList>

class DrawPanel;
class FormLinesLabel;
class PictureRegistry;
class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;
class QWidget;

// Item texts of the settings window's lists, in index order.
namespace formitems {
QStringList PhotoFitModes();
QStringList CaptionAlignments();
QStringList CaptionLineCounts();
QStringList HeaderFooterAlignments();
QStringList Optimisations();
QStringList PictureFormats();
}  // namespace formitems

// Every control of the print settings window, built with its name, place, text, list
// items and built-in default. The window and the cell editor wire them; nothing here
// reacts to anything.
struct SettingsForm {
  QGroupBox* paperGroup = nullptr;
  QListWidget* paperList = nullptr;
  QCheckBox* customPaper = nullptr;
  FormLinesLabel* paperLabel = nullptr;
  QLineEdit* paperWidth = nullptr;
  QLineEdit* paperHeight = nullptr;

  QGroupBox* pageGroup = nullptr;
  FormLinesLabel* marginLabel = nullptr;
  QLineEdit* marginTop = nullptr;
  QLineEdit* marginBottom = nullptr;
  QLineEdit* marginLeft = nullptr;
  QLineEdit* marginRight = nullptr;
  QLineEdit* headerFromTop = nullptr;
  QLineEdit* footerFromBottom = nullptr;
  QPushButton* bodyFontButton = nullptr;
  QPushButton* headerFontButton = nullptr;
  QComboBox* headerAlign = nullptr;
  QPushButton* footerFontButton = nullptr;
  QComboBox* footerAlign = nullptr;

  QGroupBox* photoGroup = nullptr;
  QComboBox* photoFit = nullptr;
  FormLinesLabel* gridLabel = nullptr;
  QLineEdit* rows = nullptr;
  QLineEdit* columns = nullptr;
  QSlider* rowSlider = nullptr;
  QSlider* columnSlider = nullptr;
  QLineEdit* rowSpacing = nullptr;
  QLineEdit* columnSpacing = nullptr;
  QComboBox* captionAlign = nullptr;
  QComboBox* captionLines = nullptr;
  QPushButton* previewButtonInPhotoGroup = nullptr;  // 按钮_预览打印

  DrawPanel* pagePreview = nullptr;
  DrawPanel* card = nullptr;
  DrawPanel* photoArea = nullptr;
  DrawPanel* textArea = nullptr;

  QGroupBox* printGroup = nullptr;
  QRadioButton* portrait = nullptr;
  QRadioButton* landscape = nullptr;
  QCheckBox* toPictureFiles = nullptr;
  QComboBox* pictureFormat = nullptr;
  QComboBox* optimisation = nullptr;
  QPushButton* defaultCellPreviewButton = nullptr;
  QPushButton* cellPreviewButton = nullptr;
  QPushButton* previewButton = nullptr;  // 按钮_打印预览
  QPushButton* confirmButton = nullptr;
  QPushButton* cancelButton = nullptr;

  QComboBox* printerList = nullptr;
  QLabel* copiesLabel = nullptr;
  QLineEdit* copies = nullptr;

  QPushButton* saveAsStartButton = nullptr;      // 按钮_保存为默认设置
  QPushButton* factorySettingsButton = nullptr;  // 按钮_恢复出厂设置
  QPushButton* allPagesButton = nullptr;         // 按钮_全部页面预览

  // The integer-input boxes: digits and "-" only; normalised when they lose the focus.
  QList<QLineEdit*> integerBoxes() const;
};

// Builds the controls on the window in their built-in default state.
SettingsForm BuildSettingsForm(QDialog& window, PictureRegistry& pictures);
