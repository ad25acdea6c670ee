// The quick join: a statement that builds a text and assigns it,
// "w = "Wort" + i + "x"", is the commonest way a story makes a text. When
// a string literal is its first or second piece, every "+" of the chain
// appends (one side of the first is a text, and its result is one), so
// the pieces are simply written one after the other: literals and numbers
// as their token holds them, variables as their text. The text grows in
// the evaluator's own room and is then exchanged with the target's value,
// so a loop that builds a text every round allocates nothing once both
// rooms are large enough. Names are found as the long way finds them
// first, or the long way runs the whole statement, nothing having changed.

#include "script/expressionstate.h"
#include "script/postfix.h"

namespace velmo {

namespace {

// After this many statements that had to be left to the long way (a name
// that is no variable near the context), a form is not tried again.
constexpr uint16_t kJoinMissLimit = 64;

bool isPiece(const tctoken& token) {
    switch (token.kind) {
    case ttokenkind::kNumber: return true;
    case ttokenkind::kText: return !token.tags;  // markup is filled in by the long way
    case ttokenkind::kName: return !token.index && token.path.empty() && !token.builtin;
    default: return false;
    }
}

bool isLiteral(const tctoken& token) { return token.kind == ttokenkind::kText; }

bool isPlus(const tctoken& token) { return token.kind == ttokenkind::kOperator && token.op == '+'; }

}  // namespace

// "target p1 =", or "target p1 p2 + p3 + ... =" with p1 or p2 a string
// literal (a single piece must be one: anything else is a plain copy).
void planQuickJoin(tcompiled& form) {
    const std::vector<tctoken>& tokens = form.tokens;
    if (tokens.size() < 3 || !form.assigns) return;
    const tctoken& target = tokens.front();
    const tctoken& last = tokens.back();
    if (!isPiece(target) || target.kind != ttokenkind::kName || !target.targetCandidate) return;
    if (last.kind != ttokenkind::kOperator || last.op != '=') return;
    std::vector<uint32_t> pieces;
    for (std::size_t i = 1; i + 1 < tokens.size(); ++i) {
        // Pieces stand at 1, 2, 4, 6, ...; a "+" after each from the second on.
        const bool piecePlace = i <= 2 || i % 2 == 0;
        if (piecePlace ? !isPiece(tokens[i]) : !isPlus(tokens[i])) return;
        if (piecePlace) pieces.push_back(static_cast<uint32_t>(i));
    }
    if (pieces.size() >= 2 && tokens.size() % 2 == 0) return;  // must end with a "+"
    const bool literalFirst = isLiteral(tokens[pieces[0]]);
    if (!literalFirst && (pieces.size() < 2 || !isLiteral(tokens[pieces[1]]))) return;
    form.quickJoin = true;
    form.joinPieces = std::move(pieces);
}

bool texpression::quickJoin(tnode& node, const tcompiled& form) {
    if (form.quickMisses >= kJoinMissLimit) return false;
    const tctoken& targetToken = form.tokens.front();
    tnode* where = nullptr;
    const tvar* target = nearVariable(node, targetToken.text, targetToken.hint, where);
    if (!target || !joinPieces(node.caller ? *node.caller : node, form)) {
        ++form.quickMisses;
        return false;
    }
    // (The long way reports a text too long for it.)
    if (joined.size() > kMaxTextLength) return false;
    where->vars.Assign(*target).swapText(joined);
    return true;
}

// Writes the pieces into `joined`; false when a name is not a variable
// the long way would find first near `context` (the target's context, or
// its caller).
bool texpression::joinPieces(tnode& context, const tcompiled& form) {
    joined.clear();
    for (const uint32_t place : form.joinPieces) {
        const tctoken& piece = form.tokens[place];
        if (piece.kind != ttokenkind::kName) {
            joined += piece.value;  // a number's value is its decimal text
            continue;
        }
        tnode* where = nullptr;
        const tvar* variable = nearVariable(context, piece.text, piece.hint, where);
        if (!variable) return false;
        int32_t n = 0;
        if (variable->exactNumber(n))
            appendDecimal(joined, n);
        else
            joined += variable->value;
    }
    return true;
}

}  // namespace velmo
