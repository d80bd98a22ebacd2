// PNG files of window pixels, written without compression (stored deflate blocks), so that no
// library beyond the standard one is needed to save a picture.
#pragma once

#include <string>
#include <vector>

// Writes width x height pixels of RGB, the top row first, to path: whether it could.
bool writePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb);
