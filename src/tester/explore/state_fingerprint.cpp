#include "tester/explore/state_fingerprint.h"

#include <cstring>
#include <string_view>

#include "base/byte_string.h"

namespace tw {
namespace {

constexpr std::uint64_t Rotate(std::uint64_t x, int bits) {
    return (x << bits) | (x >> (64 - bits));
}

// MurmurHash3's finaliser: every input bit moves every output bit.
constexpr std::uint64_t Finish(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xFF51AFD7ED558CCDull;
    x ^= x >> 33;
    x *= 0xC4CEB9FE1A85EC53ull;
    return x ^ (x >> 33);
}

// Two lanes with different multipliers, fed the same words.
class Hasher {
public:
    void Word(std::uint64_t w) {
        a_ = Rotate((a_ ^ w) * 0x9E3779B97F4A7C15ull, 27) * 5 + 0x52DCE729;
        b_ = Rotate((b_ + w) * 0xC2B2AE3D27D4EB4Full, 31) ^ (a_ >> 17);
        ++count_;
    }
    void Pointer(const void* p) { Word(reinterpret_cast<std::uintptr_t>(p)); }
    void Bytes(std::string_view text, bool foldCase = false) {
        Word(text.size());
        for (std::size_t at = 0; at < text.size(); at += 8) {
            char chunk[8] = {};
            const std::size_t n = std::min<std::size_t>(8, text.size() - at);
            std::memcpy(chunk, text.data() + at, n);
            for (std::size_t i = 0; foldCase && i < n; ++i) {
                chunk[i] = ToLowerAscii(chunk[i]);
            }
            std::uint64_t w = 0;
            std::memcpy(&w, chunk, 8);
            Word(w);
        }
    }
    void Offer(const OfferedResponse& offer) {
        Bytes(offer.tag);
        Bytes(offer.playerText);
        Bytes(offer.gotoNode);
        Pointer(offer.source);  // which response made it counts for the coverage
    }
    void Offers(const std::vector<OfferedResponse>& offers) {
        Word(offers.size());
        for (const OfferedResponse& offer : offers) {
            Offer(offer);
        }
    }
    void Val(const Value& value) {
        Word(static_cast<std::uint64_t>(static_cast<int>(value.GetType())));
        switch (value.GetType()) {
            case ValueType::Real: {
                std::uint64_t bits = 0;
                const double real = value.GetReal();
                std::memcpy(&bits, &real, sizeof bits);
                Word(bits);
                break;
            }
            case ValueType::Integer:
                Word(static_cast<std::uint32_t>(value.GetInteger()));
                break;
            case ValueType::Boolean:
                Word(value.GetBoolean() ? 1 : 0);
                break;
            case ValueType::String:
                Bytes(value.GetString());
                break;
            case ValueType::Invalid:
                break;
        }
    }
    StateFingerprint Done() const { return {Finish(a_ ^ count_), Finish(b_ + Rotate(a_, 13))}; }

private:
    std::uint64_t a_ = 0x243F6A8885A308D3ull;
    std::uint64_t b_ = 0x13198A2E03707344ull;
    std::uint64_t count_ = 0;
};

void AddRunState(Hasher& h, const RunState& run) {
    h.Pointer(run.node);
    h.Offers(run.shownResponses);
    h.Word(run.rows.size());
    h.Word((run.gotoPending ? 1u : 0u) | (run.branchArmed ? 2u : 0u) | (run.listStarted ? 4u : 0u) |
           (run.listActive ? 8u : 0u) | (run.awaitingReply ? 16u : 0u));
    // Fields the engine reads only in the mode that set them; stale ones would tell apart
    // moments that play on alike.
    if (run.gotoPending) {
        h.Pointer(run.gotoNode);
    }
    if (run.branchArmed) {
        h.Pointer(run.branchNodes[0]);
        h.Pointer(run.branchNodes[1]);
    }
    if (run.listActive) {
        h.Pointer(run.listExitNode);
        h.Offers(run.savedResponses);
    }
    if (run.awaitingReply) {
        h.Bytes(run.replyVariable, true);
        h.Pointer(run.replyCommand);
        h.Word(run.nodeTextEmpty ? 1 : 0);
    }
}

}  // namespace

bool IsRandomDraw(std::string_view name) {
    return EqualsNoCase(name, "$rand") || EqualsNoCase(name, "$PRnd") || EqualsNoCase(name, "$H");
}

StateFingerprint FingerprintOf(const RunState& run, const EnvironmentDelta& environment,
                               bool ended) {
    Hasher h;
    AddRunState(h, run);
    h.Word(ended ? 1 : 0);
    for (const EnvironmentDifference& entry : environment) {
        if (IsRandomDraw(entry.name)) {
            continue;
        }
        h.Bytes(entry.name, true);
        h.Word(entry.value.has_value() ? 1 : 0);
        if (entry.value) {
            h.Val(*entry.value);
        }
    }
    return h.Done();
}

}  // namespace tw
