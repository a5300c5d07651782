#include "settings/SettingSetControls.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "platform/Dialogs.h"

namespace {

const QString kSaveTitle = QStringLiteral("保存方案");
const QString kNamePrompt = QStringLiteral("方案名称：");
const QString kReplace = QStringLiteral("方案“%1”已经存在，要用当前设置替换它吗？");
const QString kNotSaved = QStringLiteral("方案没有保存：%1");
const QString kDeleteTitle = QStringLiteral("删除方案");
const QString kChooseFirst = QStringLiteral("请先在方案列表中选择要删除的方案。");
const QString kDelete = QStringLiteral("要删除方案“%1”吗？");
const QString kNotDeleted = QStringLiteral("方案“%1”无法删除：%2");
const QString kGone = QStringLiteral("方案“%1”已经不在了。");
const QString kChooseTitle = QStringLiteral("选择方案");

// Below the window's controls, across its left part.
constexpr int kRowTop = 428;

}  // namespace

QString SettingSetIncompleteText(const QString& name) {
  return QStringLiteral("方案“%1”未能全部读取，读不出的设置已改用出厂设置。").arg(name);
}

SettingSetControls::SettingSetControls(QDialog& window, const QString& startSettingsFile,
                                       Dialogs& dialogs, SettingSetHost host)
    : QObject(&window),
      sets_(startSettingsFile),
      dialogs_(dialogs),
      host_(std::move(host)),
      list_(new QComboBox(&window)),
      save_(new QPushButton(QStringLiteral("保存方案…"), &window)),
      delete_(new QPushButton(QStringLiteral("删除方案"), &window)) {
  auto* label = new QLabel(QStringLiteral("方案："), &window);
  label->setObjectName(QStringLiteral("标签_方案"));
  label->setGeometry(12, kRowTop + 2, 40, 20);
  list_->setObjectName(QStringLiteral("组合框_方案"));
  list_->setGeometry(52, kRowTop, 200, 24);
  list_->setPlaceholderText(QStringLiteral("（选择保存的方案）"));
  save_->setObjectName(QStringLiteral("按钮_保存方案"));
  save_->setGeometry(260, kRowTop, 84, 24);
  delete_->setObjectName(QStringLiteral("按钮_删除方案"));
  delete_->setGeometry(350, kRowTop, 84, 24);
  for (QPushButton* button : {save_, delete_}) button->setAutoDefault(false);
  // Without a place for the start settings there is none for the sets either.
  for (QWidget* control :
       {static_cast<QWidget*>(list_), static_cast<QWidget*>(save_), static_cast<QWidget*>(delete_)})
    control->setEnabled(!startSettingsFile.isEmpty());
  if (!startSettingsFile.isEmpty()) FillList(QString());

  connect(save_, &QPushButton::clicked, this, &SettingSetControls::SaveSet);
  connect(delete_, &QPushButton::clicked, this, &SettingSetControls::DeleteSet);
  // The user's choices only: filling the list chooses nothing.
  connect(list_, &QComboBox::activated, this,
          [this](int index) { ChooseSet(list_->itemText(index)); });
}

void SettingSetControls::FillList(const QString& current) {
  list_->clear();
  list_->addItems(sets_.Names());
  list_->setCurrentIndex(current.isEmpty() ? -1 : list_->findText(current));
}

QString SettingSetControls::ChosenName() const {
  return list_->currentIndex() >= 0 ? list_->currentText() : QString();
}

void SettingSetControls::SaveSet() {
  QString name = ChosenName();
  if (!dialogs_.inputText(kNamePrompt, name, kSaveTitle)) return;
  name = name.trimmed();
  if (const QString refusal = SettingSets::RefuseName(name); !refusal.isEmpty()) {
    dialogs_.messageBox(kNotSaved.arg(refusal), kSaveTitle, MessageButtons::Ok,
                        MessageIcon::Warning);
    return;
  }
  if (const std::optional<QString> existing = sets_.Find(name);
      existing && dialogs_.messageBox(kReplace.arg(*existing), kSaveTitle, MessageButtons::YesNo,
                                      MessageIcon::Question) != AnswerYes)
    return;
  QString error;
  const std::optional<PrintSettings> print = host_.settingsToKeep(error);
  if (!print && error.isEmpty()) return;
  // A set holds the settings window's values; the main window's choices stay the user's.
  if (!print || !sets_.Write(name, StartSettings{*print, MainWindowChoices{}}, error)) {
    dialogs_.messageBox(kNotSaved.arg(error), kSaveTitle, MessageButtons::Ok, MessageIcon::Warning);
    return;
  }
  FillList(name);
}

void SettingSetControls::DeleteSet() {
  const QString name = ChosenName();
  if (name.isEmpty()) {
    dialogs_.messageBox(kChooseFirst, kDeleteTitle, MessageButtons::Ok, MessageIcon::Information);
    return;
  }
  if (dialogs_.messageBox(kDelete.arg(name), kDeleteTitle, MessageButtons::YesNo,
                          MessageIcon::Question) != AnswerYes)
    return;
  QString error;
  if (!sets_.Remove(name, error))
    dialogs_.messageBox(kNotDeleted.arg(name, error), kDeleteTitle, MessageButtons::Ok,
                        MessageIcon::Warning);
  FillList(QString());
}

void SettingSetControls::ChooseSet(const QString& name) {
  const std::optional<SettingsReading> reading = sets_.Read(name, host_.installedPrinters);
  if (!reading) {
    dialogs_.messageBox(kGone.arg(name), kChooseTitle, MessageButtons::Ok, MessageIcon::Warning);
    FillList(QString());
    return;
  }
  host_.show(reading->settings.print);
  if (reading->incomplete() && host_.setStatusText)
    host_.setStatusText(SettingSetIncompleteText(name));
}
