#include "script/compiledexpr.h"

#include "base/namehash.h"
#include "base/tokenizer.h"
#include "base/wstrlib.h"
#include "model/codelist.h"
#include "script/builtins.h"
#include "script/intops.h"
#include "script/postfix.h"

namespace velmo {

namespace {

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isWordChar(char c) { return isAsciiLetter(c) || isDigit(c) || c == '_'; }

bool isAssignment(char c) {
    const auto b = static_cast<unsigned char>(c);
    return c == '=' || (b >= kOpAddTo && b <= kOpModBy);
}

const tcharset& evaluationDelimiters() {
    static const tcharset set(" ,");
    return set;
}

const tcharset& evaluationGrouping() {
    static const tcharset set("\"[]");
    return set;
}

std::shared_ptr<const tcompiled> compileNested(std::string_view postfix, int32_t nesting);

bool isIncrement(const tctoken& token) {
    return token.kind == ttokenkind::kOperator &&
           (token.op == kOpPostInc || token.op == kOpPostDec || token.op == kOpPreInc ||
            token.op == kOpPreDec);
}

void compileIndex(tctoken& token, std::string_view raw, std::size_t open, int32_t nesting) {
    auto part = std::make_shared<tindexpart>();
    const std::size_t close = matchingBracket(raw, open);
    part->before = std::string(raw.substr(0, open + 1));
    if (close != std::string_view::npos) {
        part->after = std::string(raw.substr(close));
        const std::string_view array = raw.substr(0, open);
        if (part->after == "]" && array.find('.') == std::string_view::npos)
            part->array = std::string(array);
        std::string postfix;
        if (nesting < kMaxIndexNesting &&
            ToPostfix(raw.substr(open + 1, close - open - 1), postfix))
            part->index = compileNested(postfix, nesting + 1);
    }
    token.index = std::move(part);
}

// Splits a name at "." into its path parts and the name itself.
void compilePath(tctoken& token, std::string_view raw) {
    std::size_t start = 0;
    for (std::size_t dot = raw.find('.', 1); dot != std::string_view::npos;
         dot = raw.find('.', start)) {
        token.path.emplace_back(raw.substr(start, dot - start));
        start = dot + 1;
    }
    token.text = std::string(raw.substr(start));
}

void compileName(tctoken& token, std::string_view raw, const tcompiled& whole, int32_t nesting) {
    token.kind = ttokenkind::kName;
    const std::size_t open = raw.find('[', 1);
    if (open != std::string_view::npos) {
        // The name is only known once its index has a value.
        token.text = std::string(raw);
        compileIndex(token, raw, open, nesting);
        token.plainElement = !token.index->array.empty() && token.index->index;
        token.farName = true;
        token.targetCandidate = whole.assigns && whole.text.starts_with(token.index->before);
        return;
    }
    compilePath(token, raw);
    token.textHash = nameHash(token.text);
    token.farName = !token.path.empty();
    if (token.path.size() == 1) token.pathHash = nameHash(token.path.front());
    token.value = std::string(raw);
    token.builtin = findBuiltin(token.text);
    token.hasFollows = hasFollowsName(whole.text, token.text);
    if (whole.assigns && token.path.empty() && whole.text.starts_with(raw)) {
        token.targetCandidate =
            whole.text.size() == raw.size() || !isWordChar(whole.text[raw.size()]);
    }
}

tctoken compileToken(const std::string& raw, const tcompiled& whole, int32_t nesting) {
    tctoken token;
    token.text = raw;
    const char first = raw.front();
    if (isDigit(first)) {
        token.kind = ttokenkind::kNumber;
        token.number = toNumber(raw);
        token.value = std::to_string(token.number);
    } else if (first == '"') {
        token.kind = ttokenkind::kText;
        for (char c : raw)
            if (c != '"') token.value += c;
        if (token.value.find('<') != std::string::npos) {
            auto tags = std::make_shared<ttagpart>();
            tags->pieces = splitTagPieces(token.value);
            tags->candidates = tagCandidates(tags->pieces);
            token.tags = std::move(tags);
        }
    } else if (isNameStart(first)) {
        compileName(token, raw, whole, nesting);
    } else if (isEvalOperator(first)) {
        token.kind = ttokenkind::kOperator;
        token.op = static_cast<unsigned char>(first);
    }
    return token;
}

// A plain name that is not a built-in's, which the evaluator may find
// at once as a variable.
bool plainName(const tctoken& token) {
    return token.kind == ttokenkind::kName && !token.index && token.path.empty() && !token.builtin;
}

// "target ... =" where every token between only reads, as far as the
// tokens tell: the target's value is then likely never read.
bool targetOnlyWritten(const std::vector<tctoken>& tokens) {
    if (tokens.size() < 2 || !plainName(tokens.front()) || !tokens.front().targetCandidate)
        return false;
    const tctoken& last = tokens.back();
    if (last.kind != ttokenkind::kOperator || last.op != '=') return false;
    for (std::size_t i = 1; i + 1 < tokens.size(); ++i) {
        const tctoken& token = tokens[i];
        const bool reads = token.kind == ttokenkind::kName
                               ? plainName(token)
                               : token.kind != ttokenkind::kOperator || takesTwoGivesOne(token.op);
        if (!reads) return false;
    }
    return true;
}

std::shared_ptr<const tcompiled> compileNested(std::string_view postfix, int32_t nesting) {
    auto form = std::make_shared<tcompiled>();
    form->text = std::string(postfix);
    form->assigns = !postfix.empty() && isAssignment(postfix.back());
    const ttokenizer tokens(postfix, evaluationDelimiters(), evaluationGrouping(), false);
    form->tokens.reserve(tokens.Tokens().size());
    for (const std::string& raw : tokens.Tokens())
        form->tokens.push_back(compileToken(raw, *form, nesting));
    // An increment operator changes the variable its previous token names
    // by that name: an element before one is looked up the long way.
    for (std::size_t i = 1; i < form->tokens.size(); ++i)
        if (isIncrement(form->tokens[i])) form->tokens[i - 1].plainElement = false;
    form->targetFirst = targetOnlyWritten(form->tokens);
    planQuickRun(*form);
    planQuickJoin(*form);
    return form;
}

}  // namespace

bool isNameStart(char c) { return isAsciiLetter(c) || c == '_'; }

bool isEvalOperator(char c) { return isOperatorChar(c) && c != ' ' && c != '?'; }

std::vector<std::string> splitTagPieces(std::string_view text) {
    const ttokenizer pieces(text, tcharset(" >^"), tcharset(), true);
    return pieces.Tokens();
}

std::vector<std::size_t> tagCandidates(const std::vector<std::string>& pieces) {
    std::vector<std::size_t> candidates;
    for (std::size_t i = 0; i + 2 < pieces.size(); ++i)
        if (pieces[i].front() == '<') candidates.push_back(i + 2);
    return candidates;
}

bool hasFollowsName(std::string_view postfix, std::string_view name) {
    std::size_t at = postfix.find(name);
    if (at == std::string_view::npos) at = 0;
    return postfix.substr(at, 255).find("has") != std::string_view::npos;
}

std::size_t matchingBracket(std::string_view text, std::size_t open) {
    int32_t depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        if (text[i] == '[') ++depth;
        if (text[i] == ']' && --depth == 0) return i;
    }
    return std::string_view::npos;
}

std::shared_ptr<const tcompiled> compileExpression(std::string_view postfix) {
    return compileNested(postfix, 0);
}

void compileParams(const tcode& code) {
    auto forms = std::make_shared<tcompiledparams>();
    forms->reserve(code.paramCount());
    for (std::size_t i = 0; i < code.paramCount(); ++i)
        forms->push_back(compileExpression(code.param(i)));
    code.compiled = std::move(forms);
}

const tcompiled* compileOnFirstRun(const tcode& code, std::size_t i) {
    if (i >= code.paramCount()) return nullptr;
    if (!code.compiled || code.compiled->size() != code.paramCount()) compileParams(code);
    return (*code.compiled)[i].get();
}

}  // namespace velmo
