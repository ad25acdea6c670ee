#include "frontend/transcriptfile.h"

#include "base/encoding.h"
#include "frontend/platform.h"

namespace velmo {

ttranscriptfile::ttranscriptfile(const std::string& path, tplatform& host)
    : file(path), platform(host) {
    if (!file.good()) fail();
}

void ttranscriptfile::add(const std::string& text) {
    if (failed || finished) return;
    file.stream() << cp1252ToUtf8(text);
    if (!file.good()) fail();
}

bool ttranscriptfile::finish() {
    if (failed || finished) return !failed;
    finished = true;
    if (!file.commit()) fail();
    return !failed;
}

void ttranscriptfile::fail() {
    failed = true;
    file.discard();
    platform.showMessage(tmessagekind::warning, "Datei kann nicht geschrieben werden");
}

}  // namespace velmo
