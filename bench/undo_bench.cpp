// Memory of the undo stack: a story of 1,000 objects, 1,000 commands that
// each change one object (a variable, an attribute or its place), one
// snapshot before each command, as the player takes them. Reports the
// bytes the whole stack holds beyond what the snapshots share.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "model/story.h"
#include "tests/support/recording_services.h"

namespace {

using namespace velmo;

constexpr int kObjects = 1000;
constexpr int kCommands = 1000;

void UndoStackOfThousandCommands(benchmark::State& state) {
    for (auto _ : state) {
        test::RecordingServices services;
        tstory story(services);
        tnode& root = story.root();
        bool flag = false;
        root.vars.declare("actor,player", kTypeObject, flag, 1);
        tnode* thing = root.addChild(kKindObject, "Ding", &flag, 1, 3);
        thing->vars.declare("gewicht=1,wert=10,zustand=\"zu\",notiz=\"nichts Besonderes\"",
                            kTypeText, flag, 1);
        thing->attrs->withAttr("sichtbar,tragbar", 1, flag);
        tnode* room = root.addChild(kKindObject, "Halle", &flag, 1, 3);
        std::vector<tnode*> objects;
        for (int i = 0; i < kObjects; ++i) {
            tnode* object =
                root.addChild(kKindObject, "Ding" + std::to_string(i) + ":Ding", &flag, 2, 3);
            object->setShortName("+gro\xDF* Schrank, -alt* Kommode");
            object->setLongDescription("Ein wuchtiger alter Schrank aus Eichenholz, Nummer " +
                                       std::to_string(i) + ".");
            object->moveTo(room);
            objects.push_back(object);
        }
        story.player = objects[0];
        story.rebuildScope(objects[0]);

        std::size_t stackBytes = 0;
        for (int c = 0; c < kCommands; ++c) {
            story.pushUndo();
            stackBytes += story.undoTopOwnBytes();
            tnode* changed = objects[static_cast<std::size_t>((c * 7919) % kObjects)];
            switch (c % 3) {
            case 0: changed->vars.setValue("zustand", "offen" + std::to_string(c), 0); break;
            case 1: changed->attrs->withAttr(c % 2 ? "~tragbar" : "tragbar", 0, flag); break;
            default: changed->moveTo(c % 2 ? room : objects[1]); break;
            }
        }
        state.counters["undo_MB"] = static_cast<double>(stackBytes) / (1024.0 * 1024.0);
        benchmark::DoNotOptimize(stackBytes);
    }
}
BENCHMARK(UndoStackOfThousandCommands)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
