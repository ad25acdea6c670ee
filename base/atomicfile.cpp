#include "base/atomicfile.h"

#include <atomic>
#include <filesystem>
#include <streambuf>
#include <system_error>
#include <vector>

#include <unistd.h>

#include "base/filewriting.h"

namespace velmo {

namespace {

namespace fs = std::filesystem;

// Attempts at a free temporary name before giving up.
constexpr int kNameAttempts = 100;
// The stream collects this much before it hands data to the file.
constexpr std::size_t kBufferSize = 64 * 1024;

// A name beside the target for the n-th attempt; the process number and a
// counter keep two writers (or two writes in a row) apart.
std::string temporaryName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

// A replaced file keeps its permissions.
void copyPermissions(const std::string& from, const std::string& to) {
    std::error_code ec;
    const auto status = fs::status(from, ec);
    if (!ec && fs::exists(status))
        fs::permissions(to, status.permissions(), fs::perm_options::replace, ec);
}

}  // namespace

// Collects the stream's bytes and hands them to the file in large pieces.
// A failed write makes the stream bad, so writers see the failure at once.
class tatomicfile::tbuffer : public std::streambuf {
public:
    explicit tbuffer(twritablefile& target) : file(target), data(kBufferSize) {
        setp(data.data(), data.data() + data.size());
    }

    // Hands everything collected to the file.
    bool drain() {
        const auto size = static_cast<std::size_t>(pptr() - pbase());
        setp(data.data(), data.data() + data.size());
        if (failed || size == 0) return !failed;
        failed = !file.write(data.data(), size);
        return !failed;
    }

protected:
    int_type overflow(int_type c) override {
        if (!drain()) return traits_type::eof();
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
        return c;
    }
    int sync() override { return drain() ? 0 : -1; }

private:
    twritablefile& file;
    std::vector<char> data;
    bool failed = false;
};

tatomicfile::tatomicfile(std::string path) : target(std::move(path)) {
    tfilewriting& files = fileWriting();
    // The system cuts a name at a zero byte, so such a name (a typed file
    // name can hold one) would write some other file: it is refused.
    const bool usable = !target.empty() && target.find('\0') == std::string::npos;
    for (int attempt = 0; usable && attempt < kNameAttempts && !file; ++attempt) {
        temporary = temporaryName(target);
        bool taken = false;
        file = files.create(temporary, taken);
        if (!file && !taken) break;
    }
    if (file) buffer = std::make_unique<tbuffer>(*file);
    out = std::make_unique<std::ostream>(buffer.get());
    if (!file) {
        temporary.clear();
        out->setstate(std::ios::badbit);
    }
}

tatomicfile::~tatomicfile() { discard(); }

bool tatomicfile::good() const { return file && out->good(); }

std::ostream& tatomicfile::stream() { return *out; }

bool tatomicfile::commit() {
    if (!good()) {
        discard();
        return false;
    }
    bool ok = buffer->drain() && file->sync();
    ok = file->close() && ok;
    file.reset();
    if (ok) {
        copyPermissions(target, temporary);
        ok = fileWriting().rename(temporary, target);
    }
    if (ok) {
        temporary.clear();
        out->setstate(std::ios::badbit);  // nothing more goes anywhere
    } else {
        discard();
    }
    return ok;
}

void tatomicfile::discard() {
    if (file) file->close();
    file.reset();
    if (!temporary.empty()) fileWriting().remove(temporary);
    temporary.clear();
    if (out) out->setstate(std::ios::badbit);
}

bool writeFileAtomically(const std::string& path, const std::function<bool(std::ostream&)>& write) {
    tatomicfile file(path);
    if (!file.good()) return false;
    // An exception from `write` unwinds through the atomic file, which
    // removes the temporary file on its way.
    if (!write(file.stream())) return false;
    return file.commit();
}

}  // namespace velmo
