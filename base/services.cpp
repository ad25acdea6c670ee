#include "base/services.h"

namespace velmo {

void tservices::showError(bool& flag, int32_t line, const std::string& message) {
    flag = true;
    if (stopped || !showErrors) return;
    stopped = true;
    saveDone = true;
    errorShown();
    presentError(line, message);
}

void tservices::presentError(int32_t line, const std::string& message) {
    std::string text;
    if (line <= 0) {
        text = "Fehler: " + message;
    } else {
        std::string file;
        if (lineMapper) file = lineMapper->mapLine(line);
        text = file + " Zeile " + std::to_string(line) + " " + message;
    }
    writeText(text + "^");
}

void tservices::endGame(bool /*ask*/) {
    stopped = true;
    saveDone = true;
}

}  // namespace velmo
