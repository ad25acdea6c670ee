#include "model/argslist.h"

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

// The call's values one after another, split at "," outside double
// quotes. Unlike the tokenizer this keeps empty fields: an empty string
// value must still take its parameter's place, or every later value
// would shift by one. After the last field every further one is empty.
class targumentcursor {
public:
    explicit targumentcursor(std::string_view argText) : text(argText), done(argText.empty()) {}

    std::string_view next() {
        if (done) return {};
        bool inQuote = false;
        std::size_t i = at;
        for (; i < text.size(); ++i) {
            if (text[i] == '"') inQuote = !inQuote;
            if (text[i] == ',' && !inQuote) break;
        }
        const std::string_view field = text.substr(at, i - at);
        done = i >= text.size();
        at = i + 1;
        return field;
    }

private:
    std::string_view text;
    std::size_t at = 0;
    bool done;
};

// A parameter name that declares exactly one plain variable.
bool plainName(std::string_view name) {
    return !name.empty() && name.find_first_of("(),=[]\"") == std::string_view::npos;
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

bool targslist::bindsDirectly() {
    if (failed) return false;
    if (namesChecked) return namesDirect;
    namesChecked = true;
    namesDirect = true;
    for (std::size_t i = 0; i < items.size() && namesDirect; ++i) {
        const std::string_view name = std::string_view(items[i].name).substr(0, kMaxVarName);
        namesDirect = plainName(name);
        for (std::size_t k = 0; k < i && namesDirect; ++k)
            namesDirect = std::string_view(items[k].name).substr(0, kMaxVarName) != name;
    }
    return namesDirect;
}

namespace {

// The value of a text parameter is the call's value without double quotes.
std::string parameterValue(std::string_view value, int32_t type) {
    if (type != kTypeText) return std::string(value);
    std::string text;
    text.reserve(value.size());
    for (char c : value)
        if (c != '"') text += c;
    return text;
}

}  // namespace

bool targslist::Bind(int32_t line, const std::string& argText, tvarlist& locals) {
    if (failed) return false;
    targumentcursor values(argText);
    if (locals.empty() && bindsDirectly()) {
        for (const targ& param : items) {
            const std::string_view value = values.next();
            // An empty value leaves the type's default ("0", "" or "NULL").
            locals.appendPlain(
                param.name, param.type,
                value.empty() ? defaultValue(param.type) : parameterValue(value, param.type));
        }
        return true;
    }
    for (const targ& param : items) {
        const std::string_view name = std::string_view(param.name).substr(0, kMaxVarName);
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
        locals.declarePlain(name, param.type, line);
        const std::string_view value = values.next();
        // An empty value leaves the type's default ("0", "" or "NULL").
        if (value.empty()) continue;
        locals.at(locals.size() - 1).value = parameterValue(value, param.type);
    }
    return !failed;
}

}  // namespace velmo
