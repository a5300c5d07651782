// The settings window and the cell layout editor land here.
