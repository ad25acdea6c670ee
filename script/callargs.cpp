#include "script/callargs.h"

#include <string>

#include "model/parsetree.h"

namespace velmo {

namespace {

// True when a value would not come through the joined text unchanged.
bool needsText(std::span<toperand> args) {
    for (const toperand& arg : args)
        if (!arg.lazy && arg.value.find_first_of(",\"") != std::string::npos) return true;
    return false;
}

}  // namespace

bool bindArguments(int32_t line, tnode& function, std::span<toperand> args) {
    targslist& params = function.args;
    tvarlist& locals = function.vars;
    const std::vector<targ>& items = params.Items();
    if (locals.empty() && args.size() == items.size() && params.bindsDirectly() &&
        !needsText(args)) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            const targ& param = items[i];
            const toperand& arg = args[i];
            if (arg.lazy)
                locals.appendInteger(param.name, param.type, arg.number);
            else if (arg.value.empty())
                locals.appendPlain(param.name, param.type, defaultText(param.type));
            else
                locals.appendPlain(param.name, param.type, arg.value);
        }
        return true;
    }
    std::string argText;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0) argText += ',';
        argText += args[i].text();
    }
    return params.Bind(line, argText, locals);
}

}  // namespace velmo
