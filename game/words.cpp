#include "game/words.h"

#include <array>

#include "base/tokenizer.h"
#include "game/parser.h"
#include "model/story.h"

namespace velmo {

namespace {

const tcharset& wordDelimiters() {
    static const tcharset set(" ,");
    return set;
}

const tcharset& quoteGrouping() {
    static const tcharset set("\"");
    return set;
}

constexpr std::array<std::string_view, 5> kPronouns{"ihn", "ihm", "ihr", "sie", "es"};

}  // namespace

std::vector<std::string> splitWords(std::string_view sentence) {
    ttokenizer tokens(sentence, wordDelimiters(), quoteGrouping(), false);
    return tokens.Tokens();
}

bool isPronoun(std::string_view word) {
    for (std::string_view pronoun : kPronouns)
        if (word == pronoun) return true;
    return false;
}

void replacePronouns(std::vector<std::string>& words, const std::string& pronounText) {
    if (pronounText.empty()) return;
    for (std::string& word : words)
        if (isPronoun(word)) word = pronounText;
}

int32_t countCommas(std::string_view sentence) {
    int32_t commas = 0;
    for (char c : sentence)
        if (c == ',') ++commas;
    return commas;
}

std::vector<std::string> splitWithCommas(std::string_view sentence, std::size_t size) {
    const ttokenizer tokens(sentence, wordDelimiters(), quoteGrouping(), true);
    std::vector<std::string> words(size);
    std::size_t next = 0;
    for (const std::string& token : tokens.Tokens()) {
        if (token == " ") continue;
        // Every kept token is a word or a counted comma, so the list is
        // large enough; grow it all the same rather than drop a word.
        if (next == words.size()) words.emplace_back();
        words[next++] = token;
    }
    return words;
}

}  // namespace velmo
