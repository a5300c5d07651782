#pragma once

#include <QList>
#include <QMainWindow>
#include <QRect>

#include "app/FormPlacement.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;
class QTableWidget;
class QTreeWidget;

// The main window as its form describes it: the folder and clipboard tab pages, the
// picture list, the print group and the exit button. It holds no logic of its own
// beyond the macro help of the header and footer boxes and the exit request; the
// subsystems wire the components (see Wiring.cpp), found by the accessors below or
// by their object names.
class MainWindow : public QMainWindow {
  Q_OBJECT
public:
  explicit MainWindow(QWidget* parent = nullptr);

  // The first section of the status bar, the one line every progress and help text goes to.
  void setStatusText(const QString& text);
  QString statusText() const;

  QTabWidget* tabs() const { return tabs_; }
  QWidget* folderPage() const { return folderPage_; }
  QWidget* clipboardPage() const { return clipboardPage_; }
  QTreeWidget* folderTree() const { return folderTree_; }
  QPushButton* searchButton() const { return searchButton_; }
  QPushButton* stopSearchButton() const { return stopSearchButton_; }
  QCheckBox* includeSubfoldersBox() const { return includeSubfolders_; }
  QCheckBox* morePictureFormatsBox() const { return morePictureFormats_; }
  QCheckBox* photoInfoBox() const { return photoInfo_; }
  QLabel* clipboardHelpLabel() const { return clipboardHelp_; }
  QPushButton* importClipboardButton() const { return importClipboard_; }
  QPushButton* exportClipboardButton() const { return exportClipboard_; }
  QPushButton* importCaptureListButton() const { return importCaptureList_; }
  QTableView* pictureList() const { return pictureList_; }
  QTableWidget* scratchGrid() const { return scratchGrid_; }
  QGroupBox* printGroup() const { return printGroup_; }
  QLineEdit* headerEdit() const { return headerEdit_; }
  QLineEdit* footerEdit() const { return footerEdit_; }
  QCheckBox* byFolderBox() const { return byFolder_; }
  QPushButton* previewButton() const { return previewButton_; }
  QPushButton* preparePrintButton() const { return preparePrintButton_; }
  QPushButton* exitButton() const { return exitButton_; }

  // The help line the status bar shows while the header / footer box has the focus.
  static QString headerHelpText();
  static QString footerHelpText();
  // The clipboard page's help text, line by line; empty strings are its blank lines.
  static QStringList clipboardHelpLines();

Q_SIGNALS:
  // The user closed the window or pressed 退出程序: the program is to end at once.
  void exitRequested();

protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  struct Placement {
    QWidget* widget;
    QRect design;
    Anchor anchor;
  };

  void buildFolderPage();
  void buildClipboardPage();
  void buildPrintGroup();
  QPushButton* makeSuperButton(QWidget* parent, const QString& name, const QString& text,
                               const QString& toolTip = QString());
  void place(QWidget* widget, const QRect& design, Anchor anchor);
  void arrange();
  void arrangePage(QWidget* page);

  QWidget* central_;
  QTabWidget* tabs_;
  QWidget* folderPage_;
  QWidget* clipboardPage_;
  QTreeWidget* folderTree_ = nullptr;
  QPushButton* searchButton_ = nullptr;
  QPushButton* stopSearchButton_ = nullptr;
  QCheckBox* includeSubfolders_ = nullptr;
  QCheckBox* morePictureFormats_ = nullptr;
  QCheckBox* photoInfo_ = nullptr;
  QLabel* clipboardHelp_ = nullptr;
  QPushButton* importClipboard_ = nullptr;
  QPushButton* exportClipboard_ = nullptr;
  QPushButton* importCaptureList_ = nullptr;
  QTableView* pictureList_;
  QTableWidget* scratchGrid_;
  QGroupBox* printGroup_;
  QLineEdit* headerEdit_ = nullptr;
  QLineEdit* footerEdit_ = nullptr;
  QCheckBox* byFolder_ = nullptr;
  QPushButton* previewButton_ = nullptr;
  QPushButton* preparePrintButton_ = nullptr;
  QPushButton* exitButton_;
  QLabel* statusLabel_;
  QList<Placement> windowPlacements_;
  QList<Placement> folderPagePlacements_;
  QList<Placement> clipboardPagePlacements_;
};
