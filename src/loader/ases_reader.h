#pragma once

#include <string_view>

namespace veldra {

class ASES;
class Channel;

// Reads the body of an encoder board ("ASES.ENCODER"): for each of its five channels
// whether it is adjustable and enabled, and the control bits that make it send, each
// after its own "IF":
//   CHANNEL1:
//   ADJUSTABLE ENABLE: 1
//   IF S1_HR,
//   IF S2_HR;
class AsesReader {
public:
    // Reads one piece into `board`; none when the board is gone, and then nothing is set.
    // True only at a section keyword.
    bool GetAsesBits(std::string_view piece, ASES* board);

    // The board is over: the next one starts with no channel and nothing awaited.
    void Reset() { *this = AsesReader(); }

private:
    // The channel the last "CHANNEL" piece named; none yet is a mistake in the source.
    Channel& CurrentChannel(ASES& board, std::string_view what);

    int channel_ = 0;
    bool enableAwaited_ = false;
    bool inIf_ = false;
};

}  // namespace veldra
