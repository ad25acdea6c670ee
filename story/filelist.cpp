#include "story/filelist.h"

#include <algorithm>

namespace velmo {

void tfilelist::clear(const std::string& newStoryName) {
    storyName = newStoryName;
    files.clear();
    sources.assign(1, std::string());
    paths.assign(1, std::string());
    runs.clear();
}

int32_t tfilelist::addSource(const std::string& name, const std::string& path) {
    if (sources.empty()) sources.emplace_back();
    sources.push_back(name);
    paths.resize(sources.size() - 1);
    paths.push_back(path);
    return static_cast<int32_t>(sources.size() - 1);
}

void tfilelist::noteLine(int32_t programLine, int32_t source, int32_t fileLine) {
    if (!runs.empty()) {
        const trun& last = runs.back();
        if (last.source == source && programLine - last.programLine == fileLine - last.fileLine)
            return;
    }
    runs.push_back({programLine, fileLine, source});
}

std::string tfilelist::sourceName(int32_t source) const {
    if (source <= 0 || static_cast<std::size_t>(source) >= sources.size()) return storyName;
    return sources[static_cast<std::size_t>(source)];
}

int32_t tfilelist::sourceOf(int32_t& line) const {
    // A compiled story has no line origins: its lines are the story's.
    if (runs.empty() || line < runs.front().programLine) return -1;
    // The last run that starts at or before the line; lines past the end
    // of the text continue the last run.
    auto after = std::upper_bound(runs.begin(), runs.end(), line,
                                  [](int32_t l, const trun& run) { return l < run.programLine; });
    const trun& run = *(after - 1);
    line = run.fileLine + (line - run.programLine);
    return run.source;
}

std::string tfilelist::mapLine(int32_t& line) const { return sourceName(sourceOf(line)); }

std::string tfilelist::mapLineToPath(int32_t& line) const {
    const int32_t source = std::max(sourceOf(line), 0);
    return static_cast<std::size_t>(source) < paths.size() ? paths[static_cast<std::size_t>(source)]
                                                           : paths.front();
}

}  // namespace velmo
