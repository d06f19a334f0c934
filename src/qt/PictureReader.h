#pragma once

#include "core/workspace/FilePicture.h"

#include <string>

namespace tavrin {

// Reads an image file as a picture for PictureToIndices (core/workspace/FilePicture.h): a bitmap
// (a file starting "BM") through the DIB container, which keeps 16-, 24- and 32-bit colours
// and the indices of the others; any other file through Qt's image readers, where indexed
// and grey images keep their indices and every other image its colours. Qt's warnings
// (libpng's lines among them) are not printed. False with the reason in error: plain words
// for a file Qt cannot read, the DIB container's own text for a malformed bitmap.
bool ReadFilePicture(const std::string& path, FilePicture& out, std::string& error);

} // namespace tavrin
