#ifndef VELMO_SCRIPT_KEYWORDS_H
#define VELMO_SCRIPT_KEYWORDS_H

// The keyword table of the story language. The loader recognises every
// statement by it (first row in table order whose keyword begins the
// statement) and stores the row in the statement record; the interpreter
// dispatches on that row. It is a constant: nothing rebinds it at run time.

#include <array>
#include <cstdint>
#include <string_view>

namespace velmo {

// Where a statement may stand, tested against the kind of the current node.
enum tcontext : int32_t {
    kTopLevelOnly = 0,        // only at the top level (the root)
    kInFunctionOnly = 2,      // only inside a function
    kOutsideFunction = 3,     // anywhere except inside a function
    kInObjectOrFunction = 4,  // inside a class/object or a function
    kAnywhere = 5,
};

struct tkeyword {
    std::string_view text;  // rows 12 and 13 hold a single byte 0: no statement starts with it
    int32_t code;           // the statement code stored as the record's opcode
    tcontext context;
    bool needsParams;
};

// Rows that the loader and the interpreter name.
enum : int32_t {
    kRowOpen = 0,
    kRowClose = 1,
    kRowWrite = 2,
    kRowIf = 3,
    kRowElse = 4,
    kRowInt = 5,
    kRowVoid = 6,
    kRowString = 7,
    kRowVerb = 8,
    kRowSetLong = 9,
    kRowSetShort = 10,
    kRowWith = 11,
    kRowPlain = 12,
    kRowFunction = 13,
    kRowAddScores = 14,
    kRowBox = 15,
    kRowBreak = 16,
    kRowClass = 17,
    kRowCase = 18,
    kRowDefault = 19,
    kRowDo = 20,
    kRowFetch = 21,
    kRowFile = 22,
    kRowFirstWord = 23,
    kRowFor = 24,
    kRowHalt = 25,
    kRowInspect = 26,
    kRowMoveto = 27,
    kRowObject = 28,
    kRowQuit = 29,
    kRowRepeat = 30,
    kRowRestore = 31,
    kRowReturn = 32,
    kRowSetTime = 33,
    kRowSetNoun = 34,
    kRowSetPlayer = 35,
    kRowSplit = 36,
    kRowStatusLineFormat = 37,
    kRowStartDaemon = 38,
    kRowStartTimer = 39,
    kRowStopDaemon = 40,
    kRowStopTimer = 41,
    kRowSwitch = 42,
    kRowToggle = 43,
    kRowWhile = 44,
    kRowOpenWin = 45,
    kRowCloseWin = 46,
    kKeywordRows = 47,
};

// Statement codes that the loader and the interpreter test.
enum : int32_t {
    kCodeAddScores = 0,
    kCodeOpen = 1,
    kCodeBox = 2,
    kCodeBreak = 3,
    kCodeCase = 4,
    kCodeClass = 5,
    kCodeCloseWin = 7,
    kCodeDefault = 8,
    kCodeDo = 9,
    kCodeElse = 10,
    kCodeClose = 11,
    kCodePlain = 12,
    kCodeFetch = 13,
    kCodeFile = 14,
    kCodeFor = 15,
    kCodeFirstWord = 16,
    kCodeFunction = 17,
    kCodeHalt = 18,
    kCodeInt = 19,
    kCodeInspect = 20,
    kCodeIf = 21,
    kCodeMoveto = 23,
    kCodeObject = 25,
    kCodeOpenWin = 26,
    kCodeRestore = 27,
    kCodeReturn = 28,
    kCodeWith = 30,
    kCodeRepeat = 31,
    kCodeSetLong = 32,
    kCodeSetNoun = 33,
    kCodeSetShort = 34,
    kCodeSetPlayer = 35,
    kCodeSetTime = 36,
    kCodeStatusLineFormat = 37,
    kCodeString = 38,
    kCodeSwitch = 39,
    kCodeStartDaemon = 40,
    kCodeStartTimer = 41,
    kCodeStopDaemon = 42,
    kCodeStopTimer = 43,
    kCodeSplit = 45,
    kCodeToggle = 46,
    kCodeVerb = 47,
    kCodeVoid = 48,
    kCodeWhile = 49,
    kCodeWrite = 50,
    kCodeQuit = 51,
};

inline constexpr std::string_view kNoKeyword{"\0", 1};

inline constexpr std::array<tkeyword, kKeywordRows> kKeywords{{
    {"{", 1, kAnywhere, false},
    {"}", 11, kAnywhere, false},
    {"write", 50, kInFunctionOnly, true},
    {"if", 21, kInFunctionOnly, true},
    {"else", 10, kInFunctionOnly, false},
    {"int", 19, kAnywhere, true},
    {"void", 48, kOutsideFunction, true},
    {"string", 38, kAnywhere, true},
    {"verb", 47, kTopLevelOnly, true},
    {"setLong", 32, kInObjectOrFunction, true},
    {"setShort", 34, kInObjectOrFunction, true},
    {"with", 30, kInObjectOrFunction, true},
    {kNoKeyword, 12, kInFunctionOnly, true},
    {kNoKeyword, 17, kOutsideFunction, true},
    {"addScores", 0, kInFunctionOnly, true},
    {"box", 2, kInFunctionOnly, true},
    {"break", 3, kInFunctionOnly, false},
    {"class", 5, kTopLevelOnly, true},
    {"case", 4, kInFunctionOnly, true},
    {"default", 8, kInFunctionOnly, false},
    {"do", 9, kInFunctionOnly, false},
    {"fetch", 13, kInFunctionOnly, true},
    {"file", 14, kInFunctionOnly, true},
    {"firstWord", 16, kInFunctionOnly, false},
    {"for", 15, kInFunctionOnly, true},
    {"halt", 18, kInFunctionOnly, true},
    {"inspect", 20, kInFunctionOnly, false},
    {"moveto", 23, kInObjectOrFunction, true},
    {"object", 25, kAnywhere, true},
    {"quit", 51, kInFunctionOnly, false},
    {"repeat", 31, kInFunctionOnly, true},
    {"restore", 27, kTopLevelOnly, true},
    {"return", 28, kInFunctionOnly, true},
    {"setTime", 36, kInFunctionOnly, true},
    {"setNoun", 33, kInObjectOrFunction, true},
    {"setPlayer", 35, kInObjectOrFunction, true},
    {"split", 45, kInFunctionOnly, true},
    {"StatusLineFormat", 37, kInFunctionOnly, true},
    {"startDaemon", 40, kInFunctionOnly, false},
    {"startTimer", 41, kInFunctionOnly, true},
    {"stopDaemon", 42, kInFunctionOnly, false},
    {"stopTimer", 43, kInFunctionOnly, false},
    {"switch", 39, kInFunctionOnly, true},
    {"toggle", 46, kInFunctionOnly, true},
    {"while", 49, kInFunctionOnly, true},
    {"openWin", 26, kInFunctionOnly, true},
    {"closeWin", 7, kInFunctionOnly, false},
}};

// The first row whose keyword begins `statement`, or -1 when none does.
inline int32_t findKeywordRow(std::string_view statement) {
    for (int32_t row = 0; row < kKeywordRows; ++row) {
        const std::string_view text = kKeywords[row].text;
        // The first letter turns most rows away without a comparison.
        if (!text.empty() && (statement.empty() || statement.front() != text.front())) continue;
        if (statement.starts_with(text)) return row;
    }
    return -1;
}

}  // namespace velmo

#endif
