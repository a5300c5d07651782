// The picture table, folder tree and picture search land here.
