// The options file: the input is a "velmo.ini", read into the options;
// what was read is written back and read again, which must give the same
// options (a value the file can hold reads back as it was written).

#include <cstdlib>

#include "frontend/optionsfile.h"
#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace velmo;
    using namespace velmo::fuzz;
    const std::filesystem::path folder = freshFolder();
    const std::string file =
        writeFile(folder / kOptionsFileName, {reinterpret_cast<const char*>(data), size});
    toptions options;
    readOptions(file, options);
    if (!saveOptions(file, options)) return 0;
    // What the options hold after a read can be written; written, it must
    // read back whole and the same, or a user's setting would be lost.
    toptions again;
    if (!readOptions(file, again)) std::abort();
    const bool same = again.functionKeys == options.functionKeys &&
                      again.lastFiles == options.lastFiles && again.colours == options.colours &&
                      again.autoload == options.autoload && again.fontName == options.fontName &&
                      again.fontSize == options.fontSize && again.columns == options.columns &&
                      again.rows == options.rows && again.maximize == options.maximize &&
                      again.recentNext % 3 == options.recentNext % 3;
    if (!same) std::abort();
    return 0;
}
