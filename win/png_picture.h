#pragma once
// A drawing saved as a PNG file by the system's own image encoder (GDI+), so that the
// program carries no image library.

#include <windows.h>

#include <string>

namespace mensora {

// Writes `bitmap` (not selected into any device context) to `path` as PNG. False when the
// encoder is missing or the file cannot be written.
bool savePngPicture(HBITMAP bitmap, const std::wstring& path);

}  // namespace mensora
