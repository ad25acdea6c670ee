#include "term/plaincommand.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "base/wstrlib.h"
#include "frontend/plainmode.h"

namespace velmo {

namespace {

// The window sizes the display options allow.
constexpr int32_t kMinColumns = 30, kMaxColumns = 200;
constexpr int32_t kMinRows = 15, kMaxRows = 99;

int badUsage(const std::string& message) {
    std::fprintf(stderr, "velmo-term: %s\n", message.c_str());
    std::fprintf(stderr,
                 "Aufruf: velmo-term --plain [--cols N] [--rows N] [--seed N] [--status] "
                 "[--transcript DATEI] [--script DATEI] [--export DATEI] GESCHICHTE\n");
    std::fprintf(stderr, "Mehr dazu: velmo-term --help\n");
    return kPlainUsage;
}

// A decimal number of at most nine digits.
bool readNumber(const char* text, int64_t& value) {
    const std::string digits = text ? text : "";
    if (digits.empty() || digits.size() > 10 || !isNumber(digits)) return false;
    value = std::strtoll(digits.c_str(), nullptr, 10);
    return true;
}

}  // namespace

int runPlainCommand(int argc, char** argv) {
    tplainoptions options;
    bool storySeen = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        int64_t number = 0;
        if (arg == "--plain") {
            continue;
        } else if (arg == "--status") {
            options.status = true;
        } else if (arg == "--cols" || arg == "--rows" || arg == "--seed") {
            if (!hasValue || !readNumber(argv[i + 1], number))
                return badUsage(arg + " erwartet eine Zahl");
            ++i;
            if (arg == "--cols")
                options.columns =
                    static_cast<int32_t>(std::clamp<int64_t>(number, kMinColumns, kMaxColumns));
            else if (arg == "--rows")
                options.rows =
                    static_cast<int32_t>(std::clamp<int64_t>(number, kMinRows, kMaxRows));
            else if (number > 0xFFFFFFFFLL)
                return badUsage("--seed erwartet eine Zahl bis 4294967295");
            else
                options.seed = static_cast<uint32_t>(number);
        } else if (arg == "--transcript" || arg == "--script" || arg == "--export") {
            if (!hasValue) return badUsage(arg + " erwartet einen Dateinamen");
            std::string& file = arg == "--transcript" ? options.transcriptFile
                                : arg == "--script"   ? options.scriptFile
                                                      : options.exportFile;
            file = argv[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            return badUsage("unbekannte Option " + arg);
        } else if (storySeen) {
            return badUsage("nur eine Geschichte kann gespielt werden");
        } else {
            options.storyFile = arg;
            storySeen = true;
        }
    }
    if (!storySeen) return badUsage("keine Geschichte angegeben");
    std::ios::sync_with_stdio(false);
    return runPlainMode(options, std::cin, std::cout);
}

void printHelp(std::FILE* out) {
    std::fputs(
        "Aufruf: velmo-term [OPTIONEN] [GESCHICHTE]\n"
        "\n"
        "Spielt eine Velmo-Geschichte (.velmo oder .data) im Terminal.\n"
        "\n"
        "  --plain              Zeilenmodus: liest Eingaben zeilenweise von der\n"
        "                       Standardeingabe (UTF-8 oder Windows-1252) und gibt\n"
        "                       den Text der Geschichte als UTF-8 ohne Steuersequenzen\n"
        "                       aus, ohne Pausen mit [Leertaste]. Geeignet f\u00fcr\n"
        "                       Skripte, Bildschirmleser, Tests und L\u00f6sungswege.\n"
        "                       Beim Warten auf eine Taste gilt das erste Zeichen der\n"
        "                       n\u00e4chsten Zeile (eine leere Zeile ist ein Leerzeichen),\n"
        "                       in einem Themenmen\u00fc die Nummer des Themas (0, leer\n"
        "                       oder anderes verl\u00e4sst das Men\u00fc), in einem Dateidialog\n"
        "                       der Pfad (leer bricht ab), bei einer Frage j (ja),\n"
        "                       n (nein) oder anderes (Abbruch). Meldungen stehen in\n"
        "                       einer eigenen Zeile. Der Inspektor (inspect) zeigt\n"
        "                       seine Position und wertet jede folgende Zeile als\n"
        "                       Ausdruck aus (\"Wert: ...\"); eine leere Zeile\n"
        "                       schlie\u00dft ihn mit OK, eine Zeile nur mit Esc oder\n"
        "                       das Ende der Eingabe mit Abbrechen.\n"
        "  --cols N             Spalten des Textbereichs (30 bis 200, Vorgabe 70).\n"
        "  --rows N             Zeilen des Textbereichs (15 bis 99, Vorgabe 28).\n"
        "  --seed N             Startwert der Zufallszahlen, damit ein L\u00f6sungsweg\n"
        "                       wiederholbar ist.\n"
        "  --status             Gibt jede neu aufgebaute Statuszeile als eigene Zeile\n"
        "                       aus, beginnend mit \"[Status] \".\n"
        "  --transcript DATEI   Schreibt den Spielverlauf (Text und Eingaben) in\n"
        "                       DATEI.\n"
        "  --script DATEI       Spielt die Befehle aus DATEI ab, sobald die\n"
        "                       Geschichte ge\u00f6ffnet ist, wie \"Skript abspielen\"\n"
        "                       (jede Zeile ein Befehl); danach folgt die Eingabe.\n"
        "  --export DATEI       Schreibt am Ende des Spiels oder der Eingabe den Text\n"
        "                       des Bildschirms in DATEI, wie \"Text speichern\".\n"
        "  --run GESCHICHTE     L\u00e4dt die Geschichte, f\u00fchrt ihre Startfunktionen aus\n"
        "                       und gibt aus, was sie schreiben.\n"
        "  --compile QUELLTEXT  Compiliert die Geschichte in eine .data-Datei und\n"
        "                       zeigt den Bericht.\n"
        "  --extract QUELLTEXT  Schreibt alle Texte der Quelldatei in t_NAME.txt im\n"
        "                       aktuellen Ordner.\n"
        "  --pictures BILD.jpg ...\n"
        "                       Packt die Bilder in grafik.fg und schreibt die Liste\n"
        "                       grafik.velmo in den aktuellen Ordner.\n"
        "  --version            Zeigt die Version.\n"
        "  --help               Zeigt diese Hilfe.\n"
        "\n"
        "Im Zeilenmodus wird die Datei velmo.ini weder gelesen noch geschrieben.\n"
        "\n"
        "R\u00fcckgabewerte: 0 Ende der Eingabe oder Geschichte beendet, 1 Geschichte\n"
        "kann nicht ge\u00f6ffnet oder Exportdatei nicht geschrieben werden, 2 falscher\n"
        "Aufruf.\n",
        out);
}

}  // namespace velmo
