// velmo-term: the terminal player and the authoring tools.
#include <cstdio>
#include <cstring>

#include "frontend/storyrunner.h"
#include "term/runservices.h"

namespace {

int usage() {
    std::fprintf(stderr, "Aufruf: velmo-term --version | --run GESCHICHTE\n");
    return 2;
}

// Loads the story, runs its start-up functions and prints what they wrote.
int runStory(const char* fileName) {
    velmo::trunservices services(stdout);
    int status = 0;
    {
        velmo::tstoryrunner runner(services);
        if (!runner.open(fileName)) status = 1;
    }
    services.finish();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("velmo-term %s\n", VELMO_VERSION);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--run") == 0) return runStory(argv[2]);
    if (argc > 1) return usage();
    std::printf("Velmo %s\n", VELMO_VERSION);
    std::printf("Das Spielen im Terminal folgt; bisher: --run GESCHICHTE.\n");
    return 0;
}
