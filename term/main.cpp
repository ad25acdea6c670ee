// velmo-term: the terminal player and the authoring tools.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc > 1 && (std::strcmp(argv[1], "--version") == 0)) {
        std::printf("velmo-term %s\n", VELMO_VERSION);
        return 0;
    }
    std::printf("Velmo %s\n", VELMO_VERSION);
    std::printf("Gebaut: der Kern (Zerlegung, Wortformen, Dienste des Spielfensters).\n");
    std::printf("Das Spielen im Terminal folgt.\n");
    return 0;
}
