#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;

// The modeless window shown while a print job runs: job name, destination ("printer
// 上的 port"), copies printed, current page, and the "中止打印" button that asks the
// job to stop.
class PrintStatusDialog : public QDialog {
  Q_OBJECT
public:
  PrintStatusDialog(const QString& jobName, const QString& printerName, const QString& port,
                    QWidget* parent = nullptr);

  void setCopiesPrinted(int copies);
  // Asks `copiesPrinted` now and every second after for the copies the spooler has
  // printed, and shows its answer.
  void followCopiesPrinted(std::function<int()> copiesPrinted);
  void setCurrentPage(int page);
  bool abortRequested() const { return abortRequested_; }

  static QString destinationText(const QString& printerName, const QString& port);

Q_SIGNALS:
  void abortClicked();

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  QLabel* copies_;
  QLabel* page_;
  QPushButton* abort_;
  bool abortRequested_ = false;
};
