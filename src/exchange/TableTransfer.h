#pragma once

class PictureTableModel;
class ScratchGrid;

// Moving a table between the scratch grid and the picture table, titles included.

// Replaces the picture table by the grid: row 0 gives the column titles, every further
// row one picture row. The first column keeps the width and alignment of the table's
// former first column when there was one; the other columns are 50 pixels wide,
// left-aligned and shown at least as wide as their titles. Done in one reset, so large tables stay
// linear.
void GridToList(const ScratchGrid& grid, PictureTableModel& list);

// Replaces the grid by the picture table: the column titles in row 0, then the rows in
// table order; max(columns, 1) columns. Empty cells at the end of a row are left
// absent (they read as empty).
void ListToGrid(const PictureTableModel& list, ScratchGrid& grid);
