#include "platform/secret_wipe.h"

#include <openssl/crypto.h>

void WipeSecret(std::string& secret) {
    // The whole buffer, not only the text: a shorter value may sit in a longer buffer.
    secret.resize(secret.capacity());
    OPENSSL_cleanse(secret.data(), secret.size());
    secret.clear();
}

void WipeSecret(std::u16string& secret) {
    secret.resize(secret.capacity());
    OPENSSL_cleanse(secret.data(), secret.size() * sizeof(char16_t));
    secret.clear();
}
