#include "story/strings.h"

#include <unordered_set>

#include "model/parsetree.h"
#include "story/scanner.h"

namespace velmo {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The table line that the digits from `pos` name; `pos` moves past all of
// them. Null when there are none or the number lies outside the table; the
// value stops growing once it is past the table, so no digit run overflows.
const std::string* markedLine(const std::vector<std::string>& table, const std::string& text,
                              std::size_t& pos) {
    const std::size_t first = pos;
    std::size_t number = 0;
    bool inTable = true;
    for (; pos < text.size() && isDigit(text[pos]); ++pos) {
        if (!inTable) continue;
        number = number * 10 + static_cast<std::size_t>(text[pos] - '0');
        inTable = number < table.size();
    }
    if (pos == first || !inTable) return nullptr;
    return &table[number];
}

void restoreNode(tstringsource& source, tnode& node, std::unordered_set<const tcode*>& done) {
    for (std::size_t i = 0; i < node.vars.size(); ++i) {
        tvar& var = node.vars.at(i);
        if (var.type == kTypeText) restoreStrings(source, var.value);
    }
    for (int32_t i = 0; i < node.code.Count(); ++i) {
        tcode* record = node.code.MutableAt(i);
        if (record->paramText.empty() || !done.insert(record).second) continue;
        if (record->paramCount() < 2) {
            restoreStrings(source, record->paramText, record->line);
            continue;
        }
        // Each parameter on its own, so that their ends move with the texts.
        TParameters forms = record->paramList();
        for (std::string& form : forms) restoreStrings(source, form, record->line);
        record->setParams(forms);
    }
    for (const auto& child : node.children()) restoreNode(source, *child, done);
}

tstringsource sourceOf(tscanner& scanner) {
    return tstringsource{scanner.stringTable, scanner.services, scanner.error};
}

}  // namespace

bool restoreStrings(tstringsource& source, std::string& text, int32_t line) {
    std::size_t marker = text.find(kStringMarker);
    if (marker == std::string::npos) return true;

    bool good = true;
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (marker != std::string::npos) {
        out.append(text, pos, marker - pos);
        pos = marker + 1;
        const std::string* literal = markedLine(source.table, text, pos);
        if (literal && literal->size() <= source.budget) {
            source.budget -= literal->size();
            out += *literal;
        } else {
            good = false;
            source.services.showError(source.error, line, "Syntaxfehler");
        }
        marker = text.find(kStringMarker, pos);
    }
    out.append(text, pos, std::string::npos);
    text = std::move(out);
    return good;
}

bool restoreStrings(tscanner& scanner, std::string& text, int32_t line) {
    tstringsource source = sourceOf(scanner);
    return restoreStrings(source, text, line);
}

void restoreAllStrings(tstringsource& source, tnode& node) {
    std::unordered_set<const tcode*> done;
    restoreNode(source, node, done);
}

void restoreAllStrings(tscanner& scanner, tnode& node) {
    tstringsource source = sourceOf(scanner);
    restoreAllStrings(source, node);
}

}  // namespace velmo
