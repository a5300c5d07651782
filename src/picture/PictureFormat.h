#pragma once

// The kinds a page file is written in, numbered as settings files have always numbered them.
enum class PictureFormat : int { Unknown = 0, Bmp = 1, Gif = 2, Jpeg = 3, Png = 4, Tiff = 6 };
