#pragma once

#include <string>
#include <string_view>

namespace veldra {

class BoardWindowFactory;
class SerialPort;
class SerialPortPanel;

// Reads a "LINK:" section: serial stations, each with its name, address, peer, adjust and
// enable settings, and the bits it receives and sends:
//   LINK:
//   STATION.NAME: WD
//   ADDRESS: 1
//   ENABLE: 1
//   INPUT: WD_IN1, WD_IN2;
//   OUTPUT: WD_OUT1;
// Every station has its own window, made here; a station starts at the section's start,
// at a name when the station being read already has one, and at an address when it
// already has one. A station started by its address carries the name before it until it
// is given its own. A station may give its address before its name.
class SerialLinkReader {
public:
    explicit SerialLinkReader(BoardWindowFactory& windows) : windows_(windows) {}

    // The section starts: its first station's window, with the station in it.
    void NewSerialPort();
    // Reads one piece; true only at a section keyword, which ends the section.
    bool GetLink(std::string_view piece);
    // The window of the station being read; none before the first section.
    SerialPortPanel* Current() const { return current_; }
    // The section is over: the next one starts afresh.
    void EndSection();

private:
    // Shows the window of the station read so far, then makes the next station's window.
    void NextStation();
    SerialPortPanel& MakeStation();
    SerialPort* Station() const;
    void ReadName(std::string_view s);
    // The number after an "ADDRESS:" read before the station's name.
    static bool IsAddressNumber(std::string_view s);
    // The bits of the open list, separated by blanks or ","; ";" closes the list.
    void ReadBits(std::string_view s, bool lineEnd);
    void AddBit(std::string& name);
    int InCount() const;
    int OutCount() const;
    // Forgets what was read of a station's settings and lists.
    void ForgetStationSettings();

    BoardWindowFactory& windows_;
    SerialPortPanel* current_ = nullptr;

    int stations_ = 0;  // stations made in this section
    bool stationNamed_ = false;
    bool stationAddressed_ = false;

    bool nameKnown_ = false;
    bool addressRead_ = false;
    bool addressNumberAwaited_ = false;
    bool adjustRead_ = false;
    bool enableAwaited_ = false;
    bool enableRead_ = false;
    bool inInputs_ = false;
    bool inOutputs_ = false;
    bool complete_ = false;
};

}  // namespace veldra
