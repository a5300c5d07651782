#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "model/ColumnMap.h"

class Dialogs;

// Finding the picture, category and caption columns of the picture table by their
// titles, and reading the user's answers about them.
namespace columns {

inline const QString kPictureTitle = QStringLiteral("图片名全称");
inline const QString kCaptionTitle = QStringLiteral("图片说明");
inline const QString kCategoryTitle = QStringLiteral("图片类别");

// Sets the 0-based picture column, first caption column (as text) and category column
// from the titles, the last column with a title winning; a title that is missing leaves
// its field as it was. captionColumns gets at least one entry. Returns the listing of
// every column: "1_序号 2_图片名全称 " (number, underscore, title, one blank).
QString DetectColumns(const QStringList& titles, ColumnMap& map);

// The 0-based guesses become the 1-based proposal put to the user; an empty first
// caption column counts as 0, so a table without a caption column proposes column 1.
void ProposeOneBased(ColumnMap& map);

// Adds delta to the picture and category columns (between 1-based and 0-based),
// saturating at the 32-bit limits.
void ShiftColumns(ColumnMap& map, int delta);

// The prompt of the caption-columns input box under the column listing.
QString CaptionColumnsPrompt(const QString& listing);
inline const QString kCaptionColumnsCaption =
    QStringLiteral("手工输入列号，以逗号分隔，为0不打印。");

// The picture-column input box (integer input, proposal pre-filled): the number the user
// confirms replaces map.pictureColumn; cancel keeps the proposal.
void AskPictureColumn(Dialogs& dialogs, ColumnMap& map, const QString& caption);

// The caption-columns input box under the column listing: a confirmed answer is read
// into map.captionColumns (ParseCaptionColumns); cancel keeps the proposal. Returns the
// answer as typed, or the proposal when cancelled.
QString AskCaptionColumns(Dialogs& dialogs, ColumnMap& map, const QString& listing,
                          int columnCount);

// The user's caption-columns answer: full-width commas read as commas, an empty answer
// as "0", split at commas (empty parts between commas kept, an empty last part
// dropped), and column numbers beyond the table become "0".
QStringList ParseCaptionColumns(const QString& answer, int columnCount);

// The caption of one table row: the cells of the caption columns joined with CR LF;
// "0" entries contribute nothing, so a leading "0" leaves the first line empty.
// cellOfRow gives the row's text in a 0-based column (empty outside the table).
QString CaptionOfRow(const std::function<QString(int column)>& cellOfRow,
                     const QStringList& captionColumns);

}  // namespace columns
