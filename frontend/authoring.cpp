#include "frontend/authoring.h"

#include "base/services.h"
#include "story/compiler.h"
#include "story/extract.h"
#include "story/loader.h"
#include "story/pictures.h"

namespace velmo {

bool tauthoring::show(const tnotice& notice) {
    if (notice.kind == tnoticekind::warning)
        platform.showMessage(tmessagekind::warning, notice.text);
    if (notice.kind == tnoticekind::information)
        platform.showMessage(tmessagekind::information, notice.text);
    return notice.ok;
}

bool tauthoring::compileCommand() {
    std::string path;
    if (!platform.chooseOpenFile("Quelltext compilieren", kSourceFilter, "", path)) return false;
    return compileFile(path);
}

bool tauthoring::extractTextCommand() {
    std::string path;
    if (!platform.chooseOpenFile("Text extrahieren", kSourceFilter, "", path)) return false;
    return extractTextFile(path);
}

bool tauthoring::compileFile(const std::string& sourceFile) {
    tstorysource lists;
    const tnotice notice = compileStory(sourceFile, services, lists);
    // The lists die here; no story is open whose lines they would map.
    services.setLineMapper(nullptr);
    return show(notice);
}

bool tauthoring::extractTextFile(const std::string& sourceFile) {
    return show(extractText(sourceFile, services.saveFolder));
}

bool tauthoring::copyPictureFiles(const std::vector<std::string>& files) {
    return copyPictures(files, services.saveFolder, services);
}

}  // namespace velmo
