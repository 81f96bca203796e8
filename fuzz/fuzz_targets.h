#pragma once
// Entry points shared by the libFuzzer binaries and the smoke test that replays mutated seeds in
// every test run. Each must survive any input: no crash, no hang, no undefined behaviour.
#include <cstddef>
#include <cstdint>

// Bytes of a configuration file: decode, parse, load in the file form, render both forms.
int FuzzConfigurationFile(const uint8_t* data, size_t size);
// UTF-16 text as the radio sends it: hexadecimal lines loaded in the radio form, and stored
// secrets decoded.
int FuzzRadioText(const uint8_t* data, size_t size);
// Bytes of a certificate file: the PEM check and the PKCS #12 import (a password prompt that
// answers), then the summary of whatever was accepted.
int FuzzCertificateImport(const uint8_t* data, size_t size);
// Bytes of an ID list CSV: decoded, split into rows and imported into a document.
int FuzzCsvFile(const uint8_t* data, size_t size);
// Bytes of a language file, read from a file as at start-up; every text loaded is then used as
// the format of a message with the arguments the program passes.
int FuzzLanguageFile(const uint8_t* data, size_t size);
// Bytes arriving on the serial line during a clone read: the frame splitter takes them and the
// read path answers block checks and checks the end of data, without a device.
int FuzzCloneRead(const uint8_t* data, size_t size);
// A configuration drawn from the input, sent through the trace masker as a read, a write or an
// information reply with the frame cuts, odd answers and resent blocks the input asks for; aborts
// when a trace would show a byte of a secret (trace_mask_target.cpp).
int FuzzTraceMask(const uint8_t* data, size_t size);
