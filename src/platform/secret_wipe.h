#pragma once
// Overwrites a secret held in memory (a password typed, read from a file or sent to the radio)
// once it has served, so that it does not linger in freed memory; the text is left empty. The
// compiler may not drop the overwrite as a dead store (OPENSSL_cleanse).
#include <string>

void WipeSecret(std::string& secret);
void WipeSecret(std::u16string& secret);
