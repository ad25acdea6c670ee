#include "model/varlist.h"

#include <algorithm>
#include <utility>

#include "base/codedfile.h"
#include "base/services.h"
#include "base/tokenizer.h"
#include "base/wstrlib.h"

namespace velmo {

namespace {

std::string withoutQuotes(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
    return text;
}

// The part of a looked-up name before its index.
std::string_view plainName(std::string_view name) { return name.substr(0, name.find('[')); }

}  // namespace

std::string_view defaultText(int32_t type) {
    if (type == kTypeText) return "";
    if (type == kTypeObject) return "NULL";
    return "0";
}

std::string defaultValue(int32_t type) { return std::string(defaultText(type)); }

void tvarlist::report(int32_t line, const std::string& message) {
    services->showError(error, line, message);
}

tnameset tvarlist::held;

std::ptrdiff_t tvarlist::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (sameName(records[i].name, name)) return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

// ---------------------------------------------------------------- lookup

std::ptrdiff_t tvarlist::findIndex(std::string_view name, int32_t line) {
    int64_t index = 0;
    const std::size_t open = name.find('[');
    if (open != std::string_view::npos) {
        const std::size_t close = name.find(']', open + 1);
        std::string_view indexText = name.substr(
            open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1);
        if (!indexText.empty()) index = toNumber(indexText);
        name = name.substr(0, open);
    }

    const std::ptrdiff_t first = indexOf(name);
    if (first < 0) return -1;
    // The index is counted in the whole list, not checked against the
    // array's own length; only the list's bounds are enforced, in both
    // directions (a negative index reaches the records before the array).
    const int64_t position = first + index;
    if (position < 0 || position >= static_cast<int64_t>(records.size())) {
        report(line, "ung\xFCltiger Index");
        return -1;
    }
    return static_cast<std::ptrdiff_t>(position);
}

tvar* tvarlist::find(std::string_view name, int32_t line) {
    noteChange();  // the caller may write through the pointer
    const std::ptrdiff_t at = findIndex(name, line);
    if (at < 0) return nullptr;
    tvar& record = records[static_cast<std::size_t>(at)];
    record.forgetNumber();
    return &record;
}

bool tvarlist::getValue(std::string_view name, std::string& result) {
    const std::ptrdiff_t at = findIndex(name, 0);
    if (at < 0) {
        report(0, "Zugriff auf unbekannten Bezeichner " + std::string(name));
        return false;
    }
    result = records[static_cast<std::size_t>(at)].text();
    return true;
}

bool tvarlist::setValue(std::string_view name, const std::string& value, int32_t line) {
    tvar* record = find(name, line);
    if (!record) {
        report(line, "Fehler bei Zuweisung an " + std::string(name));
        return false;
    }
    record->value = value;
    return true;
}

bool tvarlist::exists(std::string_view name) const { return indexOf(plainName(name)) >= 0; }

int32_t tvarlist::elementCount(std::string_view name) const {
    const std::ptrdiff_t first = indexOf(plainName(name));
    if (first < 0) return 0;
    std::size_t end = static_cast<std::size_t>(first) + 1;
    while (end < records.size() && records[end].name == continuationName()) ++end;
    return static_cast<int32_t>(end - static_cast<std::size_t>(first));
}

// ---------------------------------------------------------- declarations

// A declaration of one variable without value or size: no splitting
// needed. Functions declare their locals like this on every run.
tvarlist::tdeclared tvarlist::declarePlain(std::string_view text, int32_t type, int32_t line) {
    // Declarations run every time a function runs: a plain loop over a
    // short name beats the library's search for a set of characters.
    if (text.empty()) return tdeclared::kNotPlain;
    for (const char c : text) {
        if (c == ',' || c == '(' || c == ')' || c == '=' || c == '[' || c == ']' || c == '"')
            return tdeclared::kNotPlain;
    }
    const std::string_view name = text.substr(0, kMaxVarName);
    if (indexOf(name) >= 0) {
        noteChange();
        report(line, "\tVariable " + std::string(name) + " wird redefiniert");
        return tdeclared::kRedefined;
    }
    if (type == kTypeInt)
        appendInteger(name, type, 0);  // its "0" is written when someone reads it
    else
        appendPlain(name, type, defaultText(type));
    return tdeclared::kDeclared;
}

void tvarlist::declare(const std::string& text, int32_t type, bool& errorFlag, int32_t line) {
    if (declarePlain(text, type, line) != tdeclared::kNotPlain) {
        if (error) errorFlag = true;
        return;
    }
    noteShape();
    // A comma inside a string or inside parentheses does not split.
    ttokenizer declarations(text, tcharset(","), tcharset("\"()"), false);
    for (const std::string& declaration : declarations.Tokens()) {
        ttokenizer tokens(declaration, tcharset("(),=[]"), tcharset("\""), true);
        tvar record{type, tokens.Next().substr(0, kMaxVarName), defaultValue(type)};
        held.add(record.name);

        if (indexOf(record.name) >= 0) {
            report(line, "\tVariable " + record.name + " wird redefiniert");
            continue;
        }
        if (!tokens.HasNext()) {
            records.push_back(std::move(record));
            continue;
        }
        const std::string sign = tokens.Next();
        if (sign == "=") {
            // "a=" with nothing after it keeps the type's default value.
            if (tokens.HasNext()) {
                record.value = tokens.Next();
                if (type == kTypeText) record.value = withoutQuotes(std::move(record.value));
            }
            records.push_back(std::move(record));
        } else if (sign == "[") {
            declareArray(std::move(record), tokens, line);
        } else {
            report(line, "Zuweisung oder Arraydeklaration erwartet");
        }
    }
    // Only ever sets the caller's flag: an error it already carries stays.
    if (error) errorFlag = true;
}

void tvarlist::declareArray(tvar record, ttokenizer& tokens, int32_t line) {
    const std::string sizeToken = tokens.Next();
    int32_t size = 0;
    if (sizeToken == "]") {
        size = 1;
    } else if (!sizeToken.empty() && isNumber(sizeToken) && toNumber(sizeToken) >= 0) {
        size = toNumber(sizeToken);  // digits that overflow wrap negative
    } else {
        report(line, "Integerkonstante erwartet " + sizeToken);
    }

    // Element values follow the first "("; the punctuation between them is
    // skipped. The first value goes into the named record, the others into
    // continuation records.
    bool open = false;
    int32_t given = 0;
    while (tokens.HasNext()) {
        std::string token = tokens.Next();
        if (!open) {
            open = token == "(";
            continue;
        }
        if (token == ")" || token == "," || token == "=" || token == "]") continue;
        tvar element{record.type, given == 0 ? record.name : continuationName(),
                     record.type == kTypeText ? withoutQuotes(std::move(token)) : std::move(token)};
        records.push_back(std::move(element));
        ++given;
    }

    if (given > 0) {
        if (size > 0 && given != size) report(line, "Anzahl Elemente weicht von Deklaration ab");
        return;
    }
    if (size == 0) {
        report(line, "Arrayindex erwartet");
        return;
    }
    // Without values the size alone decides the allocation: bound it.
    if (size > kMaxArraySize) {
        report(line, "Integerkonstante erwartet " + sizeToken);
        return;
    }
    records.reserve(records.size() + static_cast<std::size_t>(size));
    records.push_back(record);
    record.name = continuationName();
    for (int32_t i = 1; i < size; ++i) records.push_back(record);
}

// ------------------------------------------------------- list changes

void tvarlist::remove(std::size_t index) {
    if (index >= records.size()) return;
    noteShape();
    const std::string name = records[index].name;
    std::size_t end = index + 1;
    while (end < records.size() &&
           (records[end].name == name || records[end].name == continuationName())) {
        ++end;
    }
    records.erase(records.begin() + static_cast<std::ptrdiff_t>(index),
                  records.begin() + static_cast<std::ptrdiff_t>(end));
    records.shrink_to_fit();
}

void tvarlist::copyInto(tvarlist& target) const {
    if (records.empty() || &target == this) return;
    target.noteShape();
    target.records = records;
}

// ---------------------------------------------------------- undo

tsharedValues tvarlist::shareValues() {
    if (shared && sharedVersion == version) return shared;
    makeTexts();
    // Something may have changed: only a real difference costs a new list.
    const bool same = shared && shared->size() == records.size() &&
                      std::equal(records.begin(), records.end(), shared->begin(),
                                 [](const tvar& r, const std::string& v) { return r.value == v; });
    if (!same) {
        auto values = std::make_shared<std::vector<std::string>>();
        values->reserve(records.size());
        for (const tvar& record : records) values->push_back(record.value);
        shared = std::move(values);
    }
    sharedVersion = version;
    return shared;
}

void tvarlist::restoreValues(const tsharedValues& values) {
    if (!values) return;
    noteChange();
    // A level whose length no longer matches the records (variables were
    // declared or removed since) gives back the values both have.
    const std::size_t n = std::min(values->size(), records.size());
    for (std::size_t i = 0; i < n; ++i) { records[i].setText(std::string((*values)[i])); }
    if (values->size() == records.size()) {
        shared = values;
        sharedVersion = version;
    }
}

// ---------------------------------------------------------- saved games

void tvarlist::saveValues(std::ostream& out) const {
    for (const tvar& record : records) writeStr(out, record.text());
}

bool tvarlist::readValues(std::istream& in) {
    noteChange();
    for (tvar& record : records) {
        std::string value;
        if (!readStr(in, value)) return false;
        record.setText(std::move(value));
    }
    return true;
}

}  // namespace velmo
