#include "story/scanner.h"

#include "base/wstrlib.h"
#include "script/postfix.h"
#include "story/characters.h"
#include "story/includepath.h"
#include "story/preprocessor.h"
#include "story/sourcefile.h"

namespace velmo {

tscanner::tscanner(tservices& frontEnd, tfilelist& fileList, tdeflist& definitionList)
    : services(frontEnd), files(fileList), definitions(definitionList) {}

std::string cannotOpenMessage(const std::string& path) {
    return "Datei " + baseFileName(nameAsText(path)) +
           " kann nicht ge\xF6"
           "ffnet werden";
}

bool tscanner::readProgram(const std::string& fileName, bool forPlaying) {
    files.clear(baseFileName(nameAsText(fileName)));
    definitions.clear(forPlaying);
    services.setLineMapper(&files);
    lineCount = 0;
    isCompiled = false;
    stringTable.clear();
    programText = readSource(fileName);
    if (!isCompiled) checkCharacters();
    return !error;
}

std::string tscanner::readSource(const std::string& fileName) {
    std::string name = withSourceExtension(fileName);
    if (name.find(".dat") != std::string::npos) {
        isCompiled = true;
        return readCompiled(name);
    }
    std::string text;
    tpreprocessor(*this, text).readMain(name);
    return text;
}

void tscanner::checkCharacters() {
    if (error) return;
    definitions.sortLongestFirst();
    if (!definitions.substitute(programText, kMaxProgramText)) {
        services.showError(error, 0, "Programmtext zu gro\xDF");
        return;
    }
    std::string checked;
    tbadcharacter bad;
    if (!applyCharacterRules(programText, checked, bad)) {
        // A character with no Windows-1252 form has no byte to show.
        std::string shown =
            bad.character == kUnconvertible ? std::string("?") : std::string(1, bad.character);
        services.showError(error, bad.line, "Ung\xFCltiges Zeichen " + shown);
        return;
    }
    programText = EncodeOperators(checked);
}

}  // namespace velmo
