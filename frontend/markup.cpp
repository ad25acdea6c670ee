#include "frontend/markup.h"

#include <array>

#include "base/declension.h"
#include "base/encoding.h"
#include "base/internalerror.h"
#include "model/parsetree.h"
#include "model/story.h"

namespace velmo {

namespace {

// A tag's "<" must find its ">" within this many characters.
constexpr std::size_t kTagReach = 255;

// The article words of a tag: index mod 4 is the case, below 4 definite.
const std::array<std::string, 8> kArticleWords = {"der ", "den ",   "des ",   "dem ",
                                                  "ein ", "einen ", "eines ", "einem "};
const std::array<std::string, 4> kPlayerPronouns = {"du", "dich", "", "dir"};
const std::array<std::string, 4> kPluralDefinite = {"die ", "die ", "der ", "den "};
const std::array<std::string, 4> kPluralNegation = {"keine ", "keine ", "keiner ", "keinen "};
const std::array<std::string, 4> kProperNegationMasculine = {"kein ", "keinen ", "keines ",
                                                             "keinem "};
const std::array<std::string, 4> kProperNegationFeminine = {"keine ", "keine ", "keiner ",
                                                            "keiner "};

void replaceAll(std::string& text, char from, char to) {
    for (char& c : text)
        if (c == from) c = to;
}

// Everything after the first blank; the text itself when it has none.
std::string withoutFirstWord(const std::string& text) {
    std::size_t blank = text.find(' ');
    return blank == std::string::npos ? text : text.substr(blank + 1);
}

std::string firstWord(const std::string& text) {
    std::size_t blank = text.find(' ');
    return blank == std::string::npos ? text : text.substr(0, blank);
}

void capitalise(std::string& text) {
    if (!text.empty()) text[0] = cpUpper(text[0]);
}

// A tag's content split into its first word with its blank, the second
// word and the rest.
struct ttagparts {
    std::string a;
    std::string n;
    std::string v;
};

ttagparts splitTag(const std::string& content) {
    ttagparts parts;
    std::size_t blank = content.find(' ');
    if (blank == std::string::npos) {
        parts.n = content;
        return parts;
    }
    parts.a = content.substr(0, blank + 1);
    std::string rest = content.substr(blank + 1);
    std::size_t second = rest.find(' ');
    if (second == std::string::npos) {
        parts.n = rest;
    } else {
        parts.n = rest.substr(0, second);
        parts.v = rest.substr(second + 1);
    }
    return parts;
}

bool isPlural(const tnode& node) {
    return !node.shortNames().empty() && node.shortNames()[0].plural;
}

// The name of an object in a case with its article; false when the tag
// cannot be resolved (no article word, or an object without names).
bool objectReference(tstory& story, tnode& node, ttagparts parts, std::string& out) {
    bool noArticle = false;
    bool negation = false;
    if (!parts.a.empty() && parts.a[0] == '~') {
        noArticle = true;
        parts.a.erase(0, 1);
    } else if (!parts.a.empty() && parts.a[0] == '!') {
        negation = true;
        parts.a.erase(0, 1);
    }
    bool capitals = false;
    if (!parts.a.empty() && static_cast<unsigned char>(parts.a[0]) <= 'Z') {
        capitals = true;
        parts.a = lowerCase(parts.a);
    }
    int32_t index = -1;
    for (std::size_t i = 0; i < kArticleWords.size(); ++i)
        if (parts.a == kArticleWords[i]) index = static_cast<int32_t>(i);
    if (index < 0) return false;
    const int32_t grammaticalCase = index % 4;
    const bool indefinite = index >= 4;
    const std::size_t c = static_cast<std::size_t>(grammaticalCase);

    if (&node == story.player) {
        out = kPlayerPronouns[c];
        if (capitals) capitalise(out);
        return true;
    }
    if (node.shortNames().empty()) return false;

    if (!node.getShortName().empty() && node.getShortName()[0] == '$') {
        out = node.nameForm(grammaticalCase, true, kDefinite);
        if (negation) {
            const char last = out.empty() ? ' ' : out.back();
            const bool feminine = last == 'a' || last == 'e' || last == 'i';
            if (out.find(' ') != std::string::npos) out = withoutFirstWord(out);
            out = (feminine ? kProperNegationFeminine[c] : kProperNegationMasculine[c]) + out;
        }
    } else {
        // A plural name has no indefinite article: it takes the definite
        // form, whose adjective endings suit the plural article.
        const bool useIndefinite = (indefinite || negation || (noArticle && index == 0)) &&
                                   !(isPlural(node) && !noArticle);
        out = node.nameForm(grammaticalCase, true, useIndefinite ? kIndefinite : kDefinite);
        if (noArticle) {
            out = withoutFirstWord(out);
        } else {
            if (isPlural(node))
                out = (negation ? kPluralNegation[c] : kPluralDefinite[c]) + withoutFirstWord(out);
            else if (negation)
                out = "k" + out;
            if (capitals) capitalise(out);
        }
    }
    if (!parts.v.empty()) {
        out += ' ';
        if (parts.v.find(' ') == std::string::npos)
            out += parts.v;
        else
            out += isPlural(node) ? withoutFirstWord(parts.v) : firstWord(parts.v);
    }
    return true;
}

class tresolver {
public:
    tresolver(tstory* owner, tresolvedtext& resolved) : story(owner), result(resolved) {}

    // Resolves the tag whose content is given, found at `position` of the
    // text; false when it cannot be resolved.
    bool resolveTag(const std::string& content, int32_t position, std::string& replacement) {
        ttagparts parts = splitTag(content);
        tnode* node = story && !parts.n.empty() ? story->root().findChild(parts.n) : nullptr;
        if (node) return objectReference(*story, *node, parts, replacement);
        replacement.clear();
        if (parts.n.size() < 2) {
            styleMark(parts.n, position);
            return true;
        }
        const bool playerActs = !story || story->actor == story->player;
        if (playerActs) {
            replacement = parts.a;
            if (!replacement.empty()) replacement.pop_back();
        } else {
            replacement = parts.n;
        }
        return true;
    }

private:
    void styleMark(const std::string& mark, int32_t position) {
        if (mark == "/") {
            if (!result.runs.empty()) result.runs.back().end = position;
            return;
        }
        tstyle style;
        if (mark == "b")
            style = tstyle::bold;
        else if (mark == "i")
            style = tstyle::italic;
        else if (mark == "u")
            style = tstyle::underline;
        else if (mark == "s")
            style = tstyle::strike;
        else
            return;
        result.runs.push_back({position, -1, style});
    }

    tstory* story;
    tresolvedtext& result;
};

bool endsWithLineBreak(const std::string& text) {
    return !text.empty() && (text.back() == '^' || text.back() == '\n');
}

}  // namespace

tresolvedtext resolveMarkup(const std::string& input, tstory* story, int32_t columns) {
    tresolvedtext result;
    std::string text = input;
    // A text exactly as wide as a line gets a blank, so that text written
    // after it on the same line stays a word apart. After a line break
    // that blank would start the next line instead (and show as a line of
    // one blank, or indent what follows), so there it is left out.
    if (static_cast<int64_t>(text.size()) == columns && !endsWithLineBreak(text)) text += ' ';
    replaceAll(text, '\\', '"');
    replaceAll(text, '^', '\n');

    tresolver resolver(story, result);
    std::size_t from = 0;
    std::string replacement;
    while ((from = text.find('<', from)) != std::string::npos) {
        std::size_t close = text.find('>', from);
        if (close == std::string::npos || close - from >= kTagReach) {
            // Not a tag: the "<" stays as written.
            ++from;
            continue;
        }
        const std::string content = text.substr(from + 1, close - from - 1);
        bool ok = false;
        try {
            ok = resolver.resolveTag(content, static_cast<int32_t>(from), replacement);
        } catch (const std::exception& failure) {
            reportInternalError("Textmarke", failure);
            ok = false;
        }
        if (!ok) {
            result.failed = true;
            result.resolvedPart = text.substr(0, from);
            break;
        }
        text.replace(from, close - from + 1, replacement);
        from += replacement.size();
    }
    const int32_t length = static_cast<int32_t>(text.size());
    for (tstylerun& run : result.runs)
        if (run.end < 0) run.end = length;
    result.text = std::move(text);
    return result;
}

}  // namespace velmo
