#ifndef VELMO_BASE_ATOMICFILE_H
#define VELMO_BASE_ATOMICFILE_H

// Writing a file so that a failure never destroys the previous one: the
// data goes to a temporary file in the same folder, which replaces the
// target only when everything was written and flushed.

#include <functional>
#include <ostream>
#include <string>

namespace velmo {

// Opens a temporary file beside `path` in binary mode and hands it to
// `write`. When `write` returns true and the data reached the disk, the
// temporary file is renamed over `path`. Otherwise the temporary file is
// removed, `path` stays as it was, and the result is false. An exception
// thrown by `write` also removes the temporary file, then passes on.
bool writeFileAtomically(const std::string& path, const std::function<bool(std::ostream&)>& write);

}  // namespace velmo

#endif
