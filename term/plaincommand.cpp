#include "term/plaincommand.h"

#include <iostream>
#include <string>

#include "frontend/plainmode.h"
#include "term/arguments.h"

namespace velmo {

namespace {

int badUsage(const std::string& message) {
    std::fprintf(stderr, "velmo-term: %s\n", message.c_str());
    std::fprintf(stderr,
                 "Aufruf: velmo-term --plain [--cols N] [--rows N] [--seed N] [--status] "
                 "[--transcript DATEI] [--script DATEI] [--export DATEI] [--options] "
                 "[GESCHICHTE]\n");
    std::fprintf(stderr, "Mehr dazu: velmo-term --help\n");
    return kPlainUsage;
}

}  // namespace

int runPlainCommand(int argc, char** argv) {
    tplainoptions options;
    tsizeoptions sizes;
    bool storySeen = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string error;
        const targresult taken = takeSizeOption(argc, argv, i, sizes, error);
        if (taken == targresult::bad) return badUsage(error);
        if (taken == targresult::taken || arg == "--plain") continue;
        if (arg == "--status") {
            options.status = true;
        } else if (arg == "--options") {
            options.useOptions = true;
        } else if (arg == "--transcript" || arg == "--script" || arg == "--export") {
            if (i + 1 >= argc) return badUsage(arg + " erwartet einen Dateinamen");
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
    if (!storySeen && !options.useOptions) return badUsage("keine Geschichte angegeben");
    options.columns = sizes.columns;
    options.rows = sizes.rows;
    options.seed = sizes.seed;
    std::ios::sync_with_stdio(false);
    const int result = runPlainMode(options, std::cin, std::cout);
    if (result == kPlainUsage)
        return badUsage("keine Geschichte angegeben und keine zum Laden eingestellt");
    return result;
}

void printHelp(std::FILE* out) {
    std::fputs(
        "Aufruf: velmo-term [OPTIONEN] [GESCHICHTE]\n"
        "\n"
        "Spielt eine Velmo-Geschichte (.velmo oder .data) im Terminal, auf dem\n"
        "ganzen Bildschirm. Ohne GESCHICHTE wird die Datei geladen, die unter\n"
        "Optionen > Autostart eingestellt ist. F12 \u00f6ffnet das Men\u00fc (Datei,\n"
        "Optionen, Hilfe). Die Optionen stehen in velmo.ini im Ordner\n"
        "$XDG_CONFIG_HOME/VelmoInterpreter (sonst ~/.config/VelmoInterpreter).\n"
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
        "  --cols N             Spalten des Textbereichs (30 bis 200) f\u00fcr diesen\n"
        "                       Lauf; die Optionen bleiben, wie sie sind.\n"
        "  --rows N             Zeilen des Textbereichs (15 bis 99) f\u00fcr diesen Lauf.\n"
        "  --seed N             Startwert der Zufallszahlen, damit ein L\u00f6sungsweg\n"
        "                       wiederholbar ist.\n"
        "  --status             Gibt jede neu aufgebaute Statuszeile als eigene Zeile\n"
        "                       aus, beginnend mit \"[Status] \".\n"
        "  --transcript DATEI   Schreibt den Spielverlauf (Text und Eingaben) in\n"
        "                       DATEI.\n"
        "  --options            Zeilenmodus mit den Optionen aus velmo.ini (beim\n"
        "                       ersten Start angelegt); ohne GESCHICHTE wird die\n"
        "                       Autostart-Datei geladen. --cols und --rows gelten\n"
        "                       trotzdem.\n"
        "  --script DATEI       Spielt die Befehle aus DATEI ab, sobald die\n"
        "                       Geschichte ge\u00f6ffnet ist, wie \"Skript abspielen\"\n"
        "                       (jede Zeile ein Befehl); danach folgt die Eingabe.\n"
        "  --export DATEI       Schreibt am Ende des Spiels oder der Eingabe den Text\n"
        "                       des Bildschirms in DATEI, wie \"Text speichern\".\n"
        "  --run GESCHICHTE     L\u00e4dt die Geschichte, f\u00fchrt ihre Startfunktionen aus\n"
        "                       und gibt aus, was sie schreiben.\n"
        "  --check GESCHICHTE   L\u00e4dt die Geschichte, ohne sie zu spielen, und gibt\n"
        "                       jeden Fehler als \"datei:zeile: meldung\" aus; endet\n"
        "                       bei einem Fehler mit 1.\n"
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
        "Im Zeilenmodus wird velmo.ini ohne --options weder gelesen noch\n"
        "geschrieben; Spalten und Zeilen sind dann 70 und 28.\n"
        "\n"
        "R\u00fcckgabewerte: 0 Ende der Eingabe oder Geschichte beendet, 1 Geschichte\n"
        "kann nicht ge\u00f6ffnet oder Exportdatei nicht geschrieben werden, 2 falscher\n"
        "Aufruf.\n",
        out);
}

}  // namespace velmo
