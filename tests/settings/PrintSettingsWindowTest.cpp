#include "SettingsWindowFixture.h"
#include "settings/SettingsForm.h"

namespace {

QStringList Items(QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

}  // namespace

TEST_F(SettingsWindowTest, FirstOpeningShowsEveryBuiltInDefault) {
  session.printSettings.confirmed = true;
  open();
  EXPECT_EQ(window->windowTitle(), "打印机设置窗口。");
  EXPECT_FALSE(session.printSettings.confirmed);
  EXPECT_EQ(session.printSettings.defaultPrinter, "PDF Writer");

  const std::pair<const char*, const char*> texts[] = {
      {"编辑框_宽度", "210"},      {"编辑框_高度", "297"},      {"编辑框_上边距", "20"},
      {"编辑框_下边距", "18"},     {"编辑框_左边距", "5"},      {"编辑框_右边距", "15"},
      {"编辑框_页眉距顶端", "11"}, {"编辑框_页脚距底端", "14"}, {"编辑框_行数", "5"},
      {"编辑框_列数", "5"},        {"编辑框_行间距", "10"},     {"编辑框_列间距", "10"},
      {"编辑框_打印份数", "1"}};
  for (const auto& [name, text] : texts)
    EXPECT_EQ(box(name)->text(), QString::fromUtf8(text)) << name;

  const std::pair<const char*, const char*> selections[] = {
      {"组合框_正文对齐方式", "0：居中对齐"},
      {"组合框_正文文字行数", "每照片配1行文字"},
      {"组合框_照片打印方式", "0：按比例缩放且居中（照片区）"},
      {"组合框_页眉对齐", "居中"},
      {"组合框_页脚对齐", "居中"},
      {"组合框_图片优化比率", "优化到150K"},
      {"组合框_图片格式", "jpg格式"},
      {"组合框_打印机列表", "PDF Writer"}};
  for (const auto& [name, text] : selections)
    EXPECT_EQ(combo(name)->currentText(), QString::fromUtf8(text)) << name;

  EXPECT_TRUE(child<QRadioButton>("单选框_纵向打印")->isChecked());
  EXPECT_FALSE(child<QRadioButton>("单选框_横向打印")->isChecked());
  EXPECT_FALSE(child<QCheckBox>("选择框_自定义纸张")->isChecked());
  EXPECT_FALSE(child<QCheckBox>("选择框_打印到图片文件")->isChecked());
  for (const char* name : {"滑块条_行", "滑块条_列"}) {
    EXPECT_EQ(child<QSlider>(name)->value(), 20);
    EXPECT_EQ(child<QSlider>(name)->minimum(), 1);
    EXPECT_EQ(child<QSlider>(name)->maximum(), 61);
  }
  const PrintSettings& settings = session.printSettings;
  for (const FontDescription* font :
       {&settings.bodyFont, &settings.headerFont, &settings.footerFont}) {
    EXPECT_EQ(font->face, "宋体");
    EXPECT_EQ(font->size, 9);
  }

  // The paper list sits on the first A4 form (any case) without touching the boxes.
  auto* paper = child<QListWidget>("列表框_纸张");
  ASSERT_EQ(paper->count(), 4);
  EXPECT_EQ(paper->currentItem()->text(), "a4");
  EXPECT_EQ(paper->item(3)->data(Qt::UserRole).toInt(), 3);
  EXPECT_EQ(combo("组合框_打印机列表")->itemData(2).toInt(), 2);
  EXPECT_EQ(paperQueries, 0);
}

TEST_F(SettingsWindowTest, ListsCarryTheirItemsInIndexOrder) {
  open();
  EXPECT_EQ(Items(combo("组合框_照片打印方式")), formitems::PhotoFitModes());
  EXPECT_EQ(Items(combo("组合框_照片打印方式")).at(4), "4：按原始值打印且不居中");
  EXPECT_EQ(Items(combo("组合框_正文对齐方式")),
            QStringList({"0：居中对齐", "1：左对齐", "2：右对齐"}));
  EXPECT_EQ(combo("组合框_正文文字行数")->count(), 10);
  EXPECT_EQ(combo("组合框_正文文字行数")->itemText(9), "每照片配9行文字");
  EXPECT_EQ(Items(combo("组合框_页眉对齐")), QStringList({"左对齐", "居中", "右对齐"}));
  EXPECT_EQ(Items(combo("组合框_图片优化比率")).first(), "图片不优化");
  EXPECT_EQ(Items(combo("组合框_图片格式")),
            QStringList({"bmp格式", "jpg格式", "gif格式", "tiff格式", "png格式", "pdf格式"}));
  EXPECT_EQ(child<QPushButton>("按钮_确定")->text(), "准备打印");
  EXPECT_EQ(child<QPushButton>("按钮_取消")->text(), "取消打印");
  EXPECT_EQ(child<QPushButton>("按钮_字体")->text(), "正\n文\n字\n体");
  EXPECT_EQ(child<QCheckBox>("选择框_打印到图片文件")->text(), "打印成图片");
  EXPECT_TRUE(child<QLabel>("标签_边距")->text().contains("页脚距底端："));
  EXPECT_EQ(child<QLabel>("标签_打印份数")->text(), "打印     份");
}

TEST_F(SettingsWindowTest, ConfirmStoresAndReopeningRestoresAllButCopiesAndFormat) {
  open();
  retype("编辑框_宽度", "215.9");
  retype("编辑框_高度", "279.4");
  retype("编辑框_上边距", "12");
  retype("编辑框_下边距", "13");
  retype("编辑框_左边距", "3");
  retype("编辑框_右边距", "4");
  retype("编辑框_页眉距顶端", "6");
  retype("编辑框_页脚距底端", "7");
  retype("编辑框_行数", "3");
  retype("编辑框_列数", "2");
  retype("编辑框_行间距", "15");
  retype("编辑框_列间距", "25");
  retype("编辑框_打印份数", "4");
  combo("组合框_页眉对齐")->setCurrentIndex(0);
  combo("组合框_页脚对齐")->setCurrentIndex(2);
  combo("组合框_图片优化比率")->setCurrentIndex(5);
  combo("组合框_照片打印方式")->setCurrentIndex(3);
  combo("组合框_正文对齐方式")->setCurrentIndex(2);
  combo("组合框_正文文字行数")->setCurrentIndex(0);
  combo("组合框_图片格式")->setCurrentIndex(4);
  combo("组合框_打印机列表")->setCurrentIndex(2);
  child<QRadioButton>("单选框_横向打印")->setChecked(true);
  child<QCheckBox>("选择框_打印到图片文件")->setChecked(true);
  click("按钮_确定");

  EXPECT_EQ(window->result(), QDialog::Accepted);
  EXPECT_TRUE(session.settingsApplied);
  const PrintSettings& s = session.printSettings;
  EXPECT_TRUE(s.confirmed);
  EXPECT_EQ(s.printerName, "Photo Jet");
  EXPECT_EQ(s.paperWidth, 2159);
  EXPECT_EQ(s.paperHeight, 2794);
  EXPECT_EQ(s.marginTop, 120);
  EXPECT_EQ(s.marginBottom, 130);
  EXPECT_EQ(s.marginLeft, 30);
  EXPECT_EQ(s.marginRight, 40);
  EXPECT_EQ(s.headerFromTop, 60);
  EXPECT_EQ(s.footerFromBottom, 70);
  EXPECT_EQ(s.rows, 3);
  EXPECT_EQ(s.columns, 2);
  EXPECT_EQ(s.rowSpacing, 15);
  EXPECT_EQ(s.columnSpacing, 25);
  EXPECT_EQ(s.copies, 4);
  EXPECT_EQ(s.headerAlign, HeaderAlign::Left);
  EXPECT_EQ(s.footerAlign, HeaderAlign::Right);
  EXPECT_EQ(s.optimiseLevel, 5);
  EXPECT_EQ(s.photoFit, 3);
  EXPECT_EQ(s.captionAlign, CaptionAlign::Right);
  EXPECT_EQ(s.captionLines, 0);
  EXPECT_EQ(s.pictureFormat, PageFileFormat::Png);
  EXPECT_TRUE(s.landscape);
  EXPECT_TRUE(s.toPictureFiles);
  EXPECT_EQ(s.photoArea, session.workingLayout.photoArea);
  EXPECT_EQ(progressCloses, 1);

  open();
  EXPECT_FALSE(session.printSettings.confirmed);
  EXPECT_TRUE(child<QCheckBox>("选择框_自定义纸张")->isChecked());
  EXPECT_EQ(box("编辑框_宽度")->text(), "215.9");
  EXPECT_EQ(box("编辑框_高度")->text(), "279.4");
  EXPECT_EQ(box("编辑框_上边距")->text(), "12");
  EXPECT_EQ(box("编辑框_右边距")->text(), "4");
  EXPECT_EQ(box("编辑框_页脚距底端")->text(), "7");
  EXPECT_EQ(box("编辑框_行数")->text(), "3");
  EXPECT_EQ(box("编辑框_列数")->text(), "2");
  EXPECT_EQ(box("编辑框_行间距")->text(), "15");
  EXPECT_EQ(box("编辑框_列间距")->text(), "25");
  EXPECT_EQ(combo("组合框_页眉对齐")->currentIndex(), 0);
  EXPECT_EQ(combo("组合框_页脚对齐")->currentIndex(), 2);
  EXPECT_EQ(combo("组合框_图片优化比率")->currentIndex(), 5);
  EXPECT_EQ(combo("组合框_照片打印方式")->currentIndex(), 3);
  EXPECT_EQ(combo("组合框_正文对齐方式")->currentIndex(), 2);
  EXPECT_EQ(combo("组合框_正文文字行数")->currentIndex(), 0);
  EXPECT_EQ(combo("组合框_打印机列表")->currentText(), "Photo Jet");
  EXPECT_TRUE(child<QRadioButton>("单选框_横向打印")->isChecked());
  EXPECT_FALSE(child<QRadioButton>("单选框_纵向打印")->isChecked());
  EXPECT_TRUE(child<QCheckBox>("选择框_打印到图片文件")->isChecked());
  EXPECT_EQ(box("编辑框_打印份数")->text(), "1");
  EXPECT_EQ(combo("组合框_图片格式")->currentText(), "jpg格式");
}

TEST_F(SettingsWindowTest, CancelForgetsTheAppliedSettingsForTheNextOpening) {
  open();
  retype("编辑框_宽度", "100");
  combo("组合框_打印机列表")->setCurrentIndex(0);
  child<QCheckBox>("选择框_打印到图片文件")->setChecked(true);
  click("按钮_确定");
  ASSERT_TRUE(session.settingsApplied);

  open();
  click("按钮_取消");
  EXPECT_EQ(window->result(), QDialog::Rejected);
  EXPECT_FALSE(session.settingsApplied);
  EXPECT_FALSE(session.printSettings.confirmed);
  EXPECT_EQ(progressCloses, 2);

  open();
  EXPECT_EQ(box("编辑框_宽度")->text(), "210");
  EXPECT_FALSE(child<QCheckBox>("选择框_自定义纸张")->isChecked());
  EXPECT_EQ(session.printSettings.paperWidth, 1000);
  // Only the printer and the picture-file switch follow the settings at every opening.
  EXPECT_EQ(combo("组合框_打印机列表")->currentText(), "Office Laser");
  EXPECT_TRUE(child<QCheckBox>("选择框_打印到图片文件")->isChecked());
}

TEST_F(SettingsWindowTest, PrinterIsFoundByPrefixThenByTheDefaultPrinter) {
  session.printSettings.printerName = "photo";
  open();
  EXPECT_EQ(combo("组合框_打印机列表")->currentText(), "Photo Jet");
  session.printSettings.printerName = "Gone Printer";
  open();
  EXPECT_EQ(combo("组合框_打印机列表")->currentText(), "PDF Writer");
}

TEST_F(SettingsWindowTest, SliderMovesWriteQuartersIntoTheirBoxes) {
  open();
  auto* rows = child<QSlider>("滑块条_行");
  QTest::keyClick(rows, Qt::Key_Home);
  EXPECT_EQ(box("编辑框_行数")->text(), "0");
  QTest::keyClick(rows, Qt::Key_Right);
  EXPECT_EQ(box("编辑框_行数")->text(), "0");
  QTest::keyClick(rows, Qt::Key_Right);
  EXPECT_EQ(rows->value(), 3);
  EXPECT_EQ(box("编辑框_行数")->text(), "0");
  QTest::keyClick(rows, Qt::Key_Right);
  EXPECT_EQ(box("编辑框_行数")->text(), "1");
  QTest::keyClick(child<QSlider>("滑块条_列"), Qt::Key_End);
  EXPECT_EQ(box("编辑框_列数")->text(), "15");
}

TEST_F(SettingsWindowTest, LeavingACountBoxMovesItsSliderWithoutWritingBack) {
  open();
  retype("编辑框_行数", "20");
  leave("编辑框_行数");
  EXPECT_EQ(child<QSlider>("滑块条_行")->value(), 61);
  EXPECT_EQ(box("编辑框_行数")->text(), "20");
  retype("编辑框_列数", "2");
  leave("编辑框_列数");
  EXPECT_EQ(child<QSlider>("滑块条_列")->value(), 8);
  retype("编辑框_列数", "0");
  leave("编辑框_列数");
  EXPECT_EQ(box("编辑框_列数")->text(), "");
  EXPECT_EQ(child<QSlider>("滑块条_列")->value(), 1);
}

TEST_F(SettingsWindowTest, SlidersStandWhereTheirBoxesPutThemAtEveryOpening) {
  const auto sliders = [this] {
    return std::pair(child<QSlider>("滑块条_行")->value(), child<QSlider>("滑块条_列")->value());
  };
  open();
  EXPECT_EQ(sliders(), std::pair(20, 20));
  retype("编辑框_行数", "3");
  retype("编辑框_列数", "2");
  click("按钮_确定");
  open();
  EXPECT_EQ(sliders(), std::pair(12, 8));

  window.reset();
  PrintSettings start = PrintSettings::builtInDefaults();
  start.rows = 7;
  start.columns = 20;
  session = SettingsSession();
  session.startFrom(start);
  open();
  EXPECT_EQ(sliders(), std::pair(28, 61));
  EXPECT_EQ(box("编辑框_列数")->text(), "20");
}

TEST_F(SettingsWindowTest, BoxesTakeOnlyTheirCharactersAndIntegerBoxesNormaliseOnLeaving) {
  open();
  retype("编辑框_宽度", "12a.5x");
  EXPECT_EQ(box("编辑框_宽度")->text(), "12.5");
  retype("编辑框_行间距", "1.5b-");
  EXPECT_EQ(box("编辑框_行间距")->text(), "15-");
  leave("编辑框_行间距");
  EXPECT_EQ(box("编辑框_行间距")->text(), "15");
  retype("编辑框_打印份数", "007");
  leave("编辑框_打印份数");
  EXPECT_EQ(box("编辑框_打印份数")->text(), "7");
}

TEST_F(SettingsWindowTest, TypedMillimetresAreStoredTruncatedToTenths) {
  open();
  retype("编辑框_宽度", "12.5");
  retype("编辑框_高度", "12.75");
  click("按钮_确定");
  EXPECT_EQ(session.printSettings.paperWidth, 125);
  EXPECT_EQ(session.printSettings.paperHeight, 127);
}

TEST_F(SettingsWindowTest, ChoosingAPaperFormWritesItsSizeAndClearsCustom) {
  open();
  showWindow();
  retype("编辑框_宽度", "100");
  EXPECT_TRUE(child<QCheckBox>("选择框_自定义纸张")->isChecked());
  auto* paper = child<QListWidget>("列表框_纸张");
  QTest::mouseClick(paper->viewport(), Qt::LeftButton, {},
                    paper->visualItemRect(paper->item(0)).center());
  EXPECT_EQ(box("编辑框_宽度")->text(), "215.9");
  EXPECT_EQ(box("编辑框_高度")->text(), "279.4");
  EXPECT_FALSE(child<QCheckBox>("选择框_自定义纸张")->isChecked());
  // A form the printer cannot measure leaves the boxes alone.
  paper->setCurrentRow(2);
  EXPECT_EQ(box("编辑框_宽度")->text(), "215.9");
  // Clicking the form already selected writes its size again.
  retype("编辑框_宽度", "100");
  paper->setCurrentRow(3);
  QTest::mouseClick(paper->viewport(), Qt::LeftButton, {},
                    paper->visualItemRect(paper->item(3)).center());
  EXPECT_EQ(box("编辑框_宽度")->text(), "297");
  EXPECT_FALSE(child<QCheckBox>("选择框_自定义纸张")->isChecked());
}

TEST_F(SettingsWindowTest, MarginHintsOnEveryLeavingButNotOnWindowSwitches) {
  open();
  leave("编辑框_左边距");
  ASSERT_EQ(messages().size(), 1);
  EXPECT_EQ(messages()[0].text, "部分打印机偏离左端约9毫米左右，因此要减小一下左边距");
  EXPECT_EQ(messages()[0].caption, "修正左边距");
  EXPECT_EQ(messages()[0].icon, MessageIcon::Warning);
  EXPECT_EQ(box("编辑框_左边距")->text(), "5");
  leave("编辑框_上边距");
  ASSERT_EQ(messages().size(), 2);
  EXPECT_EQ(messages()[1].text, "部分打印机偏离上端约3毫米左右，因此要减小一下上边距");
  EXPECT_EQ(messages()[1].caption, "修正上边距");
  leave("编辑框_右边距");
  EXPECT_EQ(messages().size(), 2);

  // A message box taking the focus away is not the user leaving the box.
  QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QCoreApplication::sendEvent(box("编辑框_左边距"), &deactivated);
  EXPECT_EQ(messages().size(), 2);
}

TEST_F(SettingsWindowTest, EmptyPaperWidthWarnsAndStillConfirms) {
  open();
  box("编辑框_宽度")->clear();
  click("按钮_确定");
  ASSERT_EQ(messages().size(), 1);
  EXPECT_EQ(messages()[0].text, "请重新设置一下纸张！");
  EXPECT_EQ(messages()[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(window->result(), QDialog::Accepted);
  EXPECT_TRUE(session.printSettings.confirmed);
  EXPECT_EQ(session.printSettings.paperWidth, 0);
  EXPECT_EQ(session.printSettings.paperHeight, 2970);
}

TEST_F(SettingsWindowTest, CountsBelowOneAreRefusedAndTheWindowStaysOpen) {
  const std::pair<const char*, const char*> cases[] = {
      {"编辑框_行数", "每页行数"}, {"编辑框_列数", "每页列数"}, {"编辑框_打印份数", "打印份数"}};
  for (const auto& [name, field] : cases) {
    open();
    showWindow();
    retype(name, "0");
    click("按钮_确定");
    ASSERT_FALSE(messages().isEmpty());
    EXPECT_TRUE(messages().last().text.contains(QString::fromUtf8(field))) << name;
    EXPECT_TRUE(window->isVisible()) << name;
    EXPECT_FALSE(session.printSettings.confirmed) << name;
    EXPECT_FALSE(session.settingsApplied) << name;
    window->hide();
  }
}

TEST_F(SettingsWindowTest, MarginsOutsideTheirRangeAreRefusedAndTheWindowStaysOpen) {
  const std::pair<const char*, const char*> cases[] = {{"编辑框_左边距", "-500"},
                                                       {"编辑框_页脚距底端", "10001"}};
  for (const auto& [name, text] : cases) {
    open();
    showWindow();
    retype(name, QString::fromUtf8(text));
    const qsizetype before = messages().size();
    click("按钮_确定");
    click("按钮_保存为默认设置");
    const QString refusal = QStringLiteral("“%1”要在0到10000毫米之间，请重新设置！")
                                .arg(QString::fromUtf8(name).mid(4));
    QStringList said;  // besides the left-margin hint when the box loses the focus
    for (const FakeDialogs::Call& call : messages().mid(before))
      if (call.text == refusal) said << call.text;
    EXPECT_EQ(said, QStringList({refusal, refusal})) << name;
    EXPECT_TRUE(window->isVisible()) << name;
    EXPECT_FALSE(session.printSettings.confirmed) << name;
    window->hide();
  }

  open();
  retype("编辑框_上边距", "10000");
  retype("编辑框_左边距", "0");
  click("按钮_确定");
  EXPECT_EQ(window->result(), QDialog::Accepted);
  EXPECT_EQ(session.printSettings.marginTop, 100000);
  EXPECT_EQ(session.printSettings.marginLeft, 0);
}

TEST_F(SettingsWindowTest, PreviewBusyKeepsTheWindowOpen) {
  open();
  showWindow();
  session.previewBusy = true;
  session.printSettings.confirmed = true;
  click("按钮_确定");
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(session.settingsApplied);
  EXPECT_EQ(session.printSettings.paperWidth, 0);
  click("按钮_取消");
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(progressCloses, 0);
  window->close();
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(session.printSettings.confirmed);

  session.previewBusy = false;
  session.settingsApplied = true;
  session.printSettings.confirmed = true;
  window->close();
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(session.printSettings.confirmed);
  EXPECT_TRUE(session.settingsApplied);
}

TEST_F(SettingsWindowTest, BothPreviewButtonsRunThePagePreview) {
  open();
  click("按钮_打印预览");
  click("按钮_预览打印");
  EXPECT_EQ(pagePreviews, 2);
}

TEST_F(SettingsWindowTest, FontButtonsTakeTheChosenFontButKeepTheAngle) {
  session.printSettings.headerFont.angle = 900;
  open();
  FontDescription chosen;
  chosen.face = "楷体";
  chosen.size = 14;
  chosen.bold = 1;
  chosen.underline = 1;
  chosen.angle = 450;
  dialogs.queueFont(chosen);
  click("按钮_页眉字体");
  const FontDescription& header = session.printSettings.headerFont;
  EXPECT_EQ(header.face, "楷体");
  EXPECT_EQ(header.size, 14);
  EXPECT_EQ(header.bold, 1);
  EXPECT_EQ(header.underline, 1);
  EXPECT_EQ(header.angle, 900);
  EXPECT_EQ(dialogs.callsOf(FakeDialogs::Kind::Font).at(0).font.size, 9);

  dialogs.queueFontCancel();
  click("按钮_页脚字体");
  EXPECT_EQ(session.printSettings.footerFont, FontDescription::song9());
  dialogs.queueFont(chosen);
  click("按钮_字体");
  EXPECT_EQ(session.printSettings.bodyFont.size, 14);
}

TEST_F(SettingsWindowTest, SmallFontsAreResetOnOpening) {
  session.printSettings.bodyFont.size = 3;
  session.printSettings.bodyFont.face = "Mono";
  session.printSettings.headerFont.size = 0;
  session.printSettings.headerFont.bold = 1;
  session.printSettings.footerFont.size = 2;
  open();
  EXPECT_EQ(session.printSettings.bodyFont.face, "宋体");
  EXPECT_EQ(session.printSettings.bodyFont.size, 9);
  EXPECT_EQ(session.printSettings.headerFont.face, "楷体");
  EXPECT_EQ(session.printSettings.headerFont.size, 12);
  EXPECT_EQ(session.printSettings.headerFont.bold, 1);
  EXPECT_EQ(session.printSettings.footerFont.size, 8);
}

TEST_F(SettingsWindowTest, HeaderAndFooterAlignmentAreStoredAtOnce) {
  open();
  combo("组合框_页眉对齐")->setCurrentIndex(2);
  combo("组合框_页脚对齐")->setCurrentIndex(0);
  EXPECT_EQ(session.printSettings.headerAlign, HeaderAlign::Right);
  EXPECT_EQ(session.printSettings.footerAlign, HeaderAlign::Left);
  EXPECT_FALSE(session.printSettings.confirmed);
}

TEST_F(SettingsWindowTest, NoPrintersAndNoFormsLeaveEmptyListsAndAnEmptyPrinterName) {
  window = std::make_unique<PrintSettingsWindow>(session, dialogs, pictures, PrinterCatalog{},
                                                 SettingsWindowHooks{});
  EXPECT_EQ(combo("组合框_打印机列表")->currentIndex(), -1);
  EXPECT_EQ(child<QListWidget>("列表框_纸张")->count(), 0);
  click("按钮_确定");
  EXPECT_EQ(session.printSettings.printerName, "");
  EXPECT_EQ(session.printSettings.paperWidth, 2100);
}

TEST_F(SettingsWindowTest, PagePreviewReadsWholeNumbersAndSpacingsInMillimetres) {
  open();
  retype("编辑框_宽度", "215.9");
  retype("编辑框_行间距", "15");
  retype("编辑框_列间距", "-25");
  child<QRadioButton>("单选框_横向打印")->setChecked(true);
  combo("组合框_照片打印方式")->setCurrentIndex(4);
  const PageSetup in = window->pagePreviewInputs();
  EXPECT_EQ(in.paperWidth, 215);
  EXPECT_EQ(in.paperHeight, 297);
  EXPECT_EQ(in.rowSpacing, 1);
  EXPECT_EQ(in.columnSpacing, -2);
  EXPECT_EQ(in.marginLeft, 5);
  EXPECT_EQ(in.footerFromBottom, 14);
  EXPECT_EQ(in.photoFit, 4);
  EXPECT_TRUE(in.landscape);
  EXPECT_EQ(window->pagePreviewPanel()->size(), QSize(240, 340));
}
