// MIDI output through the ALSA sequencer (see midioutput.h). The program gets
// its own sequencer port, connected to the chosen destination, and sends each
// message as a direct event. libasound is loaded with dlopen on the first
// open: every start of the program would otherwise pay for loading it, and
// the program still runs where it is missing. ALSA's own error printing is
// silenced: a missing sound driver is reported as an error code to the
// script, not on stderr.
#include "support/midioutput.h"

#include "support/systemlibrary.h"

#include <alsa/asoundlib.h>

namespace vornscript {

namespace {

constexpr size_t destinationindex = 1;

// The libasound functions used, loaded by name.
#define VORN_ALSA_FUNCTIONS(X)                                                                     \
    X(snd_lib_error_set_handler)                                                                   \
    X(snd_seq_open)                                                                                \
    X(snd_seq_close)                                                                               \
    X(snd_seq_set_client_name)                                                                     \
    X(snd_seq_client_id)                                                                           \
    X(snd_seq_create_simple_port)                                                                  \
    X(snd_seq_connect_to)                                                                          \
    X(snd_seq_event_output_direct)                                                                 \
    X(snd_seq_client_info_malloc)                                                                  \
    X(snd_seq_client_info_free)                                                                    \
    X(snd_seq_client_info_set_client)                                                              \
    X(snd_seq_client_info_get_client)                                                              \
    X(snd_seq_query_next_client)                                                                   \
    X(snd_seq_port_info_malloc)                                                                    \
    X(snd_seq_port_info_free)                                                                      \
    X(snd_seq_port_info_set_client)                                                                \
    X(snd_seq_port_info_set_port)                                                                  \
    X(snd_seq_port_info_get_capability)                                                            \
    X(snd_seq_port_info_get_type)                                                                  \
    X(snd_seq_port_info_get_addr)                                                                  \
    X(snd_seq_query_next_port)                                                                     \
    X(snd_midi_event_new)                                                                          \
    X(snd_midi_event_free)                                                                         \
    X(snd_midi_event_reset_encode)                                                                 \
    X(snd_midi_event_encode)

struct Alsa {
    VORN_ALSA_FUNCTIONS(VORN_LIBRARY_POINTER)
};

// The loaded library, or nullptr when it or one of its functions is missing.
// It stays loaded for the rest of the process.
const Alsa* loadalsa() {
    static const Alsa* const loaded = []() -> const Alsa* {
        void* library = loadsystemlibrary("libasound.so.2");
        if (library == nullptr) {
            return nullptr;
        }
        static Alsa alsa;
#define VORN_ALSA_BIND(name) bindlibraryfunction(library, #name, alsa.name)&&
        const bool complete = VORN_ALSA_FUNCTIONS(VORN_ALSA_BIND) true;
#undef VORN_ALSA_BIND
        return complete ? &alsa : nullptr;
    }();
    return loaded;
}

void silentalsaerror(const char*, int, const char*, int, const char*, ...) {}

bool playable(const Alsa& alsa, const snd_seq_port_info_t* port) {
    constexpr unsigned writable = SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
    const unsigned capabilities = alsa.snd_seq_port_info_get_capability(port);
    return (capabilities & writable) == writable &&
           (capabilities & SND_SEQ_PORT_CAP_NO_EXPORT) == 0 &&
           (alsa.snd_seq_port_info_get_type(port) & SND_SEQ_PORT_TYPE_MIDI_GENERIC) != 0;
}

// The playable ports of other clients, in the sequencer's order.
std::vector<snd_seq_addr_t> playableports(const Alsa& alsa, snd_seq_t* sequencer) {
    std::vector<snd_seq_addr_t> ports;
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    if (alsa.snd_seq_client_info_malloc(&client) == 0 &&
        alsa.snd_seq_port_info_malloc(&port) == 0) {
        const int self = alsa.snd_seq_client_id(sequencer);
        alsa.snd_seq_client_info_set_client(client, -1);
        while (alsa.snd_seq_query_next_client(sequencer, client) >= 0) {
            const int id = alsa.snd_seq_client_info_get_client(client);
            if (id == SND_SEQ_CLIENT_SYSTEM || id == self) {
                continue;
            }
            alsa.snd_seq_port_info_set_client(port, id);
            alsa.snd_seq_port_info_set_port(port, -1);
            while (alsa.snd_seq_query_next_port(sequencer, port) >= 0) {
                if (playable(alsa, port)) {
                    ports.push_back(*alsa.snd_seq_port_info_get_addr(port));
                }
            }
        }
    }
    if (port != nullptr) {
        alsa.snd_seq_port_info_free(port);
    }
    if (client != nullptr) {
        alsa.snd_seq_client_info_free(client);
    }
    return ports;
}

} // namespace

struct VornMidiOutput::Device {
    explicit Device(const Alsa& library) : alsa(library) {}
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    const Alsa& alsa;
    snd_seq_t* sequencer = nullptr;
    int port = -1;
    snd_midi_event_t* encoder = nullptr;

    ~Device() {
        if (encoder != nullptr) {
            alsa.snd_midi_event_free(encoder);
        }
        if (sequencer != nullptr) {
            alsa.snd_seq_close(sequencer);
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
    const Alsa* alsa = loadalsa();
    if (alsa == nullptr) {
        errorcode = midierrornodevice;
        return false;
    }
    alsa->snd_lib_error_set_handler(silentalsaerror);
    auto device = std::make_unique<Device>(*alsa);
    int result = alsa->snd_seq_open(&device->sequencer, "default", SND_SEQ_OPEN_OUTPUT, 0);
    if (result >= 0) {
        alsa->snd_seq_set_client_name(device->sequencer, "vornscript");
        result = device->port = alsa->snd_seq_create_simple_port(
            device->sequencer, "playmidi", SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
            SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    }
    if (result >= 0) {
        result = alsa->snd_midi_event_new(3, &device->encoder);
    }
    if (result < 0) {
        errorcode = -result;
        return false;
    }
    const std::vector<snd_seq_addr_t> ports = playableports(*alsa, device->sequencer);
    if (ports.empty()) {
        errorcode = midierrornodevice;
        return false;
    }
    const snd_seq_addr_t& destination =
        ports[ports.size() > destinationindex ? destinationindex : 0];
    result = alsa->snd_seq_connect_to(device->sequencer, device->port, destination.client,
                                      destination.port);
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
    const Alsa& alsa = device_->alsa;
    alsa.snd_midi_event_reset_encode(device_->encoder);
    alsa.snd_midi_event_encode(device_->encoder, bytes,
                               static_cast<long>(midimessagelength(message)), &event);
    if (event.type == SND_SEQ_EVENT_NONE) {
        return;
    }
    snd_seq_ev_set_source(&event, static_cast<unsigned char>(device_->port));
    snd_seq_ev_set_subs(&event);
    snd_seq_ev_set_direct(&event);
    alsa.snd_seq_event_output_direct(device_->sequencer, &event);
}

} // namespace vornscript
