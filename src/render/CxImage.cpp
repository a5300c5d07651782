#include "render/CxImage.h"

// Placeholder until the libvips implementation lands: holds nothing, every
// operation fails.
struct CxImage::Impl {};

CxImage::CxImage() : impl_(std::make_unique<Impl>()) {}
CxImage::~CxImage() = default;
bool CxImage::Load(const QString&, int) { return false; }
bool CxImage::Decode(const QByteArray&, int) { return false; }
bool CxImage::LoadShrunk(const QString&, int, int, int) { return false; }
bool CxImage::IsValid() const { return false; }
int CxImage::Width() const { return 0; }
int CxImage::Height() const { return 0; }
bool CxImage::Resample(int, int, int) { return false; }
bool CxImage::RotateQuarter() { return false; }
void CxImage::SetXDpi(int) {}
void CxImage::SetYDpi(int) {}
QByteArray CxImage::Encode(int) { return {}; }
bool CxImage::Save(const QString&, int) { return false; }
QString CxImage::lastError() const { return {}; }
