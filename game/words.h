#ifndef VELMO_GAME_WORDS_H
#define VELMO_GAME_WORDS_H

// The words of a command. A sentence is split at blanks and commas, a
// quoted text staying one word with its quotes; the pronouns "ihn",
// "ihm", "ihr", "sie" and "es" can stand for the object of the last
// command. When the command is not addressed to someone ("hans, nimm
// apfel"), its commas become words of their own, so that the verbs can
// see them as conjunctions.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

// The words of the sentence, split at blanks and commas.
std::vector<std::string> splitWords(std::string_view sentence);

// True for "ihn", "ihm", "ihr", "sie" and "es".
bool isPronoun(std::string_view word);

// Replaces every pronoun among the words by `pronounText` (which may hold
// a blank: it still stands as one word). Nothing without a pronoun text.
void replacePronouns(std::vector<std::string>& words, const std::string& pronounText);

// The commas of the sentence, also those inside quotes.
int32_t countCommas(std::string_view sentence);

// The sentence split again with its commas kept as words, into a list of
// `size` words (the plain words plus the commas): entries that nothing
// fills stay empty. That happens when a quoted text holds a comma, which
// was counted but does not split.
std::vector<std::string> splitWithCommas(std::string_view sentence, std::size_t size);

}  // namespace velmo

#endif
