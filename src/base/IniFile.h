// The installation settings file, Program.ini, held in memory.
//
// The whole file is read once at start-up; lookups are answered from memory and changes are
// written back when the object goes away, only if something really changed. Installations
// ship the file either in UTF-8 or in GBK (the Chinese texts); the file keeps its encoding,
// and every key and value here is a byte string in that encoding. Comment lines and blank
// lines of the file are not kept; comments at the end of a value are kept and only cut off
// when the value is read.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmora {

enum class IniEncoding { Utf8, Gbk };

class CIniFile {
public:
    // A file larger than this is refused: no installation file comes near it, and reading a
    // wrong file of gigabytes would only freeze the start.
    static constexpr std::size_t kMaxFileBytes = 16u * 1024u * 1024u;

    explicit CIniFile(int growthStep = 4);
    virtual ~CIniFile();

    CIniFile(const CIniFile&) = delete;
    CIniFile& operator=(const CIniFile&) = delete;

    // The file fileName in the folder of the running program (programPath is its own path).
    static std::string PathBeside(const std::string& programPath, const std::string& fileName);

    bool Open(const std::string& fileName, bool saveOnClose, bool caseInsensitive,
              const std::string& programPath);
    // Reads the whole file; a missing file is created empty. False when the file cannot be
    // read or created, or is too large: the object then stays empty and without a path, so
    // every lookup gives its default and nothing is ever written over that file.
    bool Load(const std::string& path, bool saveOnClose, bool caseInsensitive);
    // As Load, with the file's bytes given; path is where Save writes.
    bool LoadFromBytes(std::string_view bytes, const std::string& path, bool saveOnClose,
                       bool caseInsensitive);

    // The value of the last matching key in the first matching section, cut before the first
    // "//", tab-";" or "/*"; defaultValue when there is none.
    std::string GetValue(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
    // Changes or adds a value in memory. Does nothing without a loaded file, and refuses
    // texts holding a line break (they would break the file into other lines) and, in a UTF-8
    // file, bytes that are not UTF-8 (the file would read as GBK); false then. Blanks around
    // the value are dropped, as reading the file back would drop them.
    bool SetValue(std::string_view section, std::string_view key, std::string_view value);
    // Writes the file when something changed; true when written or nothing to write. On a
    // failure the file on disk stays as it was and the change stays pending.
    bool Save();
    void Clear();

    bool IsModified() const { return m_bModified; }
    const std::string& Path() const { return m_strPath; }
    IniEncoding Encoding() const { return m_encoding; }
    std::size_t SectionCount() const { return m_sections.size(); }
    // The text Save writes: CR LF line ends, no blank or comment lines.
    std::string ToBytes() const;

private:
    struct Section {
        std::string name;
        std::vector<std::string> keys;
        std::vector<std::string> values; // parallel to keys
        // Folded key -> index of its last occurrence, built on demand up to keyIndexed.
        mutable std::unordered_map<std::string, std::size_t> keyIndex;
        mutable std::size_t keyIndexed = 0;
    };

    static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

    void Parse(std::string_view text);
    void AddLine(std::string_view line);
    Section& AppendSection(std::string_view name);
    std::string Fold(std::string_view name) const;
    bool IsHeader(std::string_view line) const;
    std::size_t FindSection(std::string_view name) const;
    std::size_t FindKey(const Section& section, std::string_view key) const;

    std::vector<Section> m_sections;
    // Folded section name -> index of its first occurrence, built on demand up to
    // m_sectionsIndexed.
    mutable std::unordered_map<std::string, std::size_t> m_sectionIndex;
    mutable std::size_t m_sectionsIndexed = 0;
    std::string m_strPath;
    std::size_t m_growthStep;
    IniEncoding m_encoding = IniEncoding::Utf8;
    bool m_bByteOrderMark = false;
    bool m_bModified = false;
    bool m_bSaveOnClose = false;
    bool m_bCaseInsensitive = false;
};

// True when bytes are well-formed UTF-8 (pure ASCII included).
bool IsValidUtf8(std::string_view bytes);

} // namespace velmora
