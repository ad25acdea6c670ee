#include "story/scanner.h"

namespace velmo {

// Placeholder until the compiled story format is read: a compiled story
// cannot be opened yet. The compiled story reader replaces this file.
std::string tscanner::readCompiled(const std::string& fileName) {
    services.showError(error, 0, cannotOpenMessage(fileName));
    return {};
}

} // namespace velmo
