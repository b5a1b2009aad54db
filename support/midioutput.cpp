// MIDI output through the ALSA sequencer (see midioutput.h). The program gets
// its own sequencer port, connected to the chosen destination, and sends each
// message as a direct event. ALSA's own error printing is silenced: a missing
// sound driver is reported as an error code to the script, not on stderr.
#include "support/midioutput.h"

#include <alsa/asoundlib.h>

#include <cstdarg>

namespace vornscript {

namespace {

constexpr size_t destinationindex = 1;

void silentalsaerror(const char*, int, const char*, int, const char*, ...) {}

bool playable(snd_seq_port_info_t* port) {
    constexpr unsigned writable = SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
    const unsigned capabilities = snd_seq_port_info_get_capability(port);
    return (capabilities & writable) == writable &&
           (capabilities & SND_SEQ_PORT_CAP_NO_EXPORT) == 0 &&
           (snd_seq_port_info_get_type(port) & SND_SEQ_PORT_TYPE_MIDI_GENERIC) != 0;
}

// The playable ports of other clients, in the sequencer's order.
std::vector<snd_seq_addr_t> playableports(snd_seq_t* sequencer) {
    std::vector<snd_seq_addr_t> ports;
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    const int self = snd_seq_client_id(sequencer);
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(sequencer, client) >= 0) {
        const int id = snd_seq_client_info_get_client(client);
        if (id == SND_SEQ_CLIENT_SYSTEM || id == self) {
            continue;
        }
        snd_seq_port_info_set_client(port, id);
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(sequencer, port) >= 0) {
            if (playable(port)) {
                ports.push_back(*snd_seq_port_info_get_addr(port));
            }
        }
    }
    return ports;
}

} // namespace

struct VornMidiOutput::Device {
    snd_seq_t* sequencer = nullptr;
    int port = -1;
    snd_midi_event_t* encoder = nullptr;

    ~Device() {
        if (encoder != nullptr) {
            snd_midi_event_free(encoder);
        }
        if (sequencer != nullptr) {
            snd_seq_close(sequencer);
        }
    }
};

VornMidiPacking packmidimessages(std::span<const int64_t> numbers,
                                 std::vector<uint32_t>& messages) {
    const auto isdata = [](int64_t number) { return number >= 0 && number <= 127; };
    size_t index = 0;
    while (index < numbers.size()) {
        const int64_t status = numbers[index++];
        if (status < 128 || status > 239) {
            return VornMidiPacking::nostatus;
        }
        auto message = static_cast<uint32_t>(status);
        for (uint32_t shift = 8; shift <= 16 && index < numbers.size() && isdata(numbers[index]);
             shift += 8) {
            message += static_cast<uint32_t>(numbers[index++]) << shift;
        }
        messages.push_back(message);
    }
    return VornMidiPacking::packed;
}

size_t midimessagelength(uint32_t status) {
    const uint32_t kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
}

VornMidiOutput::VornMidiOutput() = default;
VornMidiOutput::~VornMidiOutput() = default;

bool VornMidiOutput::open(int& errorcode) {
    if (device_) {
        return true;
    }
    snd_lib_error_set_handler(silentalsaerror);
    auto device = std::make_unique<Device>();
    int result = snd_seq_open(&device->sequencer, "default", SND_SEQ_OPEN_OUTPUT, 0);
    if (result >= 0) {
        snd_seq_set_client_name(device->sequencer, "vornscript");
        result = device->port = snd_seq_create_simple_port(
            device->sequencer, "playmidi", SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
            SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    }
    if (result >= 0) {
        result = snd_midi_event_new(3, &device->encoder);
    }
    if (result < 0) {
        errorcode = -result;
        return false;
    }
    const std::vector<snd_seq_addr_t> ports = playableports(device->sequencer);
    if (ports.empty()) {
        errorcode = midierrornodevice;
        return false;
    }
    const snd_seq_addr_t& destination =
        ports[ports.size() > destinationindex ? destinationindex : 0];
    result =
        snd_seq_connect_to(device->sequencer, device->port, destination.client, destination.port);
    if (result < 0) {
        errorcode = -result;
        return false;
    }
    device_ = std::move(device);
    return true;
}

void VornMidiOutput::send(uint32_t message) {
    if (!device_) {
        return;
    }
    const unsigned char bytes[3] = {static_cast<unsigned char>(message & 0xFF),
                                    static_cast<unsigned char>((message >> 8) & 0xFF),
                                    static_cast<unsigned char>((message >> 16) & 0xFF)};
    snd_seq_event_t event;
    snd_seq_ev_clear(&event);
    snd_midi_event_reset_encode(device_->encoder);
    snd_midi_event_encode(device_->encoder, bytes, static_cast<long>(midimessagelength(message)),
                          &event);
    if (event.type == SND_SEQ_EVENT_NONE) {
        return;
    }
    snd_seq_ev_set_source(&event, static_cast<unsigned char>(device_->port));
    snd_seq_ev_set_subs(&event);
    snd_seq_ev_set_direct(&event);
    snd_seq_event_output_direct(device_->sequencer, &event);
}

} // namespace vornscript
