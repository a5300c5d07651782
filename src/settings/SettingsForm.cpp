#include "settings/SettingsForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSlider>

#include "render/DrawPanel.h"
#include "settings/FormLinesLabel.h"
#include "settings/SliderCoupling.h"

namespace formitems {

QStringList PhotoFitModes() {
  return {QStringLiteral("0：按比例缩放且居中（照片区）"), QStringLiteral("1：布满打印区域"),
          QStringLiteral("2：按原始值打印且居中（照片区）"),
          QStringLiteral("3：按比例缩放且不居中"), QStringLiteral("4：按原始值打印且不居中")};
}

QStringList CaptionAlignments() {
  return {QStringLiteral("0：居中对齐"), QStringLiteral("1：左对齐"), QStringLiteral("2：右对齐")};
}

QStringList CaptionLineCounts() {
  QStringList items;
  for (int n = 0; n <= 9; ++n) items << QStringLiteral("每照片配%1行文字").arg(n);
  return items;
}

QStringList HeaderFooterAlignments() {
  return {QStringLiteral("左对齐"), QStringLiteral("居中"), QStringLiteral("右对齐")};
}

QStringList Optimisations() {
  return {QStringLiteral("图片不优化"), QStringLiteral("优化到50K"),  QStringLiteral("优化到100K"),
          QStringLiteral("优化到150K"), QStringLiteral("优化到200K"), QStringLiteral("优化到250K")};
}

QStringList PictureFormats() {
  return {QStringLiteral("bmp格式"),  QStringLiteral("jpg格式"), QStringLiteral("gif格式"),
          QStringLiteral("tiff格式"), QStringLiteral("png格式"), QStringLiteral("pdf格式")};
}

}  // namespace formitems

namespace {

// A group box's title takes more room than the form allows for; its controls sit
// this much lower, and the group boxes grow by as much.
constexpr int kGroupTitleRoom = 8;

template <typename W>
W* Place(W* widget, const char* name, int x, int y, int w, int h) {
  widget->setObjectName(QString::fromUtf8(name));
  widget->setGeometry(x, y, w, h);
  return widget;
}

template <typename W>
W* PlaceInGroup(W* widget, const char* name, int x, int y, int w, int h) {
  return Place(widget, name, x, y + kGroupTitleRoom, w, h);
}

QGroupBox* Group(QWidget* parent, const char* name, const QString& title, int x, int y, int w,
                 int h) {
  return Place(new QGroupBox(title, parent), name, x, y, w, h + kGroupTitleRoom);
}

QLineEdit* IntegerBox(QWidget* parent, const char* name, const QString& text, int x, int y, int w,
                      int h, bool centred = false) {
  auto* box = PlaceInGroup(new QLineEdit(text, parent), name, x, y, w, h);
  box->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9-]*")), box));
  if (centred) box->setAlignment(Qt::AlignCenter);
  return box;
}

QLineEdit* DecimalBox(QWidget* parent, const char* name, const QString& text, int x, int y, int w,
                      int h) {
  auto* box = PlaceInGroup(new QLineEdit(text, parent), name, x, y, w, h);
  box->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.-]*")), box));
  return box;
}

QComboBox* List(QWidget* parent, const char* name, const QStringList& items, int current, int x,
                int y, int w, int h) {
  auto* combo = PlaceInGroup(new QComboBox(parent), name, x, y, w, h);
  combo->addItems(items);
  combo->setCurrentIndex(current);
  return combo;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text, int x, int y, int w,
                    int h) {
  auto* button = PlaceInGroup(new QPushButton(text, parent), name, x, y, w, h);
  // Enter in a text box must not press a button of its own accord.
  button->setAutoDefault(false);
  return button;
}

QSlider* CountSlider(QWidget* parent, const char* name, int x, int y, int w, int h) {
  auto* slider = PlaceInGroup(new QSlider(Qt::Horizontal, parent), name, x, y, w, h);
  slider->setRange(kSliderMinimum, kSliderMaximum);
  slider->setSingleStep(1);
  slider->setValue(kSliderStart);
  return slider;
}

void BuildPaperGroup(QDialog& window, SettingsForm& f) {
  f.paperGroup = Group(&window, "分组框_纸张", QStringLiteral("纸张设置"), 8, 6, 136, 210);
  f.paperList = PlaceInGroup(new QListWidget(f.paperGroup), "列表框_纸张", 8, 11, 120, 135);
  f.customPaper = PlaceInGroup(new QCheckBox(QStringLiteral("自定义纸张类型"), f.paperGroup),
                               "选择框_自定义纸张", 8, 144, 120, 20);
  f.paperLabel =
      PlaceInGroup(new FormLinesLabel({{QStringLiteral("宽:"), QStringLiteral("毫米"), 0, 66},
                                       {QStringLiteral("高:"), QStringLiteral("毫米"), 22, 66}},
                                      f.paperGroup),
                   "标签_宽高", 8, 163, 120, 44);
  f.paperWidth = DecimalBox(f.paperGroup, "编辑框_宽度", QStringLiteral("210"), 30, 163, 42, 20);
  f.paperHeight = DecimalBox(f.paperGroup, "编辑框_高度", QStringLiteral("297"), 30, 185, 42, 20);
}

void BuildPageGroup(QDialog& window, SettingsForm& f) {
  f.pageGroup = Group(&window, "分组框_页面设置", QStringLiteral("页面设置"), 152, 3, 168, 213);
  QWidget* g = f.pageGroup;
  f.marginLabel = PlaceInGroup(
      new FormLinesLabel({{QStringLiteral("上边距："), QStringLiteral("毫米"), 0, 108},
                          {QStringLiteral("下边距："), QStringLiteral("毫米"), 23, 108},
                          {QStringLiteral("左边距："), QStringLiteral("毫米"), 47, 108},
                          {QStringLiteral("右边距："), QStringLiteral("毫米"), 71, 108},
                          {QStringLiteral("页眉距顶端："), QStringLiteral("毫米"), 96, 100},
                          {QStringLiteral("页脚距底端："), QStringLiteral("毫米"), 116, 100}},
                         g),
      "标签_边距", 8, 9, 150, 136);
  f.marginTop = IntegerBox(g, "编辑框_上边距", QStringLiteral("20"), 64, 9, 50, 20);
  f.marginBottom = IntegerBox(g, "编辑框_下边距", QStringLiteral("18"), 64, 32, 50, 20);
  f.marginLeft = IntegerBox(g, "编辑框_左边距", QStringLiteral("5"), 64, 56, 50, 20);
  f.marginRight = IntegerBox(g, "编辑框_右边距", QStringLiteral("15"), 64, 80, 50, 20);
  f.headerFromTop = IntegerBox(g, "编辑框_页眉距顶端", QStringLiteral("11"), 82, 105, 24, 20);
  f.footerFromBottom = IntegerBox(g, "编辑框_页脚距底端", QStringLiteral("14"), 82, 125, 24, 20);
  f.bodyFontButton = Button(g, "按钮_字体", QStringLiteral("正\n文\n字\n体"), 136, 100, 26, 100);
  f.headerFontButton = Button(g, "按钮_页眉字体", QStringLiteral("页眉字体"), 7, 150, 65, 24);
  f.headerAlign =
      List(g, "组合框_页眉对齐", formitems::HeaderFooterAlignments(), 1, 75, 151, 58, 22);
  f.footerFontButton = Button(g, "按钮_页脚字体", QStringLiteral("页脚字体"), 7, 178, 65, 24);
  f.footerAlign =
      List(g, "组合框_页脚对齐", formitems::HeaderFooterAlignments(), 1, 75, 179, 58, 22);
}

void BuildPhotoGroup(QDialog& window, SettingsForm& f) {
  f.photoGroup =
      Group(&window, "分组框_照片打印方式", QStringLiteral("照片打印方式"), 4, 220, 316, 168);
  QWidget* g = f.photoGroup;
  f.photoFit = List(g, "组合框_照片打印方式", formitems::PhotoFitModes(), 0, 8, 12, 296, 22);
  f.gridLabel = PlaceInGroup(
      new FormLinesLabel(
          {{QStringLiteral("每页有："), QStringLiteral("行"), 0, 80},
           {QStringLiteral("每页有："), QStringLiteral("列"), 24, 80},
           {QStringLiteral("图片行间距："), QStringLiteral("单位（0.1毫米）"), 49, 108},
           {QStringLiteral("图片列间距："), QStringLiteral("单位（0.1毫米）"), 73, 108},
           {QStringLiteral("文本对齐方式："), QString(), 97, 0}},
          g),
      "标签_每页多少行", 6, 39, 200, 118);
  f.rows = IntegerBox(g, "编辑框_行数", QStringLiteral("5"), 52, 39, 31, 20, true);
  f.columns = IntegerBox(g, "编辑框_列数", QStringLiteral("5"), 52, 63, 31, 20, true);
  f.rowSlider = CountSlider(g, "滑块条_行", 106, 41, 200, 16);
  f.columnSlider = CountSlider(g, "滑块条_列", 106, 65, 200, 16);
  f.rowSpacing = IntegerBox(g, "编辑框_行间距", QStringLiteral("10"), 80, 88, 31, 20, true);
  f.columnSpacing = IntegerBox(g, "编辑框_列间距", QStringLiteral("10"), 80, 112, 31, 20, true);
  f.captionAlign =
      List(g, "组合框_正文对齐方式", formitems::CaptionAlignments(), 0, 92, 136, 96, 22);
  f.captionLines =
      List(g, "组合框_正文文字行数", formitems::CaptionLineCounts(), 1, 192, 136, 118, 22);
  f.previewButtonInPhotoGroup =
      Button(g, "按钮_预览打印", QStringLiteral("打印预览"), 236, 96, 70, 24);
}

void BuildEditorPanels(QDialog& window, PictureRegistry& pictures, SettingsForm& f) {
  f.pagePreview = Place(new DrawPanel(pictures, &window), "画板_预览", 331, 7, 240, 340);
  f.card = Place(new DrawPanel(pictures, &window), "画板_名片", 584, 16, 168, 200);
  f.photoArea = Place(new DrawPanel(pictures, f.card), "画板_名片中照片区域", 24, 8, 120, 156);
  f.textArea = Place(new DrawPanel(pictures, f.card), "画板_名片中文字区域", 32, 165, 104, 24);
}

void BuildPrintGroup(QDialog& window, SettingsForm& f) {
  // Six pixels wider than drawn, up to the window's edge: the two radio buttons, "bmp格式"
  // and "优化到250K" need the room in the program's fonts.
  f.printGroup = Group(&window, "分组框_打印设置", QString(), 582, 216, 176, 176);
  QWidget* g = f.printGroup;
  f.portrait = PlaceInGroup(new QRadioButton(QStringLiteral("纵向打印↑"), g), "单选框_纵向打印", 4,
                            10, 84, 20);
  f.landscape = PlaceInGroup(new QRadioButton(QStringLiteral("横向打印→"), g), "单选框_横向打印",
                             88, 10, 84, 20);
  f.portrait->setChecked(true);
  f.toPictureFiles = PlaceInGroup(new QCheckBox(QStringLiteral("打印成图片"), g),
                                  "选择框_打印到图片文件", 10, 34, 120, 20);
  f.pictureFormat = List(g, "组合框_图片格式", formitems::PictureFormats(), 1, 2, 60, 78, 22);
  f.optimisation = List(g, "组合框_图片优化比率", formitems::Optimisations(), 3, 82, 60, 92, 22);
  f.defaultCellPreviewButton =
      Button(g, "按钮_默认单个预览", QStringLiteral("默认单项预览"), 6, 90, 92, 24);
  f.cellPreviewButton = Button(g, "按钮_单个预览", QStringLiteral("单项预览"), 102, 90, 64, 24);
  f.previewButton = Button(g, "按钮_打印预览", QStringLiteral("打印预览"), 6, 117, 92, 24);
  f.confirmButton = Button(g, "按钮_确定", QStringLiteral("准备打印"), 6, 146, 76, 26);
  f.cancelButton = Button(g, "按钮_取消", QStringLiteral("取消打印"), 90, 146, 76, 26);
}

}  // namespace

QList<QLineEdit*> SettingsForm::integerBoxes() const {
  return {marginTop, marginBottom, marginLeft, marginRight,   headerFromTop, footerFromBottom,
          rows,      columns,      rowSpacing, columnSpacing, copies};
}

SettingsForm BuildSettingsForm(QDialog& window, PictureRegistry& pictures) {
  SettingsForm f;
  BuildPaperGroup(window, f);
  BuildPageGroup(window, f);
  BuildPhotoGroup(window, f);
  BuildEditorPanels(window, pictures, f);
  BuildPrintGroup(window, f);

  f.printerList = Place(new QComboBox(&window), "组合框_打印机列表", 330, 365, 150, 24);
  f.copiesLabel =
      Place(new FormLinesLabel({{QStringLiteral("打印"), QStringLiteral("份"), 0, 60}}, &window),
            "标签_打印份数", 496, 368, 80, 20);
  f.copies =
      Place(new QLineEdit(QStringLiteral("1"), &window), "编辑框_打印份数", 526, 368, 26, 20);
  f.copies->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9-]*")), f.copies));
  f.copies->setAlignment(Qt::AlignCenter);

  f.saveAsStartButton = Place(new QPushButton(QStringLiteral("保存为默认设置"), &window),
                              "按钮_保存为默认设置", 330, 396, 118, 24);
  f.factorySettingsButton = Place(new QPushButton(QStringLiteral("恢复出厂设置"), &window),
                                  "按钮_恢复出厂设置", 454, 396, 118, 24);
  f.allPagesButton = Place(new QPushButton(QStringLiteral("全部页面预览"), &window),
                           "按钮_全部页面预览", 584, 396, 118, 24);
  for (QPushButton* button : {f.saveAsStartButton, f.factorySettingsButton, f.allPagesButton})
    button->setAutoDefault(false);
  return f;
}
