#ifndef VELMO_BASE_ATOMICFILE_H
#define VELMO_BASE_ATOMICFILE_H

// Writing a file so that a failure never destroys the previous one: the
// data goes to a temporary file in the same folder, which replaces the
// target only when everything was written and reached the disk. Every
// file the program writes is written this way, through the operations of
// base/filewriting.h.

#include <functional>
#include <memory>
#include <ostream>
#include <string>

namespace velmo {

class twritablefile;

// One file being written. The constructor opens a temporary file beside
// `path`; `stream` takes the data; `commit` puts the file in place of
// `path`. Anything that goes wrong leaves `path` as it was and removes
// the temporary file: a failed commit, and an atomic file destroyed
// without one.
class tatomicfile {
public:
    explicit tatomicfile(std::string path);
    ~tatomicfile();
    tatomicfile(const tatomicfile&) = delete;
    tatomicfile& operator=(const tatomicfile&) = delete;

    // False when the temporary file could not be created, or a write
    // failed; the stream then takes no more data.
    bool good() const;
    std::ostream& stream();
    // Writes out what the stream holds, pushes it to the disk and renames
    // the temporary file over the target. False when any step failed; the
    // temporary file is gone then, and the target unchanged.
    bool commit();
    // Gives up: the temporary file is removed, the target unchanged.
    void discard();

private:
    class tbuffer;

    std::string target;
    std::string temporary;
    std::unique_ptr<twritablefile> file;
    std::unique_ptr<tbuffer> buffer;
    std::unique_ptr<std::ostream> out;
};

// Opens a temporary file beside `path` in binary mode and hands it to
// `write`. When `write` returns true and the data reached the disk, the
// temporary file is renamed over `path`. Otherwise the temporary file is
// removed, `path` stays as it was, and the result is false. An exception
// thrown by `write` also removes the temporary file, then passes on.
bool writeFileAtomically(const std::string& path, const std::function<bool(std::ostream&)>& write);

}  // namespace velmo

#endif
