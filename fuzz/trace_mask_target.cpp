// The trace masker against the secrets it was given. The input draws a configuration (secret and
// ordinary lines, random keys, random values), changes some of its characters in ways the link
// reads exactly as before (a "0" digit becomes another character that counts as 0), and sends it
// as the radio (a read or an information reply) or as the PC (a write) would: frames cut at any
// byte, text ended early by a NUL with anything after it, damaged block checks, blocks sent again,
// odd answers to the PC's block checks, stray frames. Every byte that carries a secret must be
// masked, no trace line may show a secret's text, and the checksum of a block that carried a
// secret must be masked. A leak aborts, which the fuzzer reports as a finding.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "document/ini_data.h"
#include "document/secret_keys.h"
#include "fuzz_targets.h"
#include "link/clone_block_reader.h"
#include "link/clone_frames.h"
#include "link/clone_trace.h"
#include "link/trace_mask.h"
#include "platform/code_page.h"

namespace {

// Numbers drawn from the input; zeros once it is used up, so every input ends.
class Draw {
  public:
    Draw(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    uint32_t Below(uint32_t bound) {
        uint32_t v = 0;
        for (int i = 0; i < 3; ++i) {
            v = (v << 8) | (m_pos < m_size ? m_data[m_pos++] : 0);
        }
        return bound == 0 ? 0 : v % bound;
    }
    bool Chance(uint32_t inEight) { return Below(8) < inEight; }

  private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// Clone text with, for each byte, whether it carries a secret.
struct MarkedText {
    std::string bytes;
    std::vector<bool> secret;
    void Append(std::u16string_view text, bool isSecret) {
        static const char kHex[] = "0123456789ABCDEF";
        for (char16_t c : text) {
            for (int shift = 12; shift >= 0; shift -= 4) {
                bytes += kHex[(c >> shift) & 15];
                secret.push_back(isSecret);
            }
        }
    }
    void AppendRaw(std::string_view raw) {
        bytes += raw;
        secret.insert(secret.end(), raw.size(), false);
    }
};

const std::u16string_view kSecretNames[] = {u"access_pass",     u"wlan_key",      u"wlan_psk", u"eap_passwd",
                                            u"eap_cert_passwd", u"eap_cert_cert", u"ppp_pass", u"prov_pass"};
const std::u16string_view kOrdinaryKeys[] = {u"disp_item_01",    u"wlan_ssid_01", u"eap_cert_cert_idx_01",
                                             u"name_01_01",      u"model",        u"access_passive",
                                             u"wlan_key_idx_01", u"code",         u"pass"};
const char16_t kValueChars[] = u"abcXYZ019=_-!~ \u00e9\u3042\uff21\u0000\r\n";

std::u16string DrawValue(Draw& draw, size_t longest) {
    std::u16string value;
    const size_t length = draw.Below(static_cast<uint32_t>(longest) + 1);
    for (size_t i = 0; i < length; ++i) {
        // Mostly printable characters; now and then a CR, LF or NUL, which only the hexadecimal
        // form can carry.
        value += kValueChars[draw.Below(sizeof kValueChars / sizeof kValueChars[0] - 1)];
    }
    return value;
}

std::u16string DrawKey(Draw& draw) {
    switch (draw.Below(4)) {
        case 0:
        case 1: {
            std::u16string key(kSecretNames[draw.Below(8)]);
            for (uint32_t groups = draw.Below(3); groups > 0; --groups) {
                key += u'_';
                key += static_cast<char16_t>(u'0' + draw.Below(10));
                key += static_cast<char16_t>(u'0' + draw.Below(10));
            }
            return key;
        }
        case 2:
            return std::u16string(kOrdinaryKeys[draw.Below(9)]);
        default: {
            static const char16_t kKeyChars[] = u"acdeknpsw_0123";
            std::u16string key;
            for (uint32_t n = 1 + draw.Below(20); n > 0; --n) {
                key += kKeyChars[draw.Below(14)];
            }
            return key;
        }
    }
}

struct Scenario {
    MarkedText text;
    std::vector<std::string> secrets;  // each secret value's clone text
};

Scenario DrawConfiguration(Draw& draw) {
    Scenario s;
    for (uint32_t lines = 1 + draw.Below(12); lines > 0; --lines) {
        const std::u16string key = DrawKey(draw);
        const std::u16string value = DrawValue(draw, draw.Chance(1) ? 200 : 24);
        const bool secret = IsSecretKey(key);
        if (draw.Below(16) == 0) {
            s.text.Append(key + value, false);  // a line without "="
        } else {
            s.text.Append(key + u"=", false);
            s.text.Append(value, secret);
        }
        if (secret && value.size() >= 2) {
            MarkedText alone;
            alone.Append(value, true);
            s.secrets.push_back(alone.bytes);
        }
        if (lines > 1 || draw.Chance(4)) {
            s.text.AppendRaw("\r\n");
        }
    }
    // A secret's text that also stands where nothing is secret (another line holds it too) may
    // show there; the byte check still covers it.
    std::string open = s.text.bytes;
    for (size_t i = 0; i < open.size(); ++i) {
        if (s.text.secret[i]) {
            open[i] = '*';
        }
    }
    std::erase_if(s.secrets, [&](const std::string& v) { return open.find(v) != std::string::npos; });
    return s;
}

// Every line as the link decodes it, in order: two texts read alike line for line, not only in
// the values that end up kept (a later line with the same key hides an earlier one).
std::vector<std::u16string> Decoded(const std::string& bytes) {
    const std::u16string text = FromAnsi(bytes);
    std::vector<std::u16string> lines;
    for (size_t pos = 0;;) {
        const size_t end = text.find(u"\r\n", pos);
        lines.push_back(DecodeHexText(std::u16string_view(text).substr(
            pos, end == std::u16string::npos ? std::u16string::npos : end - pos)));
        if (end == std::u16string::npos) {
            return lines;
        }
        pos = end + 2;
    }
}

// Characters that the link reads as a 0 digit, put where a "0" digit was, one at a time; a change
// that would alter what the link reads (a CR and LF meeting, a lead byte joining the next) is
// taken back.
void ChangeDigits(Draw& draw, MarkedText& text) {
    static const char kStandIns[] = {'G', 'z', ' ', '\x01', '\x7f', '\r', '\n', '\xA1', '\x81', '='};
    const uint32_t changes = draw.Below(8);
    if (changes == 0 || text.bytes.empty()) {
        return;
    }
    const auto before = Decoded(text.bytes);
    for (uint32_t n = 0; n < changes; ++n) {
        const size_t at = text.bytes.find('0', draw.Below(static_cast<uint32_t>(text.bytes.size())));
        if (at == std::string::npos) {
            continue;
        }
        text.bytes[at] = kStandIns[draw.Below(sizeof kStandIns)];
        if (Decoded(text.bytes) != before) {
            text.bytes[at] = '0';
        }
    }
}

[[noreturn]] void Leak(const char* what, const Bytes& frame, size_t at) {
    std::fprintf(stderr, "trace mask leak: %s (frame of %zu bytes, command %02X, byte %zu)\n", what,
                 frame.size(), frame.size() > 3 ? frame[3] : 0, at);
    std::abort();
}

class Checker {
  public:
    // The secrets as a trace line would show them: two hexadecimal digits a byte.
    explicit Checker(const Scenario& s) {
        static const char kHex[] = "0123456789ABCDEF";
        for (const std::string& value : s.secrets) {
            std::string shown;
            for (unsigned char c : value) {
                shown += kHex[c >> 4];
                shown += kHex[c & 15];
            }
            m_shownSecrets.push_back(std::move(shown));
        }
    }

    // Masks a frame and checks it: `secret` marks the bytes that carry a secret.
    void Frame(const Bytes& frame, const std::vector<bool>& secret, bool fromPc) {
        const std::vector<bool> masked = m_masker.Mask(frame.data(), frame.size(), fromPc);
        for (size_t i = 0; i < frame.size(); ++i) {
            if (secret[i] && !masked[i]) {
                Leak("a secret byte is shown", frame, i);
            }
        }
        const std::string shown = TracePayload(frame.data(), frame.size(), masked);
        for (const std::string& secret : m_shownSecrets) {
            if (shown.find(secret) != std::string::npos) {
                Leak("a trace line shows a secret's text", frame, 0);
            }
        }
    }
    void Frame(const Bytes& frame, bool fromPc) {
        Frame(frame, std::vector<bool>(frame.size(), false), fromPc);
    }
    // A block check or end frame whose checksum must be masked when `hadSecret`.
    void Check(const Bytes& frame, bool fromPc, bool hadSecret, size_t checksumAt) {
        const std::vector<bool> masked = m_masker.Mask(frame.data(), frame.size(), fromPc);
        for (size_t i = checksumAt; hadSecret && i < checksumAt + 8; ++i) {
            if (!masked[i]) {
                Leak("the checksum of secret text is shown", frame, i);
            }
        }
    }
    CTraceMasker& Masker() { return m_masker; }

  private:
    CTraceMasker m_masker;
    std::vector<std::string> m_shownSecrets;
};

Bytes Frame(uint8_t to, uint8_t from, uint8_t command, const std::string& payload) {
    return MakeFrame(to, from, command, payload.data(), payload.size());
}

// A frame the radio sends that is no part of the transfer. Never a block check: a radio that
// checks its block half-way has the rest read, by the link and the trace alike, as a new block.
Bytes StrayFrame(Draw& draw) {
    static const uint8_t kCommands[] = {kCmdControl, kCmdControl, kCmdInfoReply, kCmdWriteResult, 0x00, 0x42};
    std::string payload;
    for (uint32_t n = draw.Below(12); n > 0; --n) {
        payload += static_cast<char>(draw.Below(256) % 0xFC);  // never FE or FD inside
    }
    if (!payload.empty() && payload[0] == kSubBlockCheck) {
        payload[0] = kSubBitRate;
    }
    return Frame(kAddrPc, kAddrRadio, kCommands[draw.Below(6)], payload);
}

std::string CheckPayload(uint8_t sub, uint64_t length, uint32_t crc) {
    std::string p;
    if (sub) {
        p += static_cast<char>(sub);
    }
    return p + Hex8(static_cast<uint32_t>(length)) + Hex8(crc);
}

uint32_t PaddedCrc(const std::string& text) {
    static const uint8_t kZeros[kCloneFrameData] = {};
    const uint32_t crc = CloneCrc(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    return CloneCrc(kZeros, PaddedLength(text.size()) - text.size(), crc);
}

// The radio sends the text: a read, frames of any length, text ended early by a NUL.
void RadioSends(Draw& draw, const Scenario& s, Checker& check) {
    check.Frame(Frame(kAddrRadio, kAddrPc, kCmdReadRequest, kDeviceTypeId), true);
    const MarkedText& text = s.text;
    CCloneBlockReader assembled;  // what the link keeps of it
    std::string kept, open;
    size_t pos = 0;
    int refusals = 0;
    while (pos < text.bytes.size()) {
        const size_t blockStart = pos;
        bool blockSecret = false;
        std::string blockText;
        for (uint32_t frames = 1 + draw.Below(20); frames > 0 && pos < text.bytes.size(); --frames) {
            const size_t length = std::min<size_t>(1 + draw.Below(200), text.bytes.size() - pos);
            Bytes frame = {kFrameStart, kAddrPc, kAddrRadio, kCmdCloneData};
            std::vector<bool> secret(4, false);
            for (size_t i = pos; i < pos + length; ++i) {
                frame.push_back(static_cast<uint8_t>(text.bytes[i]));
                secret.push_back(text.secret[i]);
                blockSecret = blockSecret || text.secret[i];
            }
            blockText += text.bytes.substr(pos, length);
            pos += length;
            if (draw.Chance(2)) {
                // The text ends early: a NUL, then zero fill, the text still to come, or noise.
                frame.push_back(0);
                secret.push_back(false);
                const uint32_t kind = draw.Below(3);
                for (size_t n = draw.Below(40), i = pos; n > 0; --n, ++i) {
                    const bool copy = kind == 1 && i < text.bytes.size();
                    frame.push_back(kind == 0 ? 0 : copy ? text.bytes[i] : draw.Below(256) % 0xFC);
                    secret.push_back(copy && text.secret[i]);
                }
            }
            frame.push_back(kFrameEnd);
            secret.push_back(false);
            check.Frame(frame, secret, false);
            if (assembled.Take(frame.data(), frame.size()) == CCloneBlockReader::Step::Data) {
                open += assembled.Text();
            }
            if (draw.Below(16) == 0) {
                check.Frame(StrayFrame(draw), false);
            }
        }
        if (pos >= text.bytes.size() && draw.Chance(4)) {
            break;  // the last block goes without a check, straight to the end frame
        }
        const bool damaged = refusals < 6 && draw.Below(6) == 0;
        const Bytes blockCheck =
            Frame(kAddrPc, kAddrRadio, kCmdControl,
                  CheckPayload(kSubBlockCheck, PaddedLength(blockText.size()),
                               PaddedCrc(blockText) ^ (damaged ? 1 + draw.Below(0xFFFF) : 0)));
        check.Check(blockCheck, false, blockSecret, 4 + 1 + 8);
        const CCloneBlockReader::Step step = assembled.Take(blockCheck.data(), blockCheck.size());
        if ((step == CCloneBlockReader::Step::Accepted) == damaged) {
            std::fprintf(stderr, "trace mask fuzz: the block reader disagrees with the radio\n");
            std::abort();
        }
        if (!damaged) {
            kept += open;
        }
        open.clear();
        check.Frame(MakeAckFrame(kAddrRadio, kAddrPc, !damaged), true);
        if (damaged) {
            ++refusals;
            pos = blockStart;  // sent again, cut anew
        }
    }
    kept += open;
    if (kept != text.bytes) {
        std::fprintf(stderr, "trace mask fuzz: the text kept is not the text sent\n");
        std::abort();
    }
    bool anySecret = false;
    for (bool b : text.secret) {
        anySecret = anySecret || b;
    }
    check.Check(Frame(kAddrPc, kAddrRadio, kCmdCloneEnd,
                      CheckPayload(0, PaddedLength(text.bytes.size()), PaddedCrc(text.bytes))),
                false, anySecret, 4 + 8);
}

// The PC sends the text: a write, 160-byte frames, blocks sent again on any answer but the
// acknowledgement, as the link does.
void PcSends(Draw& draw, const Scenario& s, Checker& check) {
    check.Frame(Frame(kAddrRadio, kAddrPc, kCmdWriteRequest, kDeviceTypeId), true);
    const size_t padded = PaddedLength(s.text.bytes.size());
    std::string data = s.text.bytes;
    data.resize(padded, '\0');
    std::vector<bool> secretAt = s.text.secret;
    secretAt.resize(padded, false);
    const uint32_t framesPerBlock = 1 + draw.Below(20);
    size_t pos = 0, blockStart = 0;
    uint32_t k = 0;
    int refusals = 0;
    bool blockSecret = false, anySecret = false;
    while (pos < padded) {
        Bytes frame = MakeFrame(kAddrRadio, kAddrPc, kCmdCloneData, data.data() + pos, kCloneFrameData);
        std::vector<bool> secret(frame.size(), false);
        for (size_t i = 0; i < kCloneFrameData; ++i) {
            secret[4 + i] = secretAt[pos + i];
            blockSecret = blockSecret || secretAt[pos + i];
        }
        check.Frame(frame, secret, true);
        ++k;
        if (k < framesPerBlock && pos + kCloneFrameData != padded) {
            pos += kCloneFrameData;
            continue;
        }
        const size_t blockBytes = k * kCloneFrameData;
        check.Check(Frame(kAddrRadio, kAddrPc, kCmdControl,
                          CheckPayload(kSubBlockCheck, blockBytes,
                                       CloneCrc(reinterpret_cast<const uint8_t*>(data.data()) + blockStart,
                                                blockBytes))),
                    true, blockSecret, 4 + 1 + 8);
        // The radio's answer: the acknowledgement, a refusal, or something odd, with perhaps a
        // stray frame first. The link goes by the last control frame it takes.
        bool accepted = true;
        for (uint32_t answers = 1 + draw.Below(2); answers > 0; --answers) {
            Bytes answer;
            switch (draw.Below(5)) {
                case 0:
                    answer = MakeAckFrame(kAddrPc, kAddrRadio, false);
                    break;
                case 1:
                    answer =
                        Frame(kAddrPc, kAddrRadio, kCmdControl, std::string(1, '\x01'));  // FE EF EE E8 01 FD
                    break;
                case 2:
                    answer = StrayFrame(draw);
                    break;
                default:
                    answer = MakeAckFrame(kAddrPc, kAddrRadio, true);
                    break;
            }
            if (refusals >= 6) {
                answer = MakeAckFrame(kAddrPc, kAddrRadio, true);
            }
            check.Frame(answer, false);
            if (answer[3] == kCmdControl) {
                accepted = IsPositiveAck(answer);
            }
        }
        check.Masker().SentBlockAnswered(accepted);
        anySecret = anySecret || blockSecret;
        blockSecret = false;
        k = 0;
        if (accepted) {
            pos += kCloneFrameData;
            blockStart = pos;
        } else {
            ++refusals;
            pos = blockStart;
        }
    }
    check.Check(
        Frame(kAddrRadio, kAddrPc, kCmdCloneEnd,
              CheckPayload(0, padded, CloneCrc(reinterpret_cast<const uint8_t*>(data.data()), padded))),
        true, anySecret, 4 + 8);
}

// The radio answers an information request with the text in one frame.
void RadioInforms(Draw& draw, const Scenario& s, Checker& check) {
    check.Frame(Frame(kAddrRadio, kAddrPc, kCmdInfoRequest, kDeviceTypeId), true);
    Bytes frame = {kFrameStart, kAddrPc, kAddrRadio, kCmdInfoReply};
    std::vector<bool> secret(4, false);
    frame.insert(frame.end(), s.text.bytes.begin(), s.text.bytes.end());
    secret.insert(secret.end(), s.text.secret.begin(), s.text.secret.end());
    for (uint32_t n = draw.Chance(2) ? draw.Below(30) : 0; n > 0; --n) {
        frame.push_back(0);
        secret.push_back(false);
    }
    frame.push_back(kFrameEnd);
    secret.push_back(false);
    check.Frame(frame, secret, false);
}

}  // namespace

int FuzzTraceMask(const uint8_t* data, size_t size) {
    Draw draw(data, size);
    const uint32_t direction = draw.Below(3);
    Scenario s = DrawConfiguration(draw);
    ChangeDigits(draw, s.text);
    Checker check(s);
    switch (direction) {
        case 0:
            RadioSends(draw, s, check);
            break;
        case 1:
            PcSends(draw, s, check);
            break;
        default:
            RadioInforms(draw, s, check);
            break;
    }
    return 0;
}
