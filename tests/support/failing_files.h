#ifndef VELMO_TESTS_FAILING_FILES_H
#define VELMO_TESTS_FAILING_FILES_H

// File-system operations that fail where a real disk can fail. They pass
// every call to the operating system, except the one they are set to
// fail: the n-th file created (n counts from 1) is refused, or its first
// write stops halfway as on a full disk, or the n-th rename does not
// happen, or from the n-th file on the folder is read-only (nothing can
// be created, renamed or removed there any more).

#include <memory>
#include <ostream>
#include <string>

#include "base/filewriting.h"

namespace velmo::test {

enum class tfault { none, openFails, writeFailsMidway, renameFails, folderReadOnly };

inline std::ostream& operator<<(std::ostream& out, tfault fault) {
    const char* names[] = {"none", "openFails", "writeFailsMidway", "renameFails",
                           "folderReadOnly"};
    return out << names[static_cast<int>(fault)];
}

class FailingFiles : public tfilewriting {
public:
    explicit FailingFiles(tfault kind, int onFile = 1) : fault(kind), target(onFile) {}

    std::unique_ptr<twritablefile> create(const std::string& path, bool& taken) override {
        ++created;
        taken = false;
        if ((fault == tfault::openFails && created == target) || readOnly()) return nullptr;
        auto file = systemFileWriting().create(path, taken);
        if (file && fault == tfault::writeFailsMidway && created == target)
            return std::make_unique<HalfWritten>(std::move(file));
        return file;
    }
    bool rename(const std::string& from, const std::string& to) override {
        ++renamed;
        if ((fault == tfault::renameFails && renamed == target) || readOnly()) return false;
        return systemFileWriting().rename(from, to);
    }
    bool remove(const std::string& path) override {
        return !readOnly() && systemFileWriting().remove(path);
    }

    int created = 0;
    int renamed = 0;

private:
    // Writes the first half of its first piece, then fails as a full disk does.
    class HalfWritten : public twritablefile {
    public:
        explicit HalfWritten(std::unique_ptr<twritablefile> real) : file(std::move(real)) {}
        bool write(const char* data, std::size_t size) override {
            if (full) return false;
            full = true;
            file->write(data, size / 2);
            return false;
        }
        bool sync() override { return file->sync(); }
        bool close() override { return file->close(); }

    private:
        std::unique_ptr<twritablefile> file;
        bool full = false;
    };

    bool readOnly() const { return fault == tfault::folderReadOnly && created >= target; }

    tfault fault;
    int target;
};

}  // namespace velmo::test

#endif
