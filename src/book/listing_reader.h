#pragma once

#include <istream>
#include <string>

namespace veldra {

// The three documentation texts the program book takes from the application's compiled
// listing: they prove on every page which image the book was printed from.
struct ListingTexts {
    std::string CRC;
    std::string ChkSum;
    // The jumper heading and every line of the section, each ending in CR LF.
    std::string Jumpers;
};

// Reads the summary of a `.mll` or `.gnl` listing into `texts`: the CRC, then the
// checksum, then the jumper section, each looked for only after the one before it was
// found. A text that is not found keeps what `texts` held.
void ReadListing(std::istream& listing, ListingTexts& texts);

}  // namespace veldra
