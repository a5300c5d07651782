#include "platform/MappedFile.h"

#include "platform/Paths.h"

MappedFile::MappedFile(const QString& fileName) {
  if (!OpenForReading(file_, fileName) || file_.size() <= 0) return;
  mapped_ = file_.map(0, file_.size());
  data_ = mapped_ ? QByteArray::fromRawData(reinterpret_cast<const char*>(mapped_), file_.size())
                  : file_.readAll();
}

MappedFile::~MappedFile() {
  data_.clear();
  if (mapped_) file_.unmap(mapped_);
}
