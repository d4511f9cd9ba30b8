#pragma once
// Job files as the Illustrator plug-in writes them (CR LF lines, millimetres with three decimals),
// for the tests that hand the program a drawing.

#include <charconv>
#include <string>

namespace sartovin::test {

/// "%.3f" whatever the process locale.
inline std::string millimetres(double v) {
    char buffer[64];
    auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 3);
    return std::string(buffer, r.ptr);
}

/// A job of one unselected, unfilled `width` × `height` mm rectangle at the origin of a 100 × 100 mm
/// page, drawn as a closed path of four corner anchors on layer "Ebene 1".
inline std::string rectangleJobFile(double width, double height) {
    const std::string w = millimetres(width), h = millimetres(height), o = millimetres(0);
    auto anchor = [](const std::string& x, const std::string& y) {
        return "C " + x + " " + y + " " + x + " " + y + " " + x + " " + y + "\r\n";
    };
    return "Sartovin Daten von AI.\r\nQXSeite\r\n100.000 100.000\r\nQXEbene\r\nEbene 1\r\nQXObjekt\r\n"
           "QXAuswahl\r\nnein\r\nQXKoordinaten\r\n" +
           o + " " + h + " " + w + " " + o +
           "\r\nQXFuellfarbe\r\nkeine\r\n\r\n\r\nQXStart\r\nQXGeschlossen\r\nja\r\n" + anchor(o, o) +
           anchor(w, o) + anchor(w, h) + anchor(o, h) + "QXEnde\r\n";
}

}  // namespace sartovin::test
