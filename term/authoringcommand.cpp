#include "term/authoringcommand.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "frontend/authoring.h"
#include "frontend/datafolder.h"
#include "frontend/game.h"
#include "frontend/plainmode.h"
#include "frontend/storycheck.h"

namespace velmo {

namespace {

// Each error on a line of its own; nothing when the story loads.
int checkStoryFile(const std::string& file) {
    const std::vector<tstoryerror> errors = checkStory(file, sharedStoriesFolder());
    for (const tstoryerror& error : errors) std::cout << formatStoryError(error) << '\n';
    std::cout.flush();
    return errors.empty() ? kPlainOk : kPlainNoStory;
}

}  // namespace

bool isAuthoringOption(const char* argument) {
    return std::strcmp(argument, "--compile") == 0 || std::strcmp(argument, "--extract") == 0 ||
           std::strcmp(argument, "--pictures") == 0 || std::strcmp(argument, "--check") == 0;
}

int runAuthoringCommand(int argc, char** argv) {
    const std::string option = argc > 1 ? argv[1] : "";
    const std::vector<std::string> files(argv + std::min(argc, 2), argv + argc);
    const bool pictures = option == "--pictures";
    if (!isAuthoringOption(option.c_str()) || files.empty() || (!pictures && files.size() != 1)) {
        std::fprintf(stderr,
                     "Aufruf: velmo-term --check GESCHICHTE | --compile QUELLTEXT | "
                     "--extract QUELLTEXT | --pictures BILD.jpg ...\n");
        return kPlainUsage;
    }
    if (option == "--check") return checkStoryFile(files.front());
    tplainplatform platform(std::cin, std::cout, 72, false);
    tgame game(platform, tgamesettings{});
    tauthoring tools(platform, game);
    bool done = false;
    if (option == "--compile")
        done = tools.compileFile(files.front());
    else if (option == "--extract")
        done = tools.extractTextFile(files.front());
    else
        done = tools.copyPictureFiles(files);
    platform.flushAll();
    return done ? kPlainOk : kPlainNoStory;
}

}  // namespace velmo
