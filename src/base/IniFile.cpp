#include "base/IniFile.h"

#include "base/FileIo.h"
#include "base/TextChars.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <system_error>

namespace velmora {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::array<std::string_view, 3> kCommentMarkers = {"//", "\t;", "/*"};

std::string_view Trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

// GBK pairs a lead byte with the byte after it; the trail byte may look like an ASCII letter
// or a bracket, and must then be neither folded nor taken for one.
bool IsGbkLead(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}
bool IsGbkTrail(unsigned char c) {
    return c >= 0x40 && c <= 0xFE;
}

// The length of the character at text[i]: 2 for a GBK double-byte character, else 1.
std::size_t CharLength(std::string_view text, std::size_t i, IniEncoding encoding) {
    if (encoding == IniEncoding::Gbk && IsGbkLead(static_cast<unsigned char>(text[i])) &&
        i + 1 < text.size() && IsGbkTrail(static_cast<unsigned char>(text[i + 1]))) {
        return 2;
    }
    return 1;
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0) {
                low = 0xA0; // no overlong forms
            } else if (c == 0xED) {
                high = 0x9F; // no surrogates
            }
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0) {
                low = 0x90;
            } else if (c == 0xF4) {
                high = 0x8F; // nothing above U+10FFFF
            }
        } else {
            return false;
        }
        if (n - i < length) {
            return false;
        }
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        if (second < low || second > high) {
            return false;
        }
        for (std::size_t k = 2; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if (next < 0x80 || next > 0xBF) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

CIniFile::CIniFile(int growthStep) : m_growthStep(growthStep > 0 ? growthStep : 1) {}

CIniFile::~CIniFile() {
    if (m_bSaveOnClose) {
        Save();
    }
    Clear();
}

std::string CIniFile::PathBeside(const std::string& programPath, const std::string& fileName) {
    fs::path folder = fs::path(programPath).parent_path();
    if (folder.empty()) {
        std::error_code ec;
        folder = fs::current_path(ec);
    }
    return (folder / fileName).string();
}

bool CIniFile::Open(const std::string& fileName, bool saveOnClose, bool caseInsensitive,
                    const std::string& programPath) {
    return Load(PathBeside(programPath, fileName), saveOnClose, caseInsensitive);
}

bool CIniFile::Load(const std::string& path, bool saveOnClose, bool caseInsensitive) {
    Clear();
    m_bSaveOnClose = saveOnClose;
    m_bCaseInsensitive = caseInsensitive;

    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (!ec && size > kMaxFileBytes) {
        return false;
    }
    std::vector<std::uint8_t> bytes;
    const std::size_t want = ec ? kMaxFileBytes + 1 : static_cast<std::size_t>(size) + 1;
    FileResult read = ReadFileHead(path, want, bytes);
    if (read.error == FileError::NotFound) {
        // A missing file is created empty, so that a later save has a place to go. Append
        // mode creates without truncating should the file appear in the meantime.
        std::ofstream create(path, std::ios::binary | std::ios::app);
        if (!create) {
            return false;
        }
        bytes.clear();
        read = FileResult{};
    }
    if (!read) {
        return false;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return LoadFromBytes(text, path, saveOnClose, caseInsensitive);
}

bool CIniFile::LoadFromBytes(std::string_view bytes, const std::string& path, bool saveOnClose,
                             bool caseInsensitive) {
    Clear();
    m_bSaveOnClose = saveOnClose;
    m_bCaseInsensitive = caseInsensitive;
    if (bytes.size() > kMaxFileBytes) {
        return false;
    }
    // A byte order mark declares UTF-8; it is written back but is no part of the first line.
    if (bytes.starts_with(kByteOrderMark)) {
        m_bByteOrderMark = true;
        bytes.remove_prefix(kByteOrderMark.size());
        m_encoding = IniEncoding::Utf8;
    } else {
        m_encoding = IsValidUtf8(bytes) ? IniEncoding::Utf8 : IniEncoding::Gbk;
    }
    m_strPath = path;
    Parse(bytes);
    if (m_encoding == IniEncoding::Gbk && IsValidUtf8(ToBytes())) {
        // The bytes that are not UTF-8 were all in comment or blank lines, which a save drops;
        // the saved file will read as UTF-8, so this one does too, and a restart changes
        // nothing.
        m_sections.clear();
        m_sectionIndex.clear();
        m_sectionsIndexed = 0;
        m_encoding = IniEncoding::Utf8;
        Parse(bytes);
    }
    return true;
}

void CIniFile::Parse(std::string_view text) {
    m_sections.reserve(m_growthStep);
    AppendSection(""); // the keys before the first header
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        AddLine(text.substr(start, end - start));
        start = end + 1;
    }
}

bool CIniFile::IsHeader(std::string_view line) const {
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') {
        return false;
    }
    if (m_encoding == IniEncoding::Utf8) {
        return true;
    }
    // In GBK the final ']' may be the second half of a double-byte character.
    std::size_t i = 0;
    while (i + 1 < line.size()) {
        i += CharLength(line, i, m_encoding);
    }
    return i == line.size() - 1;
}

void CIniFile::AddLine(std::string_view rawLine) {
    const std::string_view line = Trim(rawLine);
    if (IsHeader(line)) {
        AppendSection(line.substr(1, line.size() - 2));
        return;
    }
    const std::size_t equals = line.find('=');
    const std::string_view key = Trim(line.substr(0, equals));
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view() : Trim(line.substr(equals + 1));
    if (key.empty() || key.front() == ';' || key.front() == '/' || key.front() == '\\' ||
        key.front() == '*') {
        return; // a blank or comment line
    }
    Section& section = m_sections.back();
    section.keys.emplace_back(key);
    section.values.emplace_back(value);
}

CIniFile::Section& CIniFile::AppendSection(std::string_view name) {
    Section& section = m_sections.emplace_back();
    section.name = name;
    return section;
}

std::string CIniFile::Fold(std::string_view name) const {
    std::string folded(name);
    if (!m_bCaseInsensitive) {
        return folded;
    }
    std::size_t i = 0;
    while (i < folded.size()) {
        const std::size_t length = CharLength(folded, i, m_encoding);
        if (length == 1 && folded[i] >= 'A' && folded[i] <= 'Z') {
            folded[i] = static_cast<char>(folded[i] - 'A' + 'a');
        }
        i += length;
    }
    return folded;
}

std::size_t CIniFile::FindSection(std::string_view name) const {
    for (; m_sectionsIndexed < m_sections.size(); ++m_sectionsIndexed) {
        m_sectionIndex.emplace(Fold(m_sections[m_sectionsIndexed].name), m_sectionsIndexed);
    }
    const auto found = m_sectionIndex.find(Fold(name));
    return found == m_sectionIndex.end() ? kNotFound : found->second;
}

std::size_t CIniFile::FindKey(const Section& section, std::string_view key) const {
    for (; section.keyIndexed < section.keys.size(); ++section.keyIndexed) {
        section.keyIndex[Fold(section.keys[section.keyIndexed])] = section.keyIndexed;
    }
    const auto found = section.keyIndex.find(Fold(key));
    return found == section.keyIndex.end() ? kNotFound : found->second;
}

std::string CIniFile::GetValue(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const {
    const std::size_t s = FindSection(section);
    if (s == kNotFound) {
        return std::string(defaultValue);
    }
    const std::size_t k = FindKey(m_sections[s], key);
    if (k == kNotFound) {
        return std::string(defaultValue);
    }
    std::string_view value = m_sections[s].values[k];
    std::size_t cut = value.size();
    for (const std::string_view marker : kCommentMarkers) {
        cut = std::min(cut, value.find(marker));
    }
    return std::string(value.substr(0, cut));
}

bool CIniFile::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    if (m_strPath.empty()) {
        return false;
    }
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) {
        return false;
    }
    // A UTF-8 file with bytes that are not UTF-8 in it would read as GBK after a restart, and
    // its other lines could then mean something else.
    if (m_encoding == IniEncoding::Utf8 &&
        !(IsValidUtf8(section) && IsValidUtf8(key) && IsValidUtf8(value))) {
        return false;
    }
    // Blanks around a value do not survive the file (reading trims them), so they are dropped
    // now: the program sees the same value before and after a restart.
    value = Trim(value);
    std::size_t s = FindSection(section);
    if (s == kNotFound) {
        AppendSection(section);
        s = m_sections.size() - 1;
        m_bModified = true;
    }
    Section& target = m_sections[s];
    const std::size_t k = FindKey(target, key);
    if (k == kNotFound) {
        target.keys.emplace_back(key);
        target.values.emplace_back(value);
        m_bModified = true;
        return true;
    }
    // A change of letter case alone is no change worth writing.
    if (Fold(target.values[k]) != Fold(value)) {
        m_bModified = true;
    }
    target.values[k] = value;
    return true;
}

std::string CIniFile::ToBytes() const {
    std::string out;
    if (m_bByteOrderMark) {
        out += kByteOrderMark;
    } else if (!m_sections.empty() && !m_sections[0].keys.empty() &&
               m_sections[0].keys[0].starts_with(kByteOrderMark)) {
        // A first key that begins with the byte order mark's bytes would be taken for one when
        // the file is read again; a line end ahead of it keeps it whole.
        out += kLineEnd;
    }
    for (std::size_t s = 0; s < m_sections.size(); ++s) {
        const Section& section = m_sections[s];
        // Only the leading nameless section goes without a header: a later "[]" section keeps
        // its header, or its keys would move into the section before it.
        if (s != 0) {
            out += '[';
            out += section.name;
            out += ']';
            out += kLineEnd;
        }
        for (std::size_t k = 0; k < section.keys.size(); ++k) {
            const std::string& key = section.keys[k];
            const std::string& value = section.values[k];
            if (key.empty() && value.empty()) {
                continue; // no blank lines
            }
            out += key;
            if (!key.empty()) {
                out += '=';
            }
            out += value;
            out += kLineEnd;
        }
    }
    return out;
}

bool CIniFile::Save() {
    if (!m_bModified || m_strPath.empty()) {
        return true;
    }
    const std::string text = ToBytes();
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
    if (!WriteFileAtomically(m_strPath, bytes)) {
        return false; // the old file stays whole; the change stays pending
    }
    m_bModified = false;
    return true;
}

void CIniFile::Clear() {
    m_sections.clear();
    m_sectionIndex.clear();
    m_sectionsIndexed = 0;
    m_strPath.clear();
    m_encoding = IniEncoding::Utf8;
    m_bByteOrderMark = false;
    m_bModified = false;
}

} // namespace velmora
