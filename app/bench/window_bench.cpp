// The desktop window: how long it takes to open on the demo story (the
// window built and shown, the story loaded, its first screen painted),
// and how long one key stroke takes at the input line when the text area
// holds half a million characters (the key handled and the text
// repainted).
//
// Runs on the offscreen platform unless a display is named, so that the
// figure does not depend on a window manager.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTextDocument>
#include <cstdlib>
#include <string>

#include "app/mainwindow.h"
#include "app/qtplatform.h"
#include "app/textview.h"

namespace {

using namespace velmo;

const std::string kDemoStory = std::string(VELMO_SOURCE_DIR) + "/stories/uhrmacher.velmo";

void paintNow(tmainwindow& window) {
    QCoreApplication::processEvents();
    window.repaint();
}

void WindowOpensOnTheDemoStory(benchmark::State& state) {
    for (auto _ : state) {
        tmainwindow window;
        window.show();
        window.openStartStory(kDemoStory);
        paintNow(window);
        if (!window.game().storyOpen()) state.SkipWithError("the demo story did not open");
        state.PauseTiming();
        window.close();
        state.ResumeTiming();
    }
}
BENCHMARK(WindowOpensOnTheDemoStory)->Unit(benchmark::kMillisecond);

void pressKey(ttextview& view, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(&view, &press);
}

void KeyStrokeWithHalfAMillionCharacters(benchmark::State& state) {
    tmainwindow window;
    window.show();
    window.openStartStory(kDemoStory);
    // Earlier text, as a long game leaves it: lines of 60 characters,
    // until the text area holds half a million.
    const std::string line = std::string(59, 'x') + "\n";
    const QTextDocument& shown = *window.textView().document();
    while (shown.characterCount() < 500000) window.host().append(line);
    window.host().append(">");
    window.game().keyDown(tkey::end, {});
    paintNow(window);
    state.counters["characters"] = shown.characterCount();
    for (auto _ : state) {
        pressKey(window.textView(), Qt::Key_A, QStringLiteral("a"));
        window.textView().viewport()->repaint();
        pressKey(window.textView(), Qt::Key_Backspace, QString());
        window.textView().viewport()->repaint();
    }
    state.SetItemsProcessed(state.iterations() * 2);
    window.close();
}
BENCHMARK(KeyStrokeWithHalfAMillionCharacters)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
