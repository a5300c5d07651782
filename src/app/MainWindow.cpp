#include "app/MainWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTreeWidget>

#include "settings/FormLinesLabel.h"

namespace {

// The client area the form was designed for, above the status bar.
constexpr QSize kDesignClient(679, 498);
// The tab control's designed height; its pages grow with whatever it gains.
constexpr int kDesignTabHeight = 496;
// Line height of the clipboard help text: the blank lines between its points leave
// room for the buttons that sit on the label.
constexpr int kHelpLineHeight = 13;

// Lines of a label at a fixed line height, so the text lines up with the components
// that sit beside or on it whatever the font's own line spacing is.
QString linesAtHeight(const QStringList& lines, int lineHeight) {
  QStringList escaped;
  for (const QString& line : lines) escaped << line.toHtmlEscaped();
  return QStringLiteral("<div style=\"line-height:%1px; -qt-line-height-type:fixed;\">%2</div>")
      .arg(lineHeight)
      .arg(escaped.join(QStringLiteral("<br>")));
}

}  // namespace

QString MainWindow::headerHelpText() {
  return QStringLiteral(
      "显示在每个页眉上，可用&a表示总页数， &p表示当前页， "
      "&f表示分类。字体及对齐方式从‘打印设置’中设置。");
}

QString MainWindow::footerHelpText() {
  return QStringLiteral(
      "显示在每个页脚上，可用&a表示总页数， &p表示当前页， "
      "&f表示分类。字体及对齐方式从‘打印设置’中设置。");
}

QStringList MainWindow::clipboardHelpLines() {
  // The reminder that an exported table cannot be imported straight back is gone (the
  // import reads what the export writes); the other reminders are numbered from 1.
  return {
      QStringLiteral("1.你可以在其它excel表中把数据复制到剪贴板中，然后“导入”。"),
      QString(),
      QString(),
      QString(),
      QStringLiteral(
          "2.你可以把右表中的数据导出到剪贴板，然后再在excel中粘贴处理，处理后再“导入”。"),
      QString(),
      QString(),
      QString(),
      QString(),
      QStringLiteral("友情提醒："),
      QStringLiteral("1.导入数据时，会把第一行数据作为标题的。"),
      QString(),
      QStringLiteral("2.你可以调整列宽。系统默认第2列为照片位置，第3列为分类，第4列为图片说明。"),
      QString(),
      QStringLiteral("3."
                     "默认第2列是照片的位置（含路径），第3列是文件的分类（每个类别单独打印），要事"
                     "先排序好。第4列是各照片的说明文字。"),
      QString(),
      QStringLiteral("4."
                     "《Gleanview》导出的文本文件可以打开后全选复制，在此再“从剪贴板导入”。也可以复"
                     "制粘贴到excel中处理后再导入此处。"),
  };
}

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent),
      central_(new QWidget(this)),
      tabs_(new QTabWidget(central_)),
      folderPage_(new QWidget),
      clipboardPage_(new QWidget),
      pictureList_(new QTableView(central_)),
      scratchGrid_(new QTableWidget(central_)),
      printGroup_(new QGroupBox(QStringLiteral("打印"), central_)),
      exitButton_(nullptr),
      statusLabel_(new QLabel) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(QStringLiteral("Quillmere（高级版）1.4"));
  central_->setObjectName(QStringLiteral("MainWindow_client"));
  setCentralWidget(central_);

  tabs_->setObjectName(QStringLiteral("选择夹1"));
  folderPage_->setObjectName(QStringLiteral("选择夹1_文件夹"));
  clipboardPage_->setObjectName(QStringLiteral("选择夹1_剪贴板"));
  tabs_->addTab(folderPage_, QStringLiteral("文件夹"));
  tabs_->addTab(clipboardPage_, QStringLiteral("剪贴板"));
  tabs_->setCurrentIndex(0);
  place(tabs_, QRect(4, 0, 668, 496), Anchor::GrowBoth);
  buildFolderPage();
  buildClipboardPage();

  // The picture list and the print group lie over the tab control's right part, so
  // they stay visible whichever page is chosen.
  pictureList_->setObjectName(QStringLiteral("超级列表框_显示"));
  pictureList_->setSelectionBehavior(QAbstractItemView::SelectRows);
  pictureList_->setSelectionMode(QAbstractItemView::SingleSelection);
  pictureList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  pictureList_->verticalHeader()->hide();
  pictureList_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  pictureList_->setWordWrap(false);
  pictureList_->setShowGrid(false);
  place(pictureList_, QRect(208, 31, 456, 384), Anchor::GrowBoth);

  scratchGrid_->setObjectName(QStringLiteral("高级表格_中间结果"));
  place(scratchGrid_, QRect(226, 392, 206, 32), Anchor::Bottom);
  scratchGrid_->hide();

  printGroup_->setObjectName(QStringLiteral("分组框_文件夹打印"));
  // The title sits on the frame line, as the form was drawn, leaving the rows below
  // it to the header and footer boxes.
  printGroup_->setStyleSheet(
      QStringLiteral("QGroupBox#分组框_文件夹打印 { border: 1px solid #b4b9c2; border-radius: 3px;"
                     " margin-top: 5px; }"
                     "QGroupBox#分组框_文件夹打印::title { subcontrol-origin: margin; left: 8px;"
                     " top: -2px; padding: 0px 2px; }"));
  place(printGroup_, QRect(211, 416, 352, 72), Anchor::Bottom);
  buildPrintGroup();

  exitButton_ =
      makeSuperButton(central_, QStringLiteral("按钮_结束程序"), QStringLiteral("退出程序"));
  place(exitButton_, QRect(597, 466, 60, 20), Anchor::BottomRight);
  connect(exitButton_, &QPushButton::clicked, this, &MainWindow::exitRequested);

  scratchGrid_->raise();
  pictureList_->raise();
  printGroup_->raise();
  exitButton_->raise();

  statusBar()->setObjectName(QStringLiteral("状态条1"));
  statusLabel_->setObjectName(QStringLiteral("状态条1_0"));
  statusLabel_->setTextFormat(Qt::PlainText);
  statusBar()->addWidget(statusLabel_, 1);

  central_->setMinimumSize(kDesignClient);
  resize(kDesignClient.width(), kDesignClient.height() + statusBar()->sizeHint().height());
  move(50, 50);
  folderPage_->installEventFilter(this);
  clipboardPage_->installEventFilter(this);
}

QPushButton* MainWindow::makeSuperButton(QWidget* parent, const QString& name, const QString& text,
                                         const QString& toolTip) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setFlat(true);
  button->setToolTip(toolTip);
  button->setCursor(Qt::PointingHandCursor);
  // A flat button still shows the user where to click: a thin frame, lit on hover.
  button->setStyleSheet(QStringLiteral(
      "QPushButton { border: 1px solid #9aa7b8; border-radius: 3px; background: #f4f6f9;"
      " padding: 0px 2px; }"
      "QPushButton:hover { border-color: #3c7fd6; background: #e3eefc; }"
      "QPushButton:pressed { background: #c9dcf5; }"
      "QPushButton:disabled { color: #9a9a9a; border-color: #c8c8c8; }"));
  return button;
}

void MainWindow::buildFolderPage() {
  folderTree_ = new QTreeWidget(folderPage_);
  folderTree_->setObjectName(QStringLiteral("树型框_文件夹"));
  folderTree_->setHeaderHidden(true);
  folderTree_->setColumnCount(1);
  folderPagePlacements_ << Placement{folderTree_, QRect(8, 32, 188, 391), Anchor::GrowDown};

  // Unchecked the table holds the four search columns only.
  photoInfo_ = new QCheckBox(QStringLiteral("读取拍摄信息"), folderPage_);
  photoInfo_->setObjectName(QStringLiteral("选择框_读取拍摄信息"));
  photoInfo_->setToolTip(
      QStringLiteral("在图片说明后加上拍摄时间、相机和像素三列，从照片自带的信息中读出"));
  folderPagePlacements_ << Placement{photoInfo_, QRect(9, 427, 120, 16), Anchor::Bottom};

  // Unchecked the search collects the classic kinds only, as it always has.
  morePictureFormats_ = new QCheckBox(QStringLiteral("更多图片格式"), folderPage_);
  morePictureFormats_->setObjectName(QStringLiteral("选择框_更多图片格式"));
  morePictureFormats_->setToolTip(
      QStringLiteral("同时搜索png、tif、tiff、webp、heic、heif和avif图片"));
  folderPagePlacements_ << Placement{morePictureFormats_, QRect(9, 446, 120, 16), Anchor::Bottom};

  includeSubfolders_ = new QCheckBox(QStringLiteral("包括子文件夹"), folderPage_);
  includeSubfolders_->setObjectName(QStringLiteral("选择框_包括文件夹"));
  includeSubfolders_->setChecked(true);
  folderPagePlacements_ << Placement{includeSubfolders_, QRect(9, 465, 99, 16), Anchor::Bottom};

  searchButton_ =
      makeSuperButton(folderPage_, QStringLiteral("按钮_文件夹搜索"), QStringLiteral("搜索"));
  folderPagePlacements_ << Placement{searchButton_, QRect(104, 461, 40, 20), Anchor::Bottom};
  stopSearchButton_ =
      makeSuperButton(folderPage_, QStringLiteral("按钮_文件夹停止搜索"), QStringLiteral("停止"));
  folderPagePlacements_ << Placement{stopSearchButton_, QRect(160, 461, 40, 20), Anchor::Bottom};
}

void MainWindow::buildClipboardPage() {
  clipboardHelp_ = new QLabel(clipboardPage_);
  clipboardHelp_->setObjectName(QStringLiteral("标签_剪贴板"));
  clipboardHelp_->setTextFormat(Qt::RichText);
  clipboardHelp_->setText(linesAtHeight(clipboardHelpLines(), kHelpLineHeight));
  clipboardHelp_->setWordWrap(true);
  clipboardHelp_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  clipboardPagePlacements_ << Placement{clipboardHelp_, QRect(12, 32, 184, 432), Anchor::Fixed};

  importClipboard_ = makeSuperButton(
      clipboardPage_, QStringLiteral("按钮_从剪贴板导入"), QStringLiteral("从剪贴板导入"),
      QStringLiteral("首先在其它表格内“复制”，然后单击它，即可自动创建。"));
  clipboardPagePlacements_ << Placement{importClipboard_, QRect(40, 62, 116, 24), Anchor::Fixed};
  exportClipboard_ = makeSuperButton(
      clipboardPage_, QStringLiteral("按钮_导出到剪贴板"), QStringLiteral("导出到剪贴板"),
      QStringLiteral("把右表的数据导出到剪贴板，然后再在其它软件中“粘贴”"));
  clipboardPagePlacements_ << Placement{exportClipboard_, QRect(40, 137, 116, 24), Anchor::Fixed};
  importCaptureList_ = makeSuperButton(clipboardPage_, QStringLiteral("按钮_从Gleanview结果中导入"),
                                       QStringLiteral("导入Gleanview文本"),
                                       QStringLiteral("导入由Gleanview生成的列表文本文件。"));
  clipboardPagePlacements_ << Placement{importCaptureList_, QRect(40, 452, 116, 24), Anchor::Fixed};
}

void MainWindow::buildPrintGroup() {
  // "页眉：", a blank line and "页脚：", each centred on its edit box 21 pixels apart,
  // drawn whole below the group's title.
  auto* labels = new FormLinesLabel({{QStringLiteral("页眉："), QString(), 0, 0},
                                     {QString(), QString(), 10, 0},
                                     {QStringLiteral("页脚："), QString(), 21, 0}},
                                    printGroup_);
  labels->setObjectName(QStringLiteral("标签_页眉页脚"));
  labels->setTextFormat(Qt::PlainText);
  labels->setGeometry(3, 8, 38, 41);

  headerEdit_ = new QLineEdit(printGroup_);
  headerEdit_->setObjectName(QStringLiteral("编辑框_页眉"));
  headerEdit_->setGeometry(40, 8, 232, 20);
  headerEdit_->installEventFilter(this);
  footerEdit_ = new QLineEdit(printGroup_);
  footerEdit_->setObjectName(QStringLiteral("编辑框_页脚"));
  footerEdit_->setGeometry(39, 29, 232, 20);
  footerEdit_->installEventFilter(this);

  byFolder_ = new QCheckBox(QStringLiteral("不同文件夹照片要分别打印"), printGroup_);
  byFolder_->setObjectName(QStringLiteral("选择框_按文件夹分类"));
  byFolder_->setChecked(true);
  byFolder_->setGeometry(39, 52, 168, 18);

  previewButton_ =
      makeSuperButton(printGroup_, QStringLiteral("按钮_打印预览"), QStringLiteral("预览与设置"));
  previewButton_->setGeometry(282, 12, 60, 20);
  preparePrintButton_ = makeSuperButton(printGroup_, QStringLiteral("按钮_文件夹准备打印"),
                                        QStringLiteral("准备打印"));
  preparePrintButton_->setGeometry(281, 36, 60, 20);
}

void MainWindow::place(QWidget* widget, const QRect& design, Anchor anchor) {
  windowPlacements_ << Placement{widget, design, anchor};
  widget->setGeometry(design);
}

void MainWindow::setStatusText(const QString& text) {
  statusLabel_->setText(text);
}

QString MainWindow::statusText() const {
  return statusLabel_->text();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  Q_EMIT exitRequested();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  arrange();
}

void MainWindow::arrange() {
  const QSize grow = central_->size() - kDesignClient;
  for (const Placement& p : std::as_const(windowPlacements_))
    p.widget->setGeometry(placeComponent(p.design, p.anchor, grow));
  arrangePage(folderPage_);
  arrangePage(clipboardPage_);
}

// Page components are described in the tab control's coordinates; the page itself
// starts below the tab bar, wherever the style puts it.
void MainWindow::arrangePage(QWidget* page) {
  const QPoint origin = page->mapTo(tabs_, QPoint(0, 0));
  const QSize grow(0, tabs_->height() - kDesignTabHeight);
  const QList<Placement>& placements =
      page == folderPage_ ? folderPagePlacements_ : clipboardPagePlacements_;
  for (const Placement& p : placements)
    p.widget->setGeometry(placeComponent(p.design, p.anchor, grow, origin));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    if (watched == headerEdit_) setStatusText(headerHelpText());
    if (watched == footerEdit_) setStatusText(footerHelpText());
  } else if ((event->type() == QEvent::Resize || event->type() == QEvent::Move) &&
             (watched == folderPage_ || watched == clipboardPage_)) {
    arrangePage(static_cast<QWidget*>(watched));
  }
  return QMainWindow::eventFilter(watched, event);
}
