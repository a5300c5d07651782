#include "settings/PrintSettingsWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

#include "model/MarginRange.h"
#include "platform/Dialogs.h"
#include "render/DrawPanel.h"
#include "settings/CellEditor.h"
#include "settings/SettingSetControls.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsSession.h"
#include "settings/SliderCoupling.h"
#include "settings/TextNumbers.h"

namespace {

const QString kWindowTitle = QStringLiteral("打印机设置窗口。");
const QString kLeftMarginHint =
    QStringLiteral("部分打印机偏离左端约9毫米左右，因此要减小一下左边距");
const QString kLeftMarginTitle = QStringLiteral("修正左边距");
const QString kTopMarginHint =
    QStringLiteral("部分打印机偏离上端约3毫米左右，因此要减小一下上边距");
const QString kTopMarginTitle = QStringLiteral("修正上边距");
const QString kResetPaper = QStringLiteral("请重新设置一下纸张！");
const QString kCountBelowOne = QStringLiteral("“%1”不能小于1，请重新设置！");
const QString kCountBelowOneTitle = QStringLiteral("打印设置有误");
const QString kMarginOutOfRange = QStringLiteral("“%1”要在%2到%3毫米之间，请重新设置！");
const QString kSaveTitle = QStringLiteral("保存为默认设置");
const QString kSaved = QStringLiteral("当前设置已保存为默认设置，以后每次启动程序时使用。");
const QString kNotSaved = QStringLiteral("默认设置没有保存：%1");
const QString kOutOfRange = QStringLiteral("这些设置超出了可保存的范围：%1");
const QString kFactoryTitle = QStringLiteral("恢复出厂设置");
const QString kFactoryQuestion = QStringLiteral(
    "恢复出厂设置将删除保存的默认设置，并把窗口中的各项设置恢复为出厂值。要继续吗？");
const QString kNotRemoved = QStringLiteral("保存的默认设置无法删除：%1");

constexpr int kWindowWidth = 762;
constexpr int kWindowHeight = 458;  // the setting-set row below the controls

int FirstItemStartingWith(const QStringList& items, const QString& prefix) {
  for (qsizetype i = 0; i < items.size(); ++i)
    if (items[i].startsWith(prefix, Qt::CaseInsensitive)) return static_cast<int>(i);
  return -1;
}

QStringList ComboItems(const QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

QStringList ListItems(const QListWidget* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
  return items;
}

void ResetFontBelowSize4(FontDescription& font, const QString& face, int size) {
  if (font.size >= 4) return;
  font.face = face;
  font.size = size;
}

// The main window's choices once the saved start settings are gone: each one they put
// there goes back to its built-in value; one the user has changed since stays.
MainWindowChoices WithoutSavedChoices(MainWindowChoices shown, const MainWindowChoices& saved) {
  const MainWindowChoices factory;
  const auto unsave = [&](auto MainWindowChoices::*field) {
    if (shown.*field == saved.*field) shown.*field = factory.*field;
  };
  unsave(&MainWindowChoices::headerTemplate);
  unsave(&MainWindowChoices::footerTemplate);
  unsave(&MainWindowChoices::includeSubfolders);
  unsave(&MainWindowChoices::printByCategory);
  return shown;
}

// Leaving a box for another window (a message box, a menu) is not leaving it.
bool LeavesTheBox(const QFocusEvent* event) {
  return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}

}  // namespace

PrintSettingsWindow::PrintSettingsWindow(SettingsSession& session, Dialogs& dialogs,
                                         PictureRegistry& pictures, PrinterCatalog printers,
                                         SettingsWindowHooks hooks, QWidget* parent)
    : QDialog(parent),
      session_(session),
      dialogs_(dialogs),
      printers_(std::move(printers)),
      hooks_(std::move(hooks)),
      form_(BuildSettingsForm(*this, pictures)),
      editor_(std::make_unique<CellEditor>(form_, session, dialogs, pictures)) {
  setObjectName(QStringLiteral("PrintSettingsWindow"));
  setWindowTitle(kWindowTitle);
  setModal(true);
  move(50, 50);
  setFixedSize(kWindowWidth, kWindowHeight);
  Connect();
  Open(printers_);
  SettingSetHost host;
  host.settingsToKeep = [this](QString& refusal) { return SettingsToKeep(refusal); };
  host.show = [this](const PrintSettings& set) { ShowSettingSet(set); };
  host.setStatusText = hooks_.setStatusText;
  host.installedPrinters = printers_.listPrinters;
  settingSets_ = new SettingSetControls(*this, session_.startSettingsFile, dialogs_, host);
}

PrintSettingsWindow::~PrintSettingsWindow() = default;

void PrintSettingsWindow::Connect() {
  connect(form_.confirmButton, &QPushButton::clicked, this, &PrintSettingsWindow::Confirm);
  connect(form_.cancelButton, &QPushButton::clicked, this, &PrintSettingsWindow::Cancel);
  for (QPushButton* button : {form_.previewButton, form_.previewButtonInPhotoGroup})
    connect(button, &QPushButton::clicked, this, [this] {
      if (hooks_.pagePreview) hooks_.pagePreview();
    });
  connect(form_.cellPreviewButton, &QPushButton::clicked, this,
          &PrintSettingsWindow::ShowCellPreview);
  connect(form_.defaultCellPreviewButton, &QPushButton::clicked, this,
          &PrintSettingsWindow::ShowDefaultCellPreview);
  connect(form_.saveAsStartButton, &QPushButton::clicked, this,
          &PrintSettingsWindow::SaveAsStartSettings);
  connect(form_.factorySettingsButton, &QPushButton::clicked, this,
          &PrintSettingsWindow::RestoreFactorySettings);
  connect(form_.allPagesButton, &QPushButton::clicked, this, [this] {
    if (hooks_.allPagesPreview && !session_.previewBusy) hooks_.allPagesPreview();
  });

  // The sliders write into their boxes on the user's moves only; the boxes move the
  // sliders under a signal blocker.
  connect(form_.rowSlider, &QSlider::valueChanged, this, [this](int position) {
    form_.rows->setText(QString::number(CountFromSliderPosition(position)));
  });
  connect(form_.columnSlider, &QSlider::valueChanged, this, [this](int position) {
    form_.columns->setText(QString::number(CountFromSliderPosition(position)));
  });

  for (QLineEdit* box : {form_.paperWidth, form_.paperHeight})
    connect(box, &QLineEdit::textChanged, form_.customPaper,
            [this] { form_.customPaper->setChecked(true); });
  // Clicking the form that is already selected (the A4 chosen at opening) writes its
  // size too.
  connect(form_.paperList, &QListWidget::currentRowChanged, this,
          &PrintSettingsWindow::ChoosePaper);
  connect(form_.paperList, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { ChoosePaper(form_.paperList->row(item)); });

  connect(form_.bodyFontButton, &QPushButton::clicked, this,
          [this] { ChooseFont(session_.printSettings.bodyFont); });
  connect(form_.headerFontButton, &QPushButton::clicked, this,
          [this] { ChooseFont(session_.printSettings.headerFont); });
  connect(form_.footerFontButton, &QPushButton::clicked, this,
          [this] { ChooseFont(session_.printSettings.footerFont); });
  connect(form_.headerAlign, &QComboBox::currentIndexChanged, this,
          [this](int index) { session_.printSettings.headerAlign = HeaderAlign(index); });
  connect(form_.footerAlign, &QComboBox::currentIndexChanged, this,
          [this](int index) { session_.printSettings.footerAlign = HeaderAlign(index); });

  for (QLineEdit* box : form_.integerBoxes()) box->installEventFilter(this);
}

void PrintSettingsWindow::Open(const PrinterCatalog& printers) {
  editor_->WriteHints();

  const QStringList printerNames = printers.listPrinters ? printers.listPrinters() : QStringList();
  const QStringList paperNames =
      printers.listPaperForms ? printers.listPaperForms() : QStringList();
  session_.printSettings.defaultPrinter =
      printers.defaultPrinter ? printers.defaultPrinter() : QString();
  {
    const QSignalBlocker quiet(form_.paperList);
    for (qsizetype i = 0; i < printerNames.size(); ++i)
      form_.printerList->addItem(printerNames[i], static_cast<int>(i));
    for (qsizetype i = 0; i < paperNames.size(); ++i) {
      auto* item = new QListWidgetItem(paperNames[i], form_.paperList);
      item->setData(Qt::UserRole, static_cast<int>(i));
    }
  }

  session_.printSettings.confirmed = false;
  ResetSmallFonts();
  if (session_.settingsApplied)
    LoadControlsFromSettings();
  else if (session_.startSettings != PrintSettings::builtInDefaults())
    ShowStartSettings(session_.startSettings);
  ShowStartCopiesAndFormat();
  SelectPrinter(session_.printSettings.printerName);
  SelectA4Paper();
  form_.toPictureFiles->setChecked(session_.printSettings.toPictureFiles);
}

void PrintSettingsWindow::ResetSmallFonts() {
  PrintSettings& s = session_.printSettings;
  ResetFontBelowSize4(s.bodyFont, QStringLiteral("宋体"), 9);
  ResetFontBelowSize4(s.headerFont, QStringLiteral("楷体"), 12);
  ResetFontBelowSize4(s.footerFont, QStringLiteral("楷体"), 8);
}

// Copies and the picture format are not restored: they show their defaults every time.
void PrintSettingsWindow::LoadControlsFromSettings() {
  form_.customPaper->setChecked(true);
  LoadControls(session_.printSettings);
  session_.workingLayout =
      CardLayout{session_.printSettings.photoArea, session_.printSettings.textArea};
}

// The start settings in the controls, the custom-paper box unchecked as at a first opening.
void PrintSettingsWindow::ShowStartSettings(const PrintSettings& start) {
  LoadControls(start);
  form_.customPaper->setChecked(false);
  session_.workingLayout = CardLayout{start.photoArea, start.textArea};
}

void PrintSettingsWindow::ShowStartCopiesAndFormat() {
  form_.copies->setText(QString::number(session_.startSettings.copies));
  form_.pictureFormat->setCurrentIndex(int(session_.startSettings.pictureFormat) - 1);
}

void PrintSettingsWindow::LoadControls(const PrintSettings& s) {
  form_.paperWidth->setText(ShownMillimetres(s.paperWidth));
  form_.paperHeight->setText(ShownMillimetres(s.paperHeight));
  form_.rows->setText(QString::number(s.rows));
  form_.columns->setText(QString::number(s.columns));
  MoveSliderToBox(form_.rows);
  MoveSliderToBox(form_.columns);
  form_.rowSpacing->setText(QString::number(s.rowSpacing));
  form_.columnSpacing->setText(QString::number(s.columnSpacing));
  form_.marginTop->setText(ShownMillimetres(s.marginTop));
  form_.marginBottom->setText(ShownMillimetres(s.marginBottom));
  form_.marginLeft->setText(ShownMillimetres(s.marginLeft));
  form_.marginRight->setText(ShownMillimetres(s.marginRight));
  form_.headerFromTop->setText(ShownMillimetres(s.headerFromTop));
  form_.footerFromBottom->setText(ShownMillimetres(s.footerFromBottom));
  form_.headerAlign->setCurrentIndex(int(s.headerAlign));
  form_.footerAlign->setCurrentIndex(int(s.footerAlign));
  form_.optimisation->setCurrentIndex(s.optimiseLevel);
  form_.photoFit->setCurrentIndex(s.photoFit);
  form_.captionAlign->setCurrentIndex(int(s.captionAlign));
  form_.captionLines->setCurrentIndex(s.captionLines);
  form_.landscape->setChecked(s.landscape);
  form_.portrait->setChecked(!s.landscape);
}

void PrintSettingsWindow::SelectPrinter(const QString& wanted) {
  const QStringList items = ComboItems(form_.printerList);
  int index = wanted.isEmpty() ? -1 : FirstItemStartingWith(items, wanted);
  if (index < 0) index = FirstItemStartingWith(items, session_.printSettings.defaultPrinter);
  form_.printerList->setCurrentIndex(index);
}

// Selecting the form here leaves the width and height boxes as they are.
void PrintSettingsWindow::SelectA4Paper() {
  const QSignalBlocker quiet(form_.paperList);
  const int a4 = FirstItemStartingWith(ListItems(form_.paperList), QStringLiteral("A4"));
  form_.paperList->setCurrentRow(a4 >= 0 ? a4 : (form_.paperList->count() > 0 ? 0 : -1));
}

void PrintSettingsWindow::StoreSettings() {
  WarnIfPaperMissing();
  session_.printSettings = SettingsFromControls();
}

void PrintSettingsWindow::WarnIfPaperMissing() {
  if (form_.paperWidth->text().isEmpty() || form_.paperHeight->text().isEmpty())
    dialogs_.messageBox(kResetPaper, QString(), MessageButtons::Ok);
}

PrintSettings PrintSettingsWindow::SettingsFromControls() const {
  PrintSettings s = session_.printSettings;
  s.photoArea = session_.workingLayout.photoArea;
  s.textArea = session_.workingLayout.textArea;
  s.printerName =
      form_.printerList->currentIndex() >= 0 ? form_.printerList->currentText() : QString();
  s.paperHeight = StoredTenthsOfText(form_.paperHeight->text());
  s.paperWidth = StoredTenthsOfText(form_.paperWidth->text());
  s.marginTop = StoredTenthsOfText(form_.marginTop->text());
  s.marginBottom = StoredTenthsOfText(form_.marginBottom->text());
  s.marginLeft = StoredTenthsOfText(form_.marginLeft->text());
  s.marginRight = StoredTenthsOfText(form_.marginRight->text());
  s.headerFromTop = StoredTenthsOfText(form_.headerFromTop->text());
  s.footerFromBottom = StoredTenthsOfText(form_.footerFromBottom->text());
  s.headerAlign = HeaderAlign(form_.headerAlign->currentIndex());
  s.footerAlign = HeaderAlign(form_.footerAlign->currentIndex());
  s.landscape = !form_.portrait->isChecked();
  s.photoFit = form_.photoFit->currentIndex();
  s.copies = IntegerOfText(form_.copies->text());
  s.rows = IntegerOfText(form_.rows->text());
  s.columns = IntegerOfText(form_.columns->text());
  s.rowSpacing = IntegerOfText(form_.rowSpacing->text());
  s.columnSpacing = IntegerOfText(form_.columnSpacing->text());
  s.confirmed = true;
  s.toPictureFiles = form_.toPictureFiles->isChecked();
  s.optimiseLevel = form_.optimisation->currentIndex();
  s.pictureFormat = PageFileFormat(form_.pictureFormat->currentIndex() + 1);
  s.captionAlign = CaptionAlign(form_.captionAlign->currentIndex());
  s.captionLines = form_.captionLines->currentIndex();
  return s;
}

std::optional<PrintSettings> PrintSettingsWindow::SettingsToKeep(QString& refusal) {
  if (session_.previewBusy || RefuseCountsBelowOne() || RefuseMarginsOutOfRange() ||
      RefuseEmptyPaper())
    return std::nullopt;
  PrintSettings kept = SettingsFromControls();
  kept.defaultPrinter.clear();
  kept.confirmed = false;
  // What a later reading could not read back is not saved at all.
  const QStringList outOfRange = ParseStartSettings(StartSettingsValues({kept, {}})).badKeys;
  if (outOfRange.isEmpty()) return kept;
  refusal = kOutOfRange.arg(outOfRange.join(u'、'));
  return std::nullopt;
}

void PrintSettingsWindow::SaveAsStartSettings() {
  QString error;
  const std::optional<PrintSettings> kept = SettingsToKeep(error);
  if (!kept && error.isEmpty()) return;
  if (kept) {
    StartSettings start{*kept, {}};
    if (hooks_.mainWindowChoices) start.mainWindow = hooks_.mainWindowChoices();
    if (WriteSettingsFile(session_.startSettingsFile, start, error)) {
      session_.startSettings = start.print;
      dialogs_.messageBox(kSaved, kSaveTitle, MessageButtons::Ok, MessageIcon::Information);
      return;
    }
  }
  dialogs_.messageBox(kNotSaved.arg(error), kSaveTitle, MessageButtons::Ok, MessageIcon::Warning);
}

void PrintSettingsWindow::ShowSettingSet(const PrintSettings& set) {
  PrintSettings& s = session_.printSettings;
  s.bodyFont = set.bodyFont;
  s.headerFont = set.headerFont;
  s.footerFont = set.footerFont;
  ResetSmallFonts();
  ShowStartSettings(set);
  setBringsLayout_ = set.photoArea != CardRect{} || set.textArea != CardRect{};
  form_.copies->setText(QString::number(set.copies));
  form_.pictureFormat->setCurrentIndex(int(set.pictureFormat) - 1);
  SelectPrinter(set.printerName);
  form_.toPictureFiles->setChecked(set.toPictureFiles);
}

void PrintSettingsWindow::RestoreFactorySettings() {
  if (session_.previewBusy) return;
  if (dialogs_.messageBox(kFactoryQuestion, kFactoryTitle, MessageButtons::YesNo,
                          MessageIcon::Question) != AnswerYes)
    return;
  const std::optional<SettingsReading> saved = ReadSettingsFile(session_.startSettingsFile);
  QString error;
  if (!RemoveSettingsFile(session_.startSettingsFile, error)) {
    dialogs_.messageBox(kNotRemoved.arg(error), kFactoryTitle, MessageButtons::Ok,
                        MessageIcon::Warning);
    return;
  }
  const PrintSettings factory = PrintSettings::builtInDefaults();
  session_.startSettings = factory;
  PrintSettings& s = session_.printSettings;
  s.bodyFont = factory.bodyFont;
  s.headerFont = factory.headerFont;
  s.footerFont = factory.footerFont;
  ShowStartSettings(factory);
  ShowStartCopiesAndFormat();
  SelectPrinter(factory.printerName);
  form_.toPictureFiles->setChecked(factory.toPictureFiles);
  if (saved && !saved->unreadable && hooks_.mainWindowChoices && hooks_.showMainWindowChoices)
    hooks_.showMainWindowChoices(
        WithoutSavedChoices(hooks_.mainWindowChoices(), saved->settings.mainWindow));
}

void PrintSettingsWindow::RefreshCellPreview() {
  if (setBringsLayout_.value_or(session_.keepsUserLayout()))
    editor_->ShowCellPreview();
  else
    editor_->ShowDefaultCellPreview();
}

void PrintSettingsWindow::ShowCellPreview() {
  editor_->ShowCellPreview();
}

void PrintSettingsWindow::ShowDefaultCellPreview() {
  editor_->ShowDefaultCellPreview();
}

void PrintSettingsWindow::CaptureLayout() {
  editor_->CaptureLayout();
}

PageSetup PrintSettingsWindow::pagePreviewInputs() const {
  // trunc(number ÷ 10) equals trunc(trunc(number) ÷ 10), so whole numbers suffice.
  const auto whole = [](const QLineEdit* box) { return IntegerOfText(box->text()); };
  PageSetup in;
  in.paperWidth = whole(form_.paperWidth);
  in.paperHeight = whole(form_.paperHeight);
  in.rows = whole(form_.rows);
  in.columns = whole(form_.columns);
  in.rowSpacing = whole(form_.rowSpacing) / 10;
  in.columnSpacing = whole(form_.columnSpacing) / 10;
  in.marginTop = whole(form_.marginTop);
  in.marginBottom = whole(form_.marginBottom);
  in.marginLeft = whole(form_.marginLeft);
  in.marginRight = whole(form_.marginRight);
  in.headerFromTop = whole(form_.headerFromTop);
  in.footerFromBottom = whole(form_.footerFromBottom);
  in.photoFit = form_.photoFit->currentIndex();
  in.landscape = form_.landscape->isChecked();
  return in;
}

DrawPanel* PrintSettingsWindow::pagePreviewPanel() const {
  return form_.pagePreview;
}

void PrintSettingsWindow::Confirm() {
  RefreshCellPreview();
  if (session_.previewBusy) return;
  if (RefuseCountsBelowOne() || RefuseMarginsOutOfRange()) return;
  session_.settingsApplied = true;
  StoreSettings();
  if (hooks_.closeProgressWindow) {
    hooks_.closeProgressWindow();
    QCoreApplication::processEvents();
  }
  done(QDialog::Accepted);
}

// A page needs at least one row and one column, and a job at least one copy: the
// page loops divide by these.
bool PrintSettingsWindow::RefuseCountsBelowOne() {
  return RefuseFirstUnfit(
      {{form_.rows, QStringLiteral("每页行数")},
       {form_.columns, QStringLiteral("每页列数")},
       {form_.copies, QStringLiteral("打印份数")}},
      [](const QString& text) { return IntegerOfText(text) >= 1; },
      [](const QString& field) { return kCountBelowOne.arg(field); });
}

// The range the settings file and the command line take too.
bool PrintSettingsWindow::RefuseMarginsOutOfRange() {
  return RefuseFirstUnfit(
      {{form_.marginTop, QStringLiteral("上边距")},
       {form_.marginBottom, QStringLiteral("下边距")},
       {form_.marginLeft, QStringLiteral("左边距")},
       {form_.marginRight, QStringLiteral("右边距")},
       {form_.headerFromTop, QStringLiteral("页眉距顶端")},
       {form_.footerFromBottom, QStringLiteral("页脚距底端")}},
      [](const QString& text) { return MarginInRange(StoredTenthsOfText(text)); },
      [](const QString& field) {
        return kMarginOutOfRange.arg(field, ShownMillimetres(kMarginLowest),
                                     ShownMillimetres(kMarginHighest));
      });
}

bool PrintSettingsWindow::RefuseFirstUnfit(std::initializer_list<NamedBox> boxes,
                                           const std::function<bool(const QString&)>& fits,
                                           const std::function<QString(const QString&)>& warning) {
  for (const NamedBox& named : boxes) {
    if (fits(named.box->text())) continue;
    dialogs_.messageBox(warning(named.field), kCountBelowOneTitle, MessageButtons::Ok,
                        MessageIcon::Warning);
    named.box->setFocus();
    return true;
  }
  return false;
}

// Start settings without a paper size would give every later run a page of nothing.
bool PrintSettingsWindow::RefuseEmptyPaper() {
  if (StoredTenthsOfText(form_.paperWidth->text()) >= 1 &&
      StoredTenthsOfText(form_.paperHeight->text()) >= 1)
    return false;
  dialogs_.messageBox(kResetPaper, QString(), MessageButtons::Ok);
  return true;
}

void PrintSettingsWindow::Cancel() {
  if (session_.previewBusy) return;
  if (hooks_.closeProgressWindow) {
    hooks_.closeProgressWindow();
    QCoreApplication::processEvents();
  }
  session_.settingsApplied = false;
  done(QDialog::Rejected);
}

void PrintSettingsWindow::closeEvent(QCloseEvent* event) {
  session_.printSettings.confirmed = false;
  if (session_.previewBusy) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

// Escape is the close box; it neither confirms nor forgets the applied settings.
void PrintSettingsWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QDialog::keyPressEvent(event);
}

void PrintSettingsWindow::ChoosePaper(int row) {
  if (row < 0 || !printers_.paperForm) return;
  PaperForm paper;
  // A form the printer cannot measure leaves the boxes as they are.
  if (!printers_.paperForm(form_.paperList->item(row)->text(), paper)) return;
  form_.paperHeight->setText(ShownMillimetres(paper.height));
  form_.paperWidth->setText(ShownMillimetres(paper.width));
  form_.customPaper->setChecked(false);
}

void PrintSettingsWindow::ChooseFont(FontDescription& font) {
  FontDescription chosen = font;
  if (!dialogs_.chooseFont(chosen)) return;
  chosen.angle = font.angle;
  font = chosen;
}

void PrintSettingsWindow::LeaveIntegerBox(QLineEdit* box) {
  box->setText(NormalisedIntegerText(box->text()));
  if (box == form_.marginLeft) {
    dialogs_.messageBox(kLeftMarginHint, kLeftMarginTitle, MessageButtons::Ok,
                        MessageIcon::Warning);
  } else if (box == form_.marginTop) {
    dialogs_.messageBox(kTopMarginHint, kTopMarginTitle, MessageButtons::Ok, MessageIcon::Warning);
  } else if (box == form_.rows || box == form_.columns) {
    MoveSliderToBox(box);
  }
}

// The box's count moves its slider; that move does not write back into the box.
void PrintSettingsWindow::MoveSliderToBox(QLineEdit* box) {
  QSlider* slider = box == form_.rows ? form_.rowSlider : form_.columnSlider;
  const QSignalBlocker quiet(slider);
  slider->setValue(SliderPositionFromText(box->text()));
}

bool PrintSettingsWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && LeavesTheBox(static_cast<QFocusEvent*>(event)))
    if (auto* box = qobject_cast<QLineEdit*>(watched); box && form_.integerBoxes().contains(box))
      LeaveIntegerBox(box);
  return QDialog::eventFilter(watched, event);
}
