#pragma once

class PictureTableModel;
class QTableView;

// Shows the picture table in the list view as a report: whole rows selected, nothing
// editable, columns resizable by the user and opened at the widths the table gives.
void AttachPictureTable(QTableView& view, PictureTableModel& model);
