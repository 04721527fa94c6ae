// The help texts byte for byte.
//
// The expected texts are written here as a reader sees them, in UTF-8, with
// "→" for a tab and "␣" for a blank at the end of a line, and turned into the
// single-byte Windows-1252 bytes that must come out. The bytes that are easy
// to get wrong are also checked as raw byte values.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "controls/help.h"
#include "help_test_support.h"

namespace {

std::string windows1252(const std::string &utf8)
{
    struct Mapping {
        const char *from;
        char to;
    };
    const Mapping mappings[] = {
        {"\xE2\x86\x92", '\t'}, // →
        {"\xE2\x90\xA3", ' '},  // ␣
        {"\xC3\x9F", '\xDF'},   // ß
        {"\xC3\xB6", '\xF6'},   // ö
        {"\xC3\xBC", '\xFC'},   // ü
    };
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            out += utf8[i++];
            continue;
        }
        bool mapped = false;
        for (const Mapping &m : mappings) {
            const size_t n = std::strlen(m.from);
            if (utf8.compare(i, n, m.from) == 0) {
                out += m.to;
                i += n;
                mapped = true;
                break;
            }
        }
        if (!mapped) {
            ADD_FAILURE() << "unexpected character in the expected text at " << i;
            return out;
        }
    }
    return out;
}

// The key help as printed: it begins with two line feeds and ends with one.
const char *const key_help_as_read = R"(

===================================================
 Programierer:    Velmora (581403)
 Matirkelnummer:  581403
 Fach:            Programieraufgabe - RVT
 Semester:        WS 2007/2008
===================================================

→→ Tastenfunktionen:
-----------------------------------------------------------
 linke Maustaste -     Bewegung von Figuren bzw. ausblenden
 mittlere Maustaste -  MenueItem anzeigen
 rechte Maustaste -    Farbe von Lichtquelle aendern␣
 Pfeiltesten -         Gesamtbild umdrehen(recht, links, UP, DOWN)

 k - Perspektive wechseln(groesser)
 K - Perspektive wechseln(kleiner)
 t - mit/ohne Textur
 p - Punkte
 l - Linien
 f - Flaechen
 a - Lichtquelle Aktivieren
 o - Lichtquelle nach oben
 u - Lichtquelle nach unten
 + - Lichtquelle nach rechts
 - - Lichtquelle nach links
 E/e - Lichtexponent  kleiner / groeßer
 C/c - Lichtöffnungswinkel groeßer / kleiner␣␣
 d - Transparenz ein/ausschalten
 F1 - Hilfe
 F2 - MessageBox anzeigen
 h - diese Hilfe
 q, ESC - Quit
)";

// The message-box text: it begins with two line feeds and ends with one.
const char *const box_text_as_read = R"(

==========================
 Programierer: Velmora
 Matrikelnummer: 581403
 Programieraufgabe - RVT WS 2007/2008
==========================

 MausTasten (MT): Funktion

 Linke MT: Bewegung von Figuren bzw.
→   Ausblenden von Figuren
 Mittlere MT: MenüItem anzeigen
 Rechte MT: Veraendern der Farbe␣
→ von Lichtquelle

  F1, h:  Hilfe anzeigen␣
  F1, F2: MessageBox anzeigen

 Information ueber alle␣
 andere Steuerungfunktionen␣
 F1 oder h druecken

  q,  ␣
 ESC: Quit Programm
)";

std::string printed_key_help()
{
    testing::internal::CaptureStdout();
    help();
    return testing::internal::GetCapturedStdout();
}

std::string bytes(std::initializer_list<unsigned char> list) { return std::string(list.begin(), list.end()); }

size_t count_of(const std::string &text, char c) { return std::count(text.begin(), text.end(), c); }

TEST(KeyHelp, IsPrintedByteForByte)
{
    const std::string printed = printed_key_help();
    EXPECT_EQ(printed, windows1252(key_help_as_read));
    EXPECT_EQ(printed.size(), 1005u);
}

TEST(KeyHelp, HasItsRulesTrailingBlanksAndWindows1252Bytes)
{
    const std::string printed = printed_key_help();
    EXPECT_EQ(printed.find(std::string("\n\n") + std::string(51, '=') + "\n Programierer:"), 0u);
    EXPECT_NE(printed.find(std::string("\n") + std::string(51, '=') + "\n\n\t\t Tastenfunktionen:"),
              std::string::npos);
    EXPECT_NE(printed.find(std::string("\n") + std::string(59, '-') + "\n linke"), std::string::npos);
    EXPECT_NE(printed.find("aendern \n Pfeiltesten"), std::string::npos);

    // " groeßer" twice, "Lichtöffnungswinkel", and "kleiner  " at the end of string 25.
    const std::string groesser = bytes({0x20, 0x67, 0x72, 0x6F, 0x65, 0xDF, 0x65, 0x72});
    const std::string licht_oe = bytes({0x4C, 0x69, 0x63, 0x68, 0x74, 0xF6, 0x66, 0x66, 0x6E});
    const std::string line_24_end = bytes({0x6B, 0x6C, 0x65, 0x69, 0x6E, 0x65, 0x72, 0x20, 0x2F}) + groesser + "\n";
    const std::string line_25_end = groesser + bytes({0x20, 0x2F, 0x20, 0x6B, 0x6C, 0x65, 0x69, 0x6E, 0x65, 0x72,
                                                      0x20, 0x20, 0x0A, 0x20, 0x64, 0x20});
    EXPECT_NE(printed.find(line_24_end), std::string::npos);
    EXPECT_NE(printed.find(licht_oe), std::string::npos);
    EXPECT_NE(printed.find(line_25_end), std::string::npos);

    EXPECT_EQ(count_of(printed, '\xDF'), 2u);
    EXPECT_EQ(count_of(printed, '\xF6'), 1u);
    EXPECT_EQ(count_of(printed, '\xFC'), 0u);
    EXPECT_EQ(std::count_if(printed.begin(), printed.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }),
              3);
    EXPECT_EQ(count_of(printed, '\n'), 34u);
    EXPECT_EQ(count_of(printed, '\t'), 2u);
    EXPECT_EQ(printed.substr(printed.size() - 3), bytes({0x69, 0x74, 0x0A})); // "...Quit\n"
}

TEST(BoxText, TitleAndTextAreTheirBytes)
{
    EXPECT_EQ(std::string(help_title), bytes({0x56, 0x65, 0x6C, 0x6D, 0x6F, 0x72, 0x61, 0x3A, 0x20, 0x54, 0x61, 0x76,
                                              0x6F, 0x6C, 0x69, 0x6E}));
    const std::string text = help_text;
    EXPECT_EQ(text, windows1252(box_text_as_read));
    EXPECT_EQ(text.find(std::string("\n\n") + std::string(26, '=') + "\n"), 0u);
    EXPECT_NE(text.find(bytes({0x4D, 0x65, 0x6E, 0xFC, 0x49, 0x74, 0x65, 0x6D})), std::string::npos); // MenüItem
    EXPECT_NE(text.find(bytes({0x2E, 0x0A, 0x09, 0x20, 0x20, 0x20, 0x41})), std::string::npos);         // ".\n\t   A"
    EXPECT_NE(text.find(bytes({0x0A, 0x20, 0x20, 0x71, 0x2C, 0x20, 0x20, 0x20, 0x0A})), std::string::npos); // "  q,   "
    EXPECT_EQ(count_of(text, '\xFC'), 1u);
    EXPECT_EQ(std::count_if(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }), 1);
    EXPECT_EQ(text.back(), '\n');
}

TEST(BoxText, DisplayHelpPrintsTitleAndTextAfterALineFeedEach)
{
    help_test::FakeBox::install();
    testing::internal::CaptureStdout();
    display_help();
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, "\nVelmora: Tavolin\n" + windows1252(box_text_as_read));
    EXPECT_EQ(help_is_running, 1);
    EXPECT_TRUE(help_test::FakeBox::instance().wait_shown(1, std::chrono::seconds(2)));
    help_test::FakeBox::instance().close();
}

} // namespace
