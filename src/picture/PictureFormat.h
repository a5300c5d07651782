#pragma once

// The image object's picture formats, numbered as its callers have always numbered them.
enum class PictureFormat : int { Unknown = 0, Bmp = 1, Gif = 2, Jpeg = 3, Png = 4, Tiff = 6 };
