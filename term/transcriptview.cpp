#include "term/transcriptview.h"

#include <string>
#include <vector>

#include "base/encoding.h"
#include "frontend/game.h"
#include "term/pager.h"
#include "term/terminalplatform.h"

namespace velmo {

namespace {

std::vector<std::string> transcriptLines(const ttranscript& transcript) {
    std::vector<std::string> lines;
    const std::string& text = transcript.text();
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string::npos) end = text.size();
        lines.push_back(cp1252ToUtf8(std::string_view(text).substr(from, end - from)));
        from = end + 1;
    }
    return lines;
}

}  // namespace

void showTranscript(tgame& game, tterminalplatform& platform) {
    ttranscript& transcript = game.transcriptText();
    tpager pager("Spielverlauf", transcriptLines(transcript),
                 "s: Speichern  l: L\u00f6schen  F1: Hilfe");
    tkeyevent end;
    end.key = tkey::end;
    pager.scroll(end);  // the newest text is what the player looks for
    platform.showPage(pager, [&](const tkeyevent& event) {
        if (event.key == tkey::f1) {
            platform.showHelp(thelpcontext::transcript);
        } else if (event.character == 's' || event.character == 'S') {
            game.exportText();
        } else if (event.character == 'l' || event.character == 'L') {
            transcript.clear();
            pager.setLines({});
        }
    });
}

}  // namespace velmo
