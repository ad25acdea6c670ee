#include "frontend/platform.h"

namespace velmo {

std::string tplatform::wholeText() const {
    std::string text;
    for (int32_t i = 0; i < lineCount(); ++i) {
        if (i > 0) text += '\n';
        text += line(i);
    }
    return text;
}

}  // namespace velmo
