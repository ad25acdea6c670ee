#ifndef VELMO_TESTS_EXPRESSION_FIXTURE_H
#define VELMO_TESTS_EXPRESSION_FIXTURE_H

// A small story for evaluator tests: objects and functions built in a few
// lines, and a stand-in for the statement interpreter that runs a
// function whose records each hold one expression ("if" skips the next
// record when its value is "0"; "return" sets the result).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "base/abort.h"
#include "model/parsetree.h"
#include "model/story.h"
#include "script/compiledexpr.h"
#include "script/callargs.h"
#include "script/expression.h"
#include "script/functionrunner.h"
#include "script/postfix.h"
#include "support/recording_services.h"

namespace velmo::test {

enum : int32_t { kRecordIf = 21, kRecordReturn = 28, kRecordPlain = 12 };

class ScriptRunner : public tfunctionrunner {
public:
    tcallresult runFunction(int32_t line, tnode& function, std::span<toperand> args,
                            bool& failed) override {
        ++calls;
        deepest = std::max(deepest, depth);
        const char marker = 0;
        const auto here = reinterpret_cast<std::uintptr_t>(&marker);
        if (!stackTop) stackTop = here;
        stackLow = std::min(stackLow, here);
        if (abortAt && calls == abortAt) throw tabort();

        function.vars.clear();
        if (!bindArguments(line, function, args)) {
            failed = true;
            return {"0"};
        }
        texpression evaluator(this);
        std::string result = "0";
        std::string value;
        for (int32_t i = 0; i < function.code.Count() && !evaluator.Failed(); ++i) {
            const tcode& record = *function.code.At(i);
            evaluator.Evaluate(line, function, value, *record.compiled->at(0));
            if (record.opcode == kRecordIf && value == "0") ++i;
            if (record.opcode == kRecordReturn) result = value;
        }
        failed = evaluator.Failed();
        return {result};
    }
    int32_t& callDepth() override { return depth; }

    int32_t depth = 0;
    int32_t deepest = 0;
    int32_t calls = 0;
    int32_t abortAt = 0;  // throw the abort on this call (counted from 1)
    std::uintptr_t stackTop = 0;
    std::uintptr_t stackLow = UINTPTR_MAX;
};

class ExpressionTest : public ::testing::Test {
public:
    RecordingServices services;
    tstory story{services};
    tnode& root = story.root();
    ScriptRunner runner;

    tnode* object(const std::string& declaration) {
        bool error = false;
        tnode* node = root.addChild(kKindObject, declaration, &error, 1, 3);
        EXPECT_TRUE(node) << declaration;
        return node;
    }

    // A function with its statements written as infix expressions; a
    // statement beginning with "return " or "if " gets that record kind.
    tnode* function(tnode& owner, const std::string& declaration,
                    const std::vector<std::string>& statements, int32_t valueType = kTypeInt) {
        bool error = false;
        tnode* node = owner.addChild(kKindFunction, declaration, &error, 1, valueType);
        EXPECT_TRUE(node) << declaration;
        for (const std::string& statement : statements) {
            tcode record;
            record.opcode = kRecordPlain;
            std::string text = statement;
            if (text.starts_with("return ")) {
                record.opcode = kRecordReturn;
                text = text.substr(7);
            } else if (text.starts_with("if ")) {
                record.opcode = kRecordIf;
                text = text.substr(3);
            }
            record.setParams({ToPostfix(EncodeOperators(text))});
            compileParams(record);
            node->code.Add(record);
        }
        return node;
    }

    void declare(tnode& node, const std::string& text, int32_t type = kTypeInt) {
        bool error = false;
        node.vars.declare(text, type, error, 0);
        EXPECT_FALSE(error) << text;
    }

    std::string value(tnode& node, const std::string& name) {
        std::string out;
        node.vars.getValue(name, out);
        return out;
    }

    // Evaluates an infix expression with a fresh evaluator.
    std::string eval(tnode& node, const std::string& infix) {
        texpression evaluator(&runner);
        return eval(evaluator, node, infix);
    }
    std::string eval(texpression& evaluator, tnode& node, const std::string& infix) {
        std::string result;
        evaluator.Evaluate(0, node, result, ToPostfix(EncodeOperators(infix)));
        return result;
    }

    // The first error shown since the last call, and the front end ready
    // to show the next one.
    std::string takeError() {
        std::string shown = services.written;
        services.written.clear();
        services.clearStopped();
        return shown;
    }
};

}  // namespace velmo::test

#endif
