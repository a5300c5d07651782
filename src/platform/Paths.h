#pragma once

#include <QString>

// The path with doubled separators collapsed and exactly one native separator at the
// end; an empty path stays empty (it means "unknown", not the root).
QString withTrailingSeparator(const QString& path);
