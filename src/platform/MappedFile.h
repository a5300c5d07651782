#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A whole picture file's bytes: opened through OpenForReading (any file name, regular
// files only), then mapped into memory where the system allows it, so a large photo
// costs no copy, else read. Empty when the file cannot be opened or is empty. The
// bytes live as long as the object.
class MappedFile {
public:
  explicit MappedFile(const QString& fileName);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  const QByteArray& data() const { return data_; }

private:
  QFile file_;
  uchar* mapped_ = nullptr;
  QByteArray data_;
};
