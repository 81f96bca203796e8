#pragma once
// The check after a write: the radio's configuration is read back and compared key by key with
// the radio form of what was written.
#include <string>

#include "link/radio_recipes.h"

class CTalveroDoc;

struct FleetVerifyResult {
    RadioOutcome read;   // the read-back; its failure when it failed
    std::string reason;  // empty when the radio holds what was written
    bool ok() const { return read.ok() && reason.empty(); }
};

FleetVerifyResult VerifyWrittenConfiguration(const CTalveroDoc& written, CloneLinkSettings& link,
                                             ICloneHost& host, const CloneTimings& timings);
