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
