// Reading and preparing a big story source: the reader with its includes
// and directives, then definitions, character rules and operator folding.

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>

#include "story/characters.h"
#include "story/scanner.h"
#include "tests/support/generated_story.h"
#include "tests/support/recording_services.h"

namespace {

using velmo::test::RecordingServices;

// The generated story of about 2 MB, written once to a temporary file.
const std::string& storyFile() {
    static const std::string path = [] {
        auto file = std::filesystem::temp_directory_path() /
                    ("velmo-bench-" + std::to_string(::getpid()) + ".velmo");
        std::ofstream(file, std::ios::binary) << velmo::test::generatedStory(2u << 20);
        return file.string();
    }();
    return path;
}

struct RemoveStory {
    ~RemoveStory() {
        std::error_code ec;
        std::filesystem::remove(storyFile(), ec);
    }
} removeStory;

void BM_ReadAndPrepareStory(benchmark::State& state) {
    const std::string& path = storyFile();
    std::size_t bytes = std::filesystem::file_size(path);
    for (auto _ : state) {
        RecordingServices services;
        velmo::tfilelist files;
        velmo::tdeflist definitions;
        velmo::tscanner scanner(services, files, definitions);
        if (!scanner.readProgram(path, true)) state.SkipWithError("story not read");
        benchmark::DoNotOptimize(scanner.programText.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ReadAndPrepareStory)->Unit(benchmark::kMillisecond);

// The character pass alone, on the text as the reader leaves it.
void BM_CharacterRules(benchmark::State& state) {
    RecordingServices services;
    velmo::tfilelist files;
    velmo::tdeflist definitions;
    velmo::tscanner scanner(services, files, definitions);
    files.clear("bench.velmo");
    std::string text = scanner.readSource(storyFile());
    std::string out;
    velmo::tbadcharacter bad;
    for (auto _ : state) {
        if (!velmo::applyCharacterRules(text, out, bad)) state.SkipWithError("bad character");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_CharacterRules)->Unit(benchmark::kMillisecond);

}  // namespace
