#include "story/pictures.h"

#include <filesystem>
#include <fstream>
#include <limits>

#include "base/atomicfile.h"
#include "base/codedfile.h"
#include "base/services.h"
#include "story/authoring.h"
#include "story/sourcefile.h"

namespace velmo {

namespace {

namespace fs = std::filesystem;

// Pictures are copied into the container in blocks of this size.
constexpr std::size_t kCopyBlock = 2048;

std::string withoutFolder(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool readOffset(std::istream& in, int64_t position, int32_t& value) {
    in.seekg(position);
    return in && readInt32(in, value);
}

// Copies one picture file behind what the container holds so far; false
// when it cannot be read or no longer has the size its offset assumed.
bool appendPicture(std::ostream& out, const std::string& file, std::uintmax_t size) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    char block[kCopyBlock];
    std::uintmax_t copied = 0;
    while (in.read(block, kCopyBlock) || in.gcount() > 0) {
        const auto got = static_cast<std::uintmax_t>(in.gcount());
        copied += got;
        if (copied > size) return false;
        out.write(block, static_cast<std::streamsize>(got));
    }
    return !in.bad() && copied == size && out.good();
}

class tpicturecopy {
public:
    tpicturecopy(const std::vector<std::string>& pictureFiles, tservices& frontEnd)
        : files(pictureFiles), services(frontEnd) {}

    // Sizes and offsets first: a file that cannot be read stops the copy
    // before anything is written.
    bool measure() {
        for (const std::string& file : files) {
            std::error_code ec;
            const bool regular = fs::is_regular_file(file, ec);
            const std::uintmax_t size = regular ? fs::file_size(file, ec) : 0;
            if (!regular || ec) return cannotRead(file);
            sizes.push_back(size);
        }
        if (pictureOffsets(sizes, offsets)) return true;
        services.writeText("Datei " + std::string(kPictureContainer) +
                           " kann nicht geschrieben werden.^");
        return false;
    }

    bool writeContainer(std::ostream& out) {
        writeInt32(out, static_cast<int32_t>(files.size()));
        for (int32_t offset : offsets) writeInt32(out, offset);
        for (std::size_t k = 0; k < files.size(); ++k) {
            const std::string entry = withoutFolder(files[k]) + " " + std::to_string(k);
            list.push_back(entry);
            services.writeText(nameAsText(entry) + "^");
            if (!appendPicture(out, files[k], sizes[k])) return cannotRead(files[k]);
        }
        return out.good();
    }

    bool cannotRead(const std::string& file) {
        services.writeText("Datei " + nameAsText(withoutFolder(file)) +
                           " kann nicht ge\xF6"
                           "ffnet werden^");
        failedFile = true;
        return false;
    }

    const std::vector<std::string>& files;
    tservices& services;
    std::vector<std::uintmax_t> sizes;
    std::vector<int32_t> offsets;
    std::vector<std::string> list{"/* Grafiken"};
    bool failedFile = false;
};

bool writeLines(const std::string& path, const std::vector<std::string>& lines) {
    return writeFileAtomically(path, [&lines](std::ostream& out) {
        for (const std::string& line : lines) out << line << "\r\n";
        return out.good();
    });
}

}  // namespace

bool pictureOffsets(const std::vector<std::uintmax_t>& sizes, std::vector<int32_t>& offsets) {
    constexpr auto kLimit = static_cast<std::uintmax_t>(std::numeric_limits<int32_t>::max());
    offsets.clear();
    if (sizes.size() >= kLimit / 4) return false;
    std::uintmax_t offset = 4 * (sizes.size() + 1);
    for (std::uintmax_t size : sizes) {
        offsets.push_back(static_cast<int32_t>(offset));
        if (size > kLimit - offset) return false;
        offset += size;
    }
    return true;
}

std::string pictureContainerOf(const std::string& storyFile) {
    const std::size_t slash = storyFile.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = storyFile.find('.', nameStart);
    if (dot == std::string::npos) return storyFile + ".fg";
    return storyFile.substr(0, dot + 1) + "fg";
}

bool readPicture(const std::string& container, int32_t number, std::vector<unsigned char>& bytes,
                 std::string& problem) {
    bytes.clear();
    const std::string name = nameAsText(withoutFolder(container));
    problem = "die Datei " + name +
              " ist besch\xE4"
              "digt";
    std::error_code ec;
    if (!fs::is_regular_file(container, ec)) {
        problem = "die Datei " + name + " fehlt";
        return false;
    }
    const auto size = static_cast<int64_t>(fs::file_size(container, ec));
    std::ifstream in(container, std::ios::binary);
    int32_t count = 0;
    if (ec || !in || !readInt32(in, count)) return false;
    if (count < 1) {
        problem = name + " enth\xE4lt keine Grafik";
        return false;
    }
    if (number < 0 || number >= count) {
        problem = "die Grafik " + std::to_string(number) + " gibt es nicht, " + name +
                  " enth\xE4lt die Grafiken 0 bis " + std::to_string(count - 1);
        return false;
    }
    const int64_t firstPicture = 4 * (int64_t{count} + 1);
    if (firstPicture > size) return false;

    int32_t start = 0;
    int32_t next = 0;
    if (!readOffset(in, 4 + 4 * int64_t{number}, start)) return false;
    if (number < count - 1 && !readOffset(in, 4 + 4 * (int64_t{number} + 1), next)) return false;
    const int64_t end = number < count - 1 ? next : size;
    if (start < firstPicture || end < start || end > size) return false;

    bytes.resize(static_cast<std::size_t>(end - start));
    in.seekg(start);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!in || static_cast<std::size_t>(in.gcount()) != bytes.size()) {
        bytes.clear();
        return false;
    }
    problem.clear();
    return true;
}

bool writePictureFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    return writeFileAtomically(path, [&bytes](std::ostream& out) {
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return out.good();
    });
}

bool copyPictures(const std::vector<std::string>& files, const std::string& saveFolder,
                  tservices& services) {
    services.writeText(std::to_string(files.size()) + " Grafiken werden kopiert ...^");
    tpicturecopy copy(files, services);
    if (!copy.measure()) return false;
    const bool written =
        writeFileAtomically(fileInFolder(saveFolder, kPictureContainer),
                            [&copy](std::ostream& out) { return copy.writeContainer(out); });
    if (!written) {
        if (!copy.failedFile)
            services.writeText("Datei " + std::string(kPictureContainer) +
                               " kann nicht geschrieben werden.^");
        return false;
    }
    services.writeText("Ok^");
    copy.list.push_back("*/");
    if (writeLines(fileInFolder(saveFolder, kPictureList), copy.list)) return true;
    services.writeText("Datei " + std::string(kPictureList) + " kann nicht geschrieben werden.^");
    return false;
}

}  // namespace velmo
