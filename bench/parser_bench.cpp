// The command parser on a big world: 1,000 objects in the player's room,
// each with two name variants (an adjective and a noun), 300 verbs and 50
// daemons. Each iteration parses one command and runs its turn end.
// Commands name objects near the end of the scope list, or fail after
// looking at every object.

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "game/parser.h"
#include "model/story.h"
#include "script/interpreter.h"
#include "story/loader.h"
#include "tests/support/recording_services.h"

namespace {

constexpr int kObjects = 1000;
constexpr int kVerbs = 300;
constexpr int kDaemons = 50;

// A short word for a number: letters only, so that it can be part of a
// German name ("ab", "ac", ...).
std::string letters(int n) {
    std::string text;
    do {
        text.insert(text.begin(), static_cast<char>('a' + n % 26));
        n /= 26;
    } while (n > 0);
    return text.size() < 2 ? "a" + text : text;
}

std::string benchStory() {
    std::string text =
        "class Raum { setShort(\"-Halle\"); }\n"
        "class Spieler { setShort(\"$Ich\"); moveto(Raum); }\n";
    for (int k = 0; k < kObjects; ++k) {
        const std::string w = letters(k);
        text += "class Ding" + std::to_string(k) + " { setShort(\"+blau* Klotz" + w +
                ", -alt* Kiste" + w + "\"); moveto(Raum); }\n";
    }
    for (int k = 0; k < kDaemons; ++k) {
        text += "class Daemon" + std::to_string(k) +
                " { int zaehler = 0; void init() { startDaemon; } void daemon() { zaehler++; } }\n";
    }
    text +=
        "int scope(object o) { return(1); }\n"
        "int onAction(string v) { return(1); }\n"
        "int fehler = 0;\n"
        "void parserError(int code, string word, object o) { fehler++; }\n"
        "void main() { setPlayer(Spieler); }\n";
    // Verbs spread over the letters, so that a command's first letter lets
    // about a dozen of them through the quick test; the ones the commands
    // mean come last.
    const char* const shapes[] = {" #noun", " #noun mit #noun", " #held", " #multi", " #topic"};
    for (int k = 0; k < kVerbs - 2; ++k) {
        const char first = static_cast<char>('a' + k % 26);
        text += "verb(\"" + std::string(1, first) + "erb" + letters(k) + shapes[k % 5] + "\", v" +
                std::to_string(k % 100) + ", 0);\n";
    }
    text += "verb(\"gib #noun an #noun\", gib, 0);\n";
    text += "verb(\"nimm|nehme #noun\", nimm, 0);\n";
    return text;
}

class BenchServices : public velmo::test::RecordingServices {
public:
    void writeText(const std::string&) override {}
};

// The story, loaded once and started.
struct BenchWorld {
    BenchWorld() {
        namespace fs = std::filesystem;
        file = (fs::temp_directory_path() /
                ("velmo-parser-bench-" + std::to_string(::getpid()) + ".velmo"))
                   .string();
        std::ofstream(file, std::ios::binary) << benchStory();
        story = std::make_unique<velmo::tstory>(services);
        loaded = velmo::loadStory(file, *story, source);
        if (!loaded) return;
        story->root().vars.declare("quote,topic,number", velmo::kTypeText, services.stopped, 0);
        story->root().vars.declare("count", velmo::kTypeInt, services.stopped, 0);
        velmo::tinterpreter interpreter(*story);
        std::string result;
        for (const auto& child : story->root().children())
            if (child->getKind() == velmo::kKindObject && child->findChild("init"))
                interpreter.Run(0, child.get(), result, "", "init");
        interpreter.Run(0, &story->root(), result, "", "main");
        loaded = !services.isStopped() && story->scope.size() > kObjects;
    }
    ~BenchWorld() {
        story.reset();
        services.setLineMapper(nullptr);
        std::error_code ec;
        std::filesystem::remove(file, ec);
    }

    BenchServices services;
    velmo::tstorysource source;
    std::unique_ptr<velmo::tstory> story;
    std::string file;
    bool loaded = false;
};

BenchWorld& world() {
    static BenchWorld w;
    return w;
}

int32_t failures(BenchWorld& w) {
    std::string value;
    w.story->root().vars.getValue("fehler", value);
    return std::stoi(value);
}

// Times one command, after checking once that it is recognised, or that it
// fails, as the benchmark means it to.
void runCommand(benchmark::State& state, const std::string& command, bool recognised) {
    BenchWorld& w = world();
    if (!w.loaded) {
        state.SkipWithError("story not loaded");
        return;
    }
    const int32_t before = failures(w);
    velmo::parseCommand(*w.story, command);
    if ((failures(w) == before) != recognised) {
        state.SkipWithError(recognised ? "the command was not recognised"
                                       : "the command did not fail");
        return;
    }
    for (auto _ : state) velmo::parseCommand(*w.story, command);
    if (w.services.isStopped()) state.SkipWithError("the story stopped");
}

const std::string kLast = letters(kObjects - 1);
const std::string kNearLast = letters(kObjects - 2);

void BM_NameTheLastObject(benchmark::State& state) {
    runCommand(state, "nimm den blauen klotz" + kLast, true);
}
BENCHMARK(BM_NameTheLastObject)->Unit(benchmark::kMicrosecond);

void BM_NameTheLastObjectBySecondVariant(benchmark::State& state) {
    runCommand(state, "nimm die alte kiste" + kLast, true);
}
BENCHMARK(BM_NameTheLastObjectBySecondVariant)->Unit(benchmark::kMicrosecond);

void BM_TwoObjectsNearTheEnd(benchmark::State& state) {
    runCommand(state, "gib klotz" + kNearLast + " an kiste" + kLast, true);
}
BENCHMARK(BM_TwoObjectsNearTheEnd)->Unit(benchmark::kMicrosecond);

void BM_FailUnknownObject(benchmark::State& state) {
    runCommand(state, "nimm den gruenen stein", false);
}
BENCHMARK(BM_FailUnknownObject)->Unit(benchmark::kMicrosecond);

void BM_FailUnknownVerb(benchmark::State& state) { runCommand(state, "tanze wild herum", false); }
BENCHMARK(BM_FailUnknownVerb)->Unit(benchmark::kMicrosecond);

}  // namespace
