// The program's side of the packets that carry values across the plug-in
// boundary (layout and memory in vornplugin.h): a value becomes a packet and
// a packet a value. A packet the program receives is owned through
// VornPacket, so every path frees it exactly once.
#pragma once

#include "extensions/librarymodule.h"
#include "extensions/vornplugin.h"
#include "support/refcounted.h"
#include "values/datahandler.h"
#include "values/errorexception.h"

#include <memory>
#include <string>
#include <vector>

namespace vornscript {

using vornplugin::hostownertag;

struct VornPacketDeleter {
    void operator()(void* packet) const { vornplugin::freepacket(packet); }
};
using VornPacket = std::unique_ptr<void, VornPacketDeleter>;

// The values sent to a plug-in by reference during one call, so that a
// reference the plug-in sends back is the same value again: the program's
// live values (data handlers of its extensions), numbered by their place
// here, and the plug-in's own values by their object ids. An id of the
// plug-in that comes back must not get a second handler, which would tell
// the plug-in to destroy the id twice.
class VornHostReferences {
public:
    uint32_t add(const VornScriptObjectPtr& value);
    // The value of id, or no value for an id that was never handed out.
    VornScriptObjectPtr find(uint32_t id) const;

    void addlibraryvalue(uint32_t objectid, const VornScriptObjectPtr& value);
    // The plug-in's value sent with objectid, or no value.
    VornScriptObjectPtr findlibraryvalue(uint32_t objectid) const;

private:
    std::vector<VornScriptObjectPtr> values_;
    std::vector<std::pair<uint32_t, VornScriptObjectPtr>> libraryvalues_;
};

// A text packet with the text in UTF-16 (the program's texts are
// Windows-1252).
void* maketextpacket(const std::string& text);
// The text of a text packet; empty for any other packet.
std::string packettext(const void* packet);

// The packet of a value. With [references], the values sent by reference
// (live values of the program) go as references tagged hostownertag;
// without, every value goes by its content. A value of [module]'s own
// library goes back as its object id.
void* valuetopacket(const VornScriptObjectPtr& value, const VornLibraryModule* module,
                    VornHostReferences* references);

// The value of a packet: kind 1 a text, 2 a vector, 3 a structure, 4 a
// library value of [module] (or, tagged hostownertag, the program's value
// from [references]); kind 0 or no packet gives no value.
VornScriptObjectPtr packettovalue(const void* packet, const VornRef<VornLibraryModule>& module,
                                  const VornHostReferences* references);

// The pairs packet of a call position: filename, linenr, columnnr, charpos.
void* positionpacket(const VornScriptSourcePosition& position);

} // namespace vornscript
