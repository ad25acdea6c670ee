// velmo-term: the terminal player and the authoring tools.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>

#include "frontend/plainmode.h"
#include "term/authoringcommand.h"
#include "term/interactive.h"
#include "term/plaincommand.h"
#include "term/terminal.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "Aufruf: velmo-term [--plain] [OPTIONEN] [GESCHICHTE] | --run GESCHICHTE | "
                 "--check GESCHICHTE | --compile QUELLTEXT | --extract QUELLTEXT | "
                 "--pictures BILD.jpg ... | "
                 "--version | --help\n");
    return velmo::kPlainUsage;
}

bool hasOption(int argc, char** argv, const char* option) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], option) == 0) return true;
    return false;
}

// Loads the story, runs its start-up functions and prints what they wrote:
// the plain line mode without any input.
int runStory(const char* fileName) {
    velmo::tplainoptions options;
    options.storyFile = fileName;
    std::istringstream noInput;
    return velmo::runPlainMode(options, noInput, std::cout);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("velmo-term %s\n", VELMO_VERSION);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        velmo::printHelp(stdout);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--run") == 0) return runStory(argv[2]);
    if (argc >= 2 && velmo::isAuthoringOption(argv[1]))
        return velmo::runAuthoringCommand(argc, argv);
    if (hasOption(argc, argv, "--plain")) return velmo::runPlainCommand(argc, argv);
    // A story on a terminal is played full screen, from a pipe or a file
    // in the plain line mode; without a story the options' autoload story
    // is opened.
    const int result = velmo::runInteractiveCommand(argc, argv);
    return result == velmo::kPlainUsage && velmo::tterminal::interactive() ? usage() : result;
}
