#ifndef VELMO_BASE_FILEWRITING_H
#define VELMO_BASE_FILEWRITING_H

// The few file-system operations that writing a file takes: create a new
// file, write to it, push it to the disk, close it, rename and remove.
// Every file the program writes goes through them (by way of the atomic
// file in base/atomicfile.h), so a test can put a file system in their
// place that fails where a real disk can fail: a folder that refuses a
// new file, a disk that fills up midway, a rename that does not happen.

#include <cstddef>
#include <memory>
#include <string>

namespace velmo {

// A file open for writing. Each call reports whether it succeeded.
class twritablefile {
public:
    virtual ~twritablefile() = default;
    // Writes all `size` bytes; false when not all of them were written.
    virtual bool write(const char* data, std::size_t size) = 0;
    // Pushes what was written from the system's cache to the disk.
    virtual bool sync() = 0;
    virtual bool close() = 0;
};

class tfilewriting {
public:
    virtual ~tfilewriting() = default;
    // Creates a file that must not exist yet. Null when it cannot be
    // created; `taken` then tells whether a file of that name was there.
    virtual std::unique_ptr<twritablefile> create(const std::string& path, bool& taken) = 0;
    // Replaces `to` by `from` in one step.
    virtual bool rename(const std::string& from, const std::string& to) = 0;
    virtual bool remove(const std::string& path) = 0;
};

// The operations in use: the operating system's, unless a test put others
// in place with a `tscopedfilewriting`.
tfilewriting& fileWriting();

// Puts `replacement` in place of the operations in use for its lifetime.
// Only for tests; scopes nest and end in reverse order.
class tscopedfilewriting {
public:
    explicit tscopedfilewriting(tfilewriting& replacement);
    ~tscopedfilewriting();
    tscopedfilewriting(const tscopedfilewriting&) = delete;
    tscopedfilewriting& operator=(const tscopedfilewriting&) = delete;

private:
    tfilewriting* previous;
};

// The operating system's operations, for a test double that passes the
// calls it does not fail on.
tfilewriting& systemFileWriting();

}  // namespace velmo

#endif
