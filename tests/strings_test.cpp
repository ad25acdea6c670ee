#include "story/strings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_services.h"

namespace velmo {
namespace {

class RestoreStrings : public ::testing::Test {
protected:
    bool restore(std::string& text, int32_t line = 0) {
        tstringsource source{table, services, error};
        return restoreStrings(source, text, line);
    }

    std::vector<std::string> table{"250101", "Hallo", "",
                                   "gr\xFC\xDF"
                                   "e, Welt",
                                   "\xFD"
                                   "1"};
    test::RecordingServices services;
    bool error = false;
};

TEST_F(RestoreStrings, MarkersBecomeTheirTableLines) {
    std::string text =
        "write(\"\xFD"
        "1\",\"\xFD"
        "3\");x=\"\xFD"
        "2\"";
    EXPECT_TRUE(restore(text));
    EXPECT_EQ(text,
              "write(\"Hallo\",\"gr\xFC\xDF"
              "e, Welt\");x=\"\"");
    EXPECT_FALSE(error);
}

TEST_F(RestoreStrings, ATextWithoutMarkersStaysAsItIs) {
    std::string text = "a b + 12";
    EXPECT_TRUE(restore(text));
    EXPECT_EQ(text, "a b + 12");
}

TEST_F(RestoreStrings, ARestoredLiteralIsNotReadAgain) {
    // Line 4 holds the byte 0xFD followed by a digit, as a literal may.
    std::string text =
        "\"\xFD"
        "4\"";
    EXPECT_TRUE(restore(text));
    EXPECT_EQ(text,
              "\"\xFD"
              "1\"");
}

TEST_F(RestoreStrings, AllDigitsAfterTheMarkerBelongToIt) {
    std::string text =
        "\xFD"
        "0001x";
    EXPECT_TRUE(restore(text));
    EXPECT_EQ(text, "Hallox");
}

TEST_F(RestoreStrings, AMarkerOutsideTheTableIsReportedAndRemoved) {
    std::string text =
        "a\xFD"
        "5b\xFD"
        "99999999999999999999999c\xFD"
        "d";
    EXPECT_FALSE(restore(text, 7));
    EXPECT_EQ(text, "abcd");
    EXPECT_TRUE(error);
    EXPECT_NE(services.written.find("Zeile 7 Syntaxfehler"), std::string::npos);
}

TEST_F(RestoreStrings, ALongLineNamedAgainAndAgainStopsAtTheBudget) {
    table[1] = std::string(1000, 'x');
    tstringsource source{table, services, error};
    source.budget = 2500;
    std::string text =
        "\xFD"
        "1\xFD"
        "1\xFD"
        "1";
    EXPECT_FALSE(restoreStrings(source, text));
    EXPECT_EQ(text, std::string(2000, 'x'));
    EXPECT_TRUE(error);
}

}  // namespace
}  // namespace velmo
