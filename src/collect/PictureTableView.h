#pragma once

class PictureTableModel;
class QTableView;

// Shows the picture table in the list view as a report: whole rows selected, nothing
// editable, columns resizable by the user and opened at the widths the table gives
// (imported ones at least as wide as their titles). The widths the user drags go back
// into the table.
void AttachPictureTable(QTableView& view, PictureTableModel& model);
