// The command parser on big worlds: 1,000, 10,000 and 100,000 objects in
// the player's room, each with two name variants (an adjective and a
// noun), 300 verbs and 50 daemons. Each iteration parses one command and
// runs its turn end. Commands name objects near the end of the scope
// list, or fail after looking at every object. Beside the commands: the
// time to load each world, a command with the undo snapshot the front end
// takes before it, and the undo memory of 1,000 commands with a snapshot
// before each.

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "game/parser.h"
#include "model/story.h"
#include "script/interpreter.h"
#include "story/loader.h"
#include "tests/support/recording_services.h"

namespace {

constexpr int kSizes[] = {1000, 10000, 100000};
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

std::string benchStory(int objects) {
    std::string text =
        "class Raum { setShort(\"-Halle\"); }\n"
        "class Spieler { setShort(\"$Ich\"); moveto(Raum); }\n";
    for (int k = 0; k < objects; ++k) {
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

std::string storyFile(int objects) {
    namespace fs = std::filesystem;
    return (fs::temp_directory_path() / ("velmo-parser-bench-" + std::to_string(::getpid()) + "-" +
                                         std::to_string(objects) + ".velmo"))
        .string();
}

// Loads the story file of a world of `objects` and starts it as the
// front end does; false when it did not load or has no player in a room
// with those objects.
bool startWorld(const std::string& file, int objects, BenchServices& services,
                velmo::tstorysource& source, velmo::tstory& story) {
    if (!velmo::loadStory(file, story, source)) return false;
    story.root().vars.declare("quote,topic,number", velmo::kTypeText, services.stopped, 0);
    story.root().vars.declare("count", velmo::kTypeInt, services.stopped, 0);
    velmo::tinterpreter interpreter(story);
    std::string result;
    for (const auto& child : story.root().children())
        if (child->getKind() == velmo::kKindObject && child->findChild("init"))
            interpreter.Run(0, child.get(), result, "", "init");
    interpreter.Run(0, &story.root(), result, "", "main");
    return !services.isStopped() && story.scope.size() > static_cast<std::size_t>(objects);
}

// The story of one size, loaded and started.
struct BenchWorld {
    explicit BenchWorld(int objectCount) : objects(objectCount), file(storyFile(objectCount)) {
        std::ofstream(file, std::ios::binary) << benchStory(objects);
        story = std::make_unique<velmo::tstory>(services);
        loaded = startWorld(file, objects, services, source, *story);
    }
    ~BenchWorld() {
        story.reset();
        services.setLineMapper(nullptr);
        std::error_code ec;
        std::filesystem::remove(file, ec);
    }

    int objects;
    std::string file;
    BenchServices services;
    velmo::tstorysource source;
    std::unique_ptr<velmo::tstory> story;
    bool loaded = false;
};

// One world at a time: the benchmarks run size by size, and a world of
// 100,000 objects is big.
BenchWorld& world(int objects) {
    static std::unique_ptr<BenchWorld> w;
    if (!w || w->objects != objects) {
        w.reset();
        w = std::make_unique<BenchWorld>(objects);
    }
    return *w;
}

int32_t failures(BenchWorld& w) {
    std::string value;
    w.story->root().vars.getValue("fehler", value);
    return std::stoi(value);
}

// Times one command, after checking once that it is recognised, or that it
// fails, as the benchmark means it to.
void runCommand(benchmark::State& state, int objects, const std::string& command, bool recognised) {
    BenchWorld& w = world(objects);
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

// One command as the front end runs it: an undo snapshot, then the
// command. The snapshots are dropped every 1,000 commands, as a long game
// would keep them.
void runCommandWithSnapshot(benchmark::State& state, int objects, const std::string& command) {
    BenchWorld& w = world(objects);
    if (!w.loaded) {
        state.SkipWithError("story not loaded");
        return;
    }
    w.story->dropUndo();
    w.story->pushUndo();  // the first snapshot reads the whole world
    int taken = 0;
    for (auto _ : state) {
        w.story->pushUndo();
        velmo::parseCommand(*w.story, command);
        if (++taken % 1000 == 0) w.story->dropUndo();
    }
    w.story->dropUndo();
    if (w.services.isStopped()) state.SkipWithError("the story stopped");
}

// Loading the story file of the world's size (written by the world).
void loadWorld(benchmark::State& state, int objects) {
    const std::string file = world(objects).file;
    for (auto _ : state) {
        BenchServices services;
        velmo::tstorysource source;
        velmo::tstory story(services);
        if (!velmo::loadStory(file, story, source)) state.SkipWithError("story not loaded");
        services.setLineMapper(nullptr);
    }
}

// The first command of a freshly started world: loading leaves the name
// forms of the objects to be made when the parser first asks for them, so
// this command pays for making them.
void firstCommand(benchmark::State& state, int objects) {
    const std::string file = world(objects).file;
    const std::string command = "nimm den blauen klotz" + letters(objects - 1);
    for (auto _ : state) {
        state.PauseTiming();
        {
            BenchServices services;
            velmo::tstorysource source;
            auto story = std::make_unique<velmo::tstory>(services);
            if (!startWorld(file, objects, services, source, *story)) {
                state.SkipWithError("story not loaded");
                break;
            }
            state.ResumeTiming();
            velmo::parseCommand(*story, command);
            state.PauseTiming();
            story.reset();
            services.setLineMapper(nullptr);
        }
        state.ResumeTiming();
    }
}

// 1,000 commands, each after an undo snapshot; the counter is what the
// snapshots hold beyond what they share.
void undoMemory(benchmark::State& state, int objects) {
    BenchWorld& w = world(objects);
    const std::string command = "nimm den blauen klotz" + letters(objects - 1);
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (int k = 0; k < 1000; ++k) {
            w.story->pushUndo();
            bytes += w.story->undoTopOwnBytes();
            velmo::parseCommand(*w.story, command);
        }
        w.story->dropUndo();
        state.counters["undo_MB_per_1000"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
    }
}

// Registered size by size, so that each world is built once.
const bool registered = [] {
    for (const int n : kSizes) {
        const std::string size = "/" + std::to_string(n);
        const std::string last = letters(n - 1);
        const std::string nearLast = letters(n - 2);
        const struct {
            const char* name;
            std::string command;
            bool recognised;
        } commands[] = {
            {"NameTheLastObject", "nimm den blauen klotz" + last, true},
            {"NameTheLastObjectBySecondVariant", "nimm die alte kiste" + last, true},
            {"TwoObjectsNearTheEnd", "gib klotz" + nearLast + " an kiste" + last, true},
            {"FailUnknownObject", "nimm den gruenen stein", false},
            {"FailUnknownVerb", "tanze wild herum", false},
        };
        for (const auto& c : commands) {
            benchmark::RegisterBenchmark(
                ("BM_" + std::string(c.name) + size).c_str(),
                [n, command = c.command, recognised = c.recognised](benchmark::State& state) {
                    runCommand(state, n, command, recognised);
                })
                ->Unit(benchmark::kMicrosecond);
        }
        benchmark::RegisterBenchmark(("BM_NameTheLastObjectWithSnapshot" + size).c_str(),
                                     [n, command = "nimm den blauen klotz" + last](
                                         benchmark::State& state) {
                                         runCommandWithSnapshot(state, n, command);
                                     })
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_Load" + size).c_str(),
                                     [n](benchmark::State& state) { loadWorld(state, n); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
        benchmark::RegisterBenchmark(("BM_FirstCommand" + size).c_str(),
                                     [n](benchmark::State& state) { firstCommand(state, n); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
        benchmark::RegisterBenchmark(("BM_UndoMemory" + size).c_str(),
                                     [n](benchmark::State& state) { undoMemory(state, n); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
    return true;
}();

}  // namespace
