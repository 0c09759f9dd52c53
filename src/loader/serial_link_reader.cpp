#include "loader/serial_link_reader.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "boards/serial_port.h"
#include "loader/board_header_reader.h"
#include "loader/keywords.h"
#include "panels/board_window_factory.h"
#include "panels/serial_port_panel.h"

namespace veldra {

void SerialLinkReader::NewSerialPort() {
    EndSection();
    MakeStation();
}

SerialPortPanel& SerialLinkReader::MakeStation() {
    SerialPortPanel& window = windows_.NewSerialPortWindow();
    window.SetMyBoard(std::make_unique<SerialPort>());
    ++stations_;
    if (stations_ > 1) {
        window.SetAddress(std::int16_t(stations_));
    }
    current_ = &window;
    stationNamed_ = false;
    stationAddressed_ = false;
    return window;
}

void SerialLinkReader::NextStation() {
    std::string name;
    if (SerialPort* station = Station()) {
        name = station->PortName();
        windows_.ShowWindow(*current_);
    }
    MakeStation();
    if (SerialPort* station = Station()) {
        station->SetPortName(name);
    }
}

SerialPort* SerialLinkReader::Station() const {
    return current_ != nullptr && !current_->Closed() ? current_->MyBoard() : nullptr;
}

bool SerialLinkReader::GetLink(std::string_view piece) {
    std::string s(TrimBlanks(piece));
    if (KeyWord(s)) {
        EndSection();
        return true;
    }
    const bool lineEnd = !s.ends_with(':');
    if (addressNumberAwaited_) {
        addressNumberAwaited_ = false;
        if (IsAddressNumber(s)) {
            return false;
        }
    }
    if (Contains(s, "ADDRESS") && !Contains(s, "PEER")) {
        if (stationAddressed_) {
            NextStation();
            nameKnown_ = true;
        }
        stationAddressed_ = true;
        ForgetStationSettings();
        if (!nameKnown_ && !stationNamed_ && Contains(s, "ADDRESS:")) {
            // A station may give its address before its name: the address is its own, and
            // the number after it is no name.
            s = After(s, "ADDRESS:");
            addressRead_ = true;
            addressNumberAwaited_ = TrimBlanks(s).empty();
        }
    }
    if (s.empty() || Station() == nullptr) {
        return false;
    }
    if (Contains(s, "PEER")) {
        Station()->SetPeer(true);
    }
    bool readLists = true;
    if (Contains(s, "STATION.NAME:")) {
        if (stationNamed_) {
            NextStation();
        }
        nameKnown_ = false;
        Station()->SetPeer(true);
        s = After(s, "STATION.NAME:");
    } else {
        if (nameKnown_ && !addressRead_) {
            // Between a station's name and its address nothing is read.
            if (!Contains(s, "ADDRESS:")) {
                return false;
            }
            s = After(s, "ADDRESS:");
            addressRead_ = true;
        }
        if (inInputs_ || inOutputs_) {
            ReadBits(s, lineEnd);
            readLists = false;
        } else if (!nameKnown_) {
            ReadName(s);
            readLists = false;
        } else if (ADJFIX(s) && !adjustRead_ && !enableRead_) {
            if (Contains(s, "ADJUSTABLE")) {
                Station()->SetAdjustable(true);
                s = After(s, "ADJUSTABLE");
            } else {
                s = After(s, "FIXED");
            }
            adjustRead_ = true;
        }
    }
    if (readLists && !Contains(s, "ENABLE:") && !enableAwaited_) {
        for (const auto& [header, input] : {std::pair<std::string_view, bool>{"NV.OUTPUT:", false},
                                            {"OUTPUT:", false},
                                            {"NV.INPUT:", true},
                                            {"INPUT:", true}}) {
            if (Contains(s, header)) {
                inInputs_ = input;
                inOutputs_ = !input;
                s = After(s, header);
                enableRead_ = false;
                ReadBits(s, lineEnd);
                break;
            }
        }
    }
    if (readLists && (Contains(s, "ENABLE:") || enableAwaited_) && !enableRead_) {
        if (Contains(s, "ENABLE:")) {
            s = After(s, "ENABLE:");
        }
        if (Contains(s, "0")) {
            enableRead_ = true;
            enableAwaited_ = false;
        } else if (Contains(s, "1")) {
            Station()->SetEnabled(true);
            enableRead_ = true;
            enableAwaited_ = false;
        } else {
            enableAwaited_ = true;
        }
    }
    if (complete_) {
        nameKnown_ = false;
        ForgetStationSettings();
    }
    return false;
}

// A name where one is awaited; a station that has its name already is followed by the
// next station, so that no station's name is ever written over.
void SerialLinkReader::ReadName(std::string_view s) {
    const std::string written = Before(s, ";");
    const std::string_view name = TrimBlanks(written);
    if (name.empty()) {
        return;
    }
    if (stationNamed_) {
        NextStation();
    }
    if (SerialPort* station = Station()) {
        station->SetPortName(name);
    }
    nameKnown_ = true;
    stationNamed_ = true;
}

bool SerialLinkReader::IsAddressNumber(std::string_view s) {
    const std::string written = Before(s, ";");
    const std::string_view number = TrimBlanks(written);
    return !number.empty() &&
           std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void SerialLinkReader::ReadBits(std::string_view s, bool lineEnd) {
    std::string name;
    for (const char c : s) {
        if (c == ' ' || c == ',') {
            AddBit(name);
        } else if (c == ';') {
            AddBit(name);
            const bool otherListed = (inInputs_ ? OutCount() : InCount()) > 0;
            inInputs_ = false;
            inOutputs_ = false;
            complete_ = otherListed;
            return;
        } else {
            name += c;
        }
    }
    // The last name of a line needs no separator.
    if (lineEnd) {
        AddBit(name);
    }
}

void SerialLinkReader::AddBit(std::string& name) {
    SerialPort* station = Station();
    if (!name.empty() && station != nullptr) {
        if (inInputs_ && station->SerialInBit() != nullptr) {
            station->SerialInBit()->SerialInBits().Add(name, false);
        } else if (inOutputs_ && station->SerialOutBit() != nullptr) {
            station->SerialOutBit()->SerialOutBits().Add(name, false);
        }
    }
    name.clear();
}

int SerialLinkReader::InCount() const {
    const SerialPort* station = Station();
    return station != nullptr && station->SerialInBit() != nullptr
               ? station->SerialInBit()->SerialInBits().Count()
               : 0;
}

int SerialLinkReader::OutCount() const {
    const SerialPort* station = Station();
    return station != nullptr && station->SerialOutBit() != nullptr
               ? station->SerialOutBit()->SerialOutBits().Count()
               : 0;
}

void SerialLinkReader::EndSection() {
    stations_ = 0;
    stationNamed_ = false;
    stationAddressed_ = false;
    nameKnown_ = false;
    addressRead_ = false;
    addressNumberAwaited_ = false;
    ForgetStationSettings();
}

void SerialLinkReader::ForgetStationSettings() {
    adjustRead_ = false;
    enableAwaited_ = false;
    enableRead_ = false;
    inInputs_ = false;
    inOutputs_ = false;
    complete_ = false;
}

}  // namespace veldra
