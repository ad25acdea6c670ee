#ifndef VELMO_TESTS_GENERATED_STORY_H
#define VELMO_TESTS_GENERATED_STORY_H

// A story source of a given size, made of many small rooms: classes,
// variables, comments of both kinds, literals with umlauts and blanks, a
// literal broken over two lines, operators and a conditional region. It
// passes the character pass; the tests and the benchmarks read it.

#include <cstddef>
#include <string>

namespace velmo::test {

inline std::string generatedStory(std::size_t minBytes) {
    std::string text = "// Erzeugte Geschichte\r\n#define ANFANG 1\r\n";
    for (int n = 0; text.size() < minBytes; ++n) {
        std::string k = std::to_string(n);
        text += "class Raum" + k + " {\r\n";
        text += "\tint zahl" + k + " = " + k + "; // Z\xE4hler\r\n";
        text +=
            "\tstring text" + k + " = \"Ein Raum mit \xE4, \xF6 und \xFC, Nummer " + k + "\";\r\n";
        text +=
            "\t/* Ein Blockkommentar\r\n\t   \xFC"
            "ber zwei Zeilen */\r\n";
        text += "\tvoid init() {\r\n";
        text += "\t\tif (zahl" + k + " >= ANFANG && zahl" + k + " != 7) {\r\n";
        text += "\t\t\twrite(\"Hallo aus Raum " + k + ",\r\nwillkommen!^\");\r\n";
        text += "\t\t\tzahl" + k + " += 2;\r\n\t\t}\r\n\t}\r\n";
        text += "#ifdef SYSTEM\r\n\twrite(\"nur beim Spielen\");\r\n#endif\r\n";
        text += "}\r\n";
    }
    return text;
}

}  // namespace velmo::test

#endif
