#include "base/internalerror.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "base/abort.h"

namespace velmo {
namespace {

TEST(ErrorChannel, AGenericCatchNeverTakesTheAbort) {
    bool takenAsFailure = false;
    bool abortArrived = false;
    try {
        try {
            throw tabort();
        } catch (const std::exception&) { takenAsFailure = true; }
    } catch (const tabort&) { abortArrived = true; }
    EXPECT_FALSE(takenAsFailure);
    EXPECT_TRUE(abortArrived);
}

TEST(ErrorChannel, AnInternalErrorIsOneLineNamingStepAndFailure) {
    std::ostringstream out;
    reportInternalError("Eingabe", std::out_of_range("vector::at"), out);
    EXPECT_EQ(out.str(), "velmo: interner Fehler (Eingabe): vector::at\n");
}

}  // namespace
}  // namespace velmo
