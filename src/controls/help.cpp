// The two forms of help: the key help on the console, and the shorter text that
// goes to the console and into a message box on a thread of its own, so that
// the scene keeps running while the box is open.
#include "controls/help.h"

#include <cstdio>

#include "platform/message_box.h"
#include "platform/thread.h"

const char *help_title = "Velmora: Tavolin";
const char *help_text =
    "\n\n==========================\n Programierer: Velmora\n Matrikelnummer: 581403\n"
    " Programieraufgabe - RVT WS 2007/2008\n==========================\n\n"
    " MausTasten (MT): Funktion\n\n Linke MT: Bewegung von Figuren bzw.\n\t   Ausblenden von Figuren\n"
    " Mittlere MT: Men\xFC" "Item anzeigen\n Rechte MT: Veraendern der Farbe \n\t von Lichtquelle\n\n"
    "  F1, h:  Hilfe anzeigen \n  F1, F2: MessageBox anzeigen\n\n Information ueber alle \n"
    " andere Steuerungfunktionen \n F1 oder h druecken\n\n  q,   \n ESC: Quit Programm\n";

std::atomic<int> show_help{0};
std::atomic<int> help_is_running{0};

namespace {

// The console key help, one line (or block) per entry, printed as it stands.
const char *const key_help_lines[] = {
    "\n\n===================================================",
    "\n Programierer:    Velmora (581403)",
    "\n Matirkelnummer:  581403",
    "\n Fach:            Programieraufgabe - RVT",
    "\n Semester:        WS 2007/2008",
    "\n===================================================\n",
    "\n\t\t Tastenfunktionen:",
    "\n-----------------------------------------------------------",
    "\n linke Maustaste -     Bewegung von Figuren bzw. ausblenden",
    "\n mittlere Maustaste -  MenueItem anzeigen",
    "\n rechte Maustaste -    Farbe von Lichtquelle aendern ",
    "\n Pfeiltesten -         Gesamtbild umdrehen(recht, links, UP, DOWN)",
    "\n\n k - Perspektive wechseln(groesser)",
    "\n K - Perspektive wechseln(kleiner)",
    "\n t - mit/ohne Textur",
    "\n p - Punkte",
    "\n l - Linien",
    "\n f - Flaechen",
    "\n a - Lichtquelle Aktivieren",
    "\n o - Lichtquelle nach oben",
    "\n u - Lichtquelle nach unten",
    "\n + - Lichtquelle nach rechts",
    "\n - - Lichtquelle nach links",
    "\n E/e - Lichtexponent  kleiner / groe\xDF" "er",
    "\n C/c - Licht\xF6" "ffnungswinkel groe\xDF" "er / kleiner  ",
    "\n d - Transparenz ein/ausschalten",
    "\n F1 - Hilfe",
    "\n F2 - MessageBox anzeigen",
    "\n h - diese Hilfe",
    "\n q, ESC - Quit\n",
};
static_assert(sizeof key_help_lines / sizeof key_help_lines[0] == 30);

constexpr unsigned request_poll_ms = 100;

} // namespace

bool (*help_message_box)(const char *text, const char *title) = show_message_box;

void help()
{
    for (const char *line : key_help_lines)
        std::fputs(line, stdout);
    std::fflush(stdout);
}

void display_help()
{
    std::printf("\n%s\n%s", help_title, help_text);
    std::fflush(stdout);
    display_help_via_message_box();
}

void display_help_via_message_box()
{
    // The request is set before a new thread can take its first step, so a
    // box that closes at once cannot leave it standing for a second showing.
    show_help = 1;
    if (help_is_running != 0) {
        raise_message_box(); // the one box comes forward, so that it can be found again
        return;
    }

    // The thread counts as running from here, so a second request before its
    // first step starts no second thread.
    help_is_running = 1;
    note_message_box_place();
    if (!start_thread(HelpThreadProc)) {
        help_is_running = 0; // let a later request try again
        std::fprintf(stderr, "schach3d: cannot start the help thread\n");
    }
}

ThreadResult HelpThreadProc(void *)
{
    help_is_running = 1;
    bool reported = false;
    for (;;) {
        if (!help_message_box(help_text, help_title) && !reported) {
            std::fprintf(stderr, "schach3d: %s\n", message_box_failure);
            reported = true;
        }
        show_help = 0; // requests made while the box was open are dropped
        while (show_help == 0)
            sleep_milliseconds(request_poll_ms);
    }
}
