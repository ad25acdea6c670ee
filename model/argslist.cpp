#include "model/argslist.h"

#include <algorithm>

#include "base/services.h"
#include "base/tokenizer.h"
#include "model/varlist.h"

namespace velmo {

namespace {

struct ttypeword {
    const char* word;
    int32_t type;
};
constexpr ttypeword kTypeWords[] = {
    {"int", kTypeInt}, {"string", kTypeText}, {"object", kTypeObject}};

// The call's values, split at "," outside double quotes. Unlike the
// tokenizer this keeps empty fields: an empty string value must still
// take its parameter's place, or every later value would shift by one.
std::vector<std::string> splitArguments(const std::string& text) {
    std::vector<std::string> fields;
    if (text.empty()) return fields;
    bool inQuote = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') inQuote = !inQuote;
        if (text[i] == ',' && !inQuote) {
            fields.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    fields.push_back(text.substr(start));
    return fields;
}

// A parameter name that declares exactly one plain variable.
bool plainName(const std::string& name) {
    return !name.empty() && name.find_first_of("(),=[]\"") == std::string::npos;
}

}  // namespace

targslist::targslist(tservices& frontEnd, const std::string& declaration, int32_t line)
    : services(&frontEnd) {
    failed = true;  // until a parameter is recognised
    ttokenizer entries(declaration, tcharset(","), tcharset("\""), false);
    for (const std::string& entry : entries.Tokens()) {
        for (const ttypeword& t : kTypeWords) {
            const std::string_view word(t.word);
            if (entry.size() > word.size() && entry.compare(0, word.size(), word) == 0) {
                items.push_back({entry.substr(word.size()), t.type});
                failed = false;
            }
        }
        if (failed) services->showError(failed, line, "ung\xFClte Argumentenliste");
    }
    // A header without parameters is no failure.
    if (entries.Count() == 0) failed = false;
}

bool targslist::Bind(int32_t line, const std::string& argText, tvarlist& locals) {
    if (failed) return false;
    const std::vector<std::string> values = splitArguments(argText);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const targ& param = items[i];
        const std::string name = param.name.substr(0, kMaxVarName);
        if (!plainName(name) || locals.exists(name)) {
            services->showError(failed, line,
                                "\xFC"
                                "bergebene Argumente stimmen nicht mit Deklaration \xFC"
                                "berein");
            return false;
        }
        // The variable is declared first and then given the value as it
        // came: declaring "name=value" in one text would cut a value that
        // holds "(", "=" or "[" at that character.
        bool declareError = false;
        locals.declare(name, param.type, declareError, line);
        std::string value = i < values.size() ? values[i] : std::string();
        if (param.type == kTypeText)
            value.erase(std::remove(value.begin(), value.end(), '"'), value.end());
        // An empty value leaves the type's default ("0", "" or "NULL").
        if (!value.empty()) locals.at(locals.size() - 1).value = std::move(value);
    }
    return !failed;
}

}  // namespace velmo
