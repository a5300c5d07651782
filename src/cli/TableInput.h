#pragma once

#include <QString>
#include <functional>

class PictureTableModel;
class QIODevice;

// Fills the picture table from the input of `quillmere print`: a folder is searched as
// the 搜索 button searches it; "-" (standard input) and any other path are read as the
// capture-list import reads a list file. Returns why it could not, or an empty text.
// searchStatus receives the search's status texts. photoInfo adds the search's photo
// columns; it is refused for any input other than a folder.
QString LoadTableInput(const QString& input, bool includeSubfolders, bool photoInfo,
                       PictureTableModel& table, QIODevice& standardInput,
                       const std::function<void(const QString&)>& searchStatus);
