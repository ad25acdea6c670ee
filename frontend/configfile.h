#ifndef VELMO_FRONTEND_CONFIGFILE_H
#define VELMO_FRONTEND_CONFIGFILE_H

// The options file as a list of lines "name=value". Names are compared
// without regard to case; values are stored and returned lower-cased,
// except where a caller asks for the value as it stands (file paths,
// which a case-sensitive file system must get back unchanged).

#include <cstdint>
#include <string>
#include <vector>

namespace velmo {

class tconfig {
public:
    // Appends "name=value" with the value lower-cased.
    void setValue(const std::string& name, const std::string& value);
    // Appends "name=value" with the value as it is.
    void setText(const std::string& name, const std::string& value);

    // The value after the first "=" of the first line whose part before
    // its first "=" equals `name` (both compared lower-cased), returned
    // lower-cased. False, and `value` unchanged, when no line matches.
    bool getValue(const std::string& name, std::string& value) const;
    // The same line's value as it stands in the file.
    bool getText(const std::string& name, std::string& value) const;

    // Reads a whole file, at most `kMaxFileSize` bytes; false when it
    // cannot be read or is larger (a file of that size is not ours).
    bool load(const std::string& file);
    // Writes the lines, each ended by "\n", replacing the file only when
    // the whole text was written.
    bool save(const std::string& file) const;

    std::string text() const;
    const std::vector<std::string>& lines() const { return entries; }

    static constexpr std::uintmax_t kMaxFileSize = 1 << 20;

private:
    const std::string* find(const std::string& name) const;

    std::vector<std::string> entries;
};

}  // namespace velmo

#endif
