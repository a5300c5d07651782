#include "collect/PictureCollection.h"

#include <QAbstractButton>
#include <QEvent>
#include <QMouseEvent>
#include <QTableView>
#include <QTreeWidget>
#include <utility>

#include "collect/PictureTableView.h"
#include "platform/Desktop.h"

PictureCollection::PictureCollection(const CollectionWidgets& widgets, CollectState& state,
                                     Desktop& desktop, StatusSink status)
    : QObject(&widgets.owner),
      search_(state, table_, desktop, std::move(status)),
      tree_(widgets.folderTree, state),
      viewer_(&widgets.owner),
      listViewport_(widgets.pictureList.viewport()) {
  AttachPictureTable(widgets.pictureList, table_);
  tree_.Fill(desktop.volumes());

  QObject::connect(&widgets.folderTree, &QTreeWidget::currentItemChanged, this,
                   [this](QTreeWidgetItem* current) { tree_.OnTreeSelect(current); });
  QAbstractButton* includeSubfolders = &widgets.includeSubfolders;
  QAbstractButton* morePictureFormats = &widgets.morePictureFormats;
  QAbstractButton* photoInfo = widgets.photoInfo;
  QObject::connect(&widgets.search, &QAbstractButton::clicked, this,
                   [this, includeSubfolders, morePictureFormats, photoInfo] {
                     search_.SearchPictures(includeSubfolders->isChecked(),
                                            morePictureFormats->isChecked(),
                                            photoInfo && photoInfo->isChecked());
                   });
  QObject::connect(&widgets.stop, &QAbstractButton::clicked, this, [this] { search_.Stop(); });
  // On the viewport rather than doubleClicked(): a double-click below the last row
  // still answers, with an empty picture window as when no row is selected.
  listViewport_->installEventFilter(this);
}

bool PictureCollection::eventFilter(QObject* watched, QEvent* event) {
  if (watched == listViewport_ && event->type() == QEvent::MouseButtonDblClick &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
    ShowPicture(table_, viewer_);
  return QObject::eventFilter(watched, event);
}
