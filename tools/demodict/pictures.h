// pictures.h: the illustrations and tables of the demo dictionary, drawn with cairo and
// stored as PNG images: geometric figures for the entries that name them, and tables of
// the Greek alphabet, the Roman numerals and the planets.
#pragma once
#include <string>
#include <vector>

namespace demodict {

struct Picture {
    std::string key;        // the record's key in its collection
    std::string headword;   // the WordNet noun whose entry shows it
    std::string caption;    // the text shown with it
    std::string png;        // the image file's bytes
};

// The figures: keys "circle", "hexagon", ... (the noun itself).
std::vector<Picture> draw_figures();

// The tables: keys "GREEK", "ROMAN", "PLANETS".
std::vector<Picture> draw_tables();

} // namespace demodict
