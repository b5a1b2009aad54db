// MIDI output: short messages (a status byte and up to two data bytes, packed
// as status + 256 x data1 + 65536 x data2) sent to a port of the ALSA
// sequencer. The device opens on first use and stays open until the object
// goes; its owner (the script's context) decides how long that is.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace vornscript {

enum class VornMidiPacking { packed, nostatus };

// Reads [numbers] as messages: a status from 128 to 239, then up to two
// data bytes, each taken only when it lies from 0 to 127. nostatus when a
// message does not start with a valid status.
VornMidiPacking packmidimessages(std::span<const int64_t> numbers, std::vector<uint32_t>& messages);

// The bytes a message with [status] has on the wire: 2 for program change
// and channel pressure, 3 for the other channel messages.
size_t midimessagelength(uint32_t status);

// The error code when the sequencer has no port to play to.
inline constexpr int midierrornodevice = 2;

class VornMidiOutput {
public:
    VornMidiOutput();
    ~VornMidiOutput();
    VornMidiOutput(const VornMidiOutput&) = delete;
    VornMidiOutput& operator=(const VornMidiOutput&) = delete;

    // Opens the device unless open: the second playable port of the
    // sequencer, else the first. False with [errorcode] (a positive errno,
    // or midierrornodevice) when that fails.
    bool open(int& errorcode);
    // Sends one packed message to the open device.
    void send(uint32_t message);

private:
    struct Device;
    std::unique_ptr<Device> device_;
};

} // namespace vornscript
