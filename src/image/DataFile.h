// The *.dat file: exactly the 8192 bytes of the memory image, offset 0 first, nothing else.
#pragma once

#include "base/FileIo.h"
#include "base/Texts.h"
#include "image/MemoryImage.h"

#include <string>

namespace velmora {

// Loads the first 8192 bytes of a file. A shorter file is refused and image is left as it was.
FileResult LoadDataFile(const std::string& path, MemoryImage& image);

// Saves the image; the file that was there stays whole if the save fails.
FileResult SaveDataFile(const std::string& path, const MemoryImage& image);

// "Cannot open PATH: the file is shorter than 8192 bytes" and the like.
std::string DescribeLoadFailure(const std::string& path, const FileResult& result, Language lang);
std::string DescribeSaveFailure(const std::string& path, const FileResult& result, Language lang);

} // namespace velmora
