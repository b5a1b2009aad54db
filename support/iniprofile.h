// Ini profiles (the settings file and the scripts' profile functions) with
// the Windows profile rules: sections and keys compare without regard to
// case, a missing file, section or key gives the default, and writing keeps
// every other line of the file byte for byte. A profile is held as its lines
// with their own line ends, so an edit only touches the lines it changes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornscript {

class VornIniProfile {
public:
    // Reads the file; a missing or unreadable file leaves an empty profile
    // and returns false.
    bool load(const std::string& path);
    // Writes the whole profile; false when the file cannot be written.
    bool save(const std::string& path) const;

    void settext(std::string_view text);
    std::string text() const;

    // The trimmed value of the first matching key in the first matching
    // section, one pair of enclosing quotes removed; nullopt when absent.
    std::optional<std::string> getvalue(std::string_view section, std::string_view key) const;
    std::string getstring(std::string_view section, std::string_view key,
                          std::string_view defaultvalue) const;
    // Key names of a section, and the section names, in file order.
    std::vector<std::string> sectionkeys(std::string_view section) const;
    std::vector<std::string> sectionnames() const;

    // Replaces the key's line, or adds it after the section's last line, or
    // appends the section with the key at the end of the file.
    void setvalue(std::string_view section, std::string_view key, std::string_view value);
    // Both return whether anything was removed.
    bool removekey(std::string_view section, std::string_view key);
    bool removesection(std::string_view section);

private:
    struct SectionRange {
        size_t header; // index of the "[name]" line
        size_t end;    // index of the next section's header, or the line count
    };
    std::optional<SectionRange> findsection(std::string_view section) const;
    std::string lineend() const;
    void insertline(size_t index, std::string text);

    // Every line keeps its own terminator ("\n", "\r\n", or none at the end).
    std::vector<std::string> lines_;
};

// Profile boolean words: "TRUE"/"YES" and "FALSE"/"NEIN" after trimming and
// upper-casing, else a number (non-zero is true); anything else, including
// the empty text, gives the default.
bool readprofilebool(std::string_view value, bool defaultvalue);

// File-level operations as the profile functions use them: each call reads
// the file afresh, so scripts always see the current contents.
std::string getprofilestring(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view defaultvalue = {});
bool getprofilebool(const std::string& path, std::string_view section, std::string_view key,
                    bool defaultvalue = false);
std::vector<std::string> getprofilesectionkeys(const std::string& path, std::string_view section);
std::vector<std::string> getprofilesectionnames(const std::string& path);
// Writers create the file when missing; they return false when it cannot be written.
bool writeprofilestring(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);
bool writeprofilebool(const std::string& path, std::string_view section, std::string_view key,
                      bool value);
bool deleteprofilekey(const std::string& path, std::string_view section, std::string_view key);
bool deleteprofilesection(const std::string& path, std::string_view section);

} // namespace vornscript
