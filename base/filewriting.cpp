#include "base/filewriting.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace velmo {

namespace {

class tsystemfile : public twritablefile {
public:
    explicit tsystemfile(int descriptor) : fd(descriptor) {}
    ~tsystemfile() override {
        if (fd >= 0) ::close(fd);
    }

    bool write(const char* data, std::size_t size) override {
        while (size > 0) {
            const ssize_t written = ::write(fd, data, size);
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) return false;
            data += written;
            size -= static_cast<std::size_t>(written);
        }
        return true;
    }
    bool sync() override { return ::fsync(fd) == 0; }
    bool close() override {
        const int result = ::close(fd);
        fd = -1;
        return result == 0;
    }

private:
    int fd;
};

class tsystemwriting : public tfilewriting {
public:
    std::unique_ptr<twritablefile> create(const std::string& path, bool& taken) override {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        taken = fd < 0 && errno == EEXIST;
        if (fd < 0) return nullptr;
        return std::make_unique<tsystemfile>(fd);
    }
    bool rename(const std::string& from, const std::string& to) override {
        return std::rename(from.c_str(), to.c_str()) == 0;
    }
    bool remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }
};

tsystemwriting systemWriting;
// The operations in use; changed only by a tscopedfilewriting.
tfilewriting* current = &systemWriting;

}  // namespace

tfilewriting& fileWriting() { return *current; }

tfilewriting& systemFileWriting() { return systemWriting; }

tscopedfilewriting::tscopedfilewriting(tfilewriting& replacement) : previous(current) {
    current = &replacement;
}

tscopedfilewriting::~tscopedfilewriting() { current = previous; }

}  // namespace velmo
