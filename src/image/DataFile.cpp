#include "image/DataFile.h"

#include <algorithm>
#include <vector>

namespace velmora {

FileResult LoadDataFile(const std::string& path, MemoryImage& image) {
    std::vector<std::uint8_t> bytes;
    FileResult result = ReadFileHead(path, kImageSize, bytes);
    if (!result) {
        return result;
    }
    if (bytes.size() < kImageSize) {
        return {FileError::TooShort, {}};
    }
    std::copy(bytes.begin(), bytes.end(), image.begin());
    return {};
}

FileResult SaveDataFile(const std::string& path, const MemoryImage& image) {
    return WriteFileAtomically(path, image);
}

namespace {

std::string_view ReasonText(FileError error, Language lang) {
    switch (error) {
    case FileError::NotFound:
        return txt::FileNotFound.In(lang);
    case FileError::IsDirectory:
        return txt::FileIsDirectory.In(lang);
    case FileError::NotRegular:
        return txt::FileNotRegular.In(lang);
    case FileError::TooShort:
        return txt::FileTooShort.In(lang);
    case FileError::WriteFailed:
        return txt::FileWriteFailed.In(lang);
    case FileError::NoFolder:
        return txt::FileNoFolder.In(lang);
    case FileError::ReadFailed:
    case FileError::None:
        break;
    }
    return txt::FileReadFailed.In(lang);
}

std::string Describe(const TextPair& prefix, const std::string& path, const FileResult& result,
                     Language lang) {
    std::string text(prefix.In(lang));
    text += path;
    text += ": ";
    text += ReasonText(result.error, lang);
    if (!result.reason.empty()) {
        text += " (" + result.reason + ")";
    }
    return text;
}

} // namespace

std::string DescribeLoadFailure(const std::string& path, const FileResult& result, Language lang) {
    return Describe(txt::FileOpenFailedPrefix, path, result, lang);
}

std::string DescribeSaveFailure(const std::string& path, const FileResult& result, Language lang) {
    return Describe(txt::FileSaveFailedPrefix, path, result, lang);
}

} // namespace velmora
