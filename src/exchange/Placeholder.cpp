// Table-text parsing and writing, import and export land here.
