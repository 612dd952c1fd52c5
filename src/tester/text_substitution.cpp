#include "tester/text_substitution.h"

#include <algorithm>
#include <array>

#include "model/text/text_variables.h"
#include "base/byte_string.h"
#include "script/environment.h"
#include "tester/party_settings.h"
#include "tester/random_source.h"

namespace tw {
namespace {

// Only an integer "$randmax" sets the range; any other kind counts as 0.
std::int32_t RandomMaximum(const Environment& environment) {
    const Value max = environment.Get("$randmax");
    return max.GetType() == ValueType::Integer ? max.GetInteger() : 0;
}

}  // namespace

TextSubstitution::TextSubstitution(Environment& environment, const PartySettings& party,
                                   RandomSource& random, WarningSink warn)
    : environment_(environment), party_(party), random_(random), warn_(std::move(warn)) {}

// A reference is '$' followed by at least one letter, digit or '_'; everything else,
// a lone '$' included, is copied as it stands.
std::string TextSubstitution::SubstituteVariables(std::string_view text) {
    std::string out;
    std::size_t last = 0;
    while (const auto name = NextTextVariable(text, last)) {
        out.append(text.substr(last, name->start - last));
        out += Replacement(text.substr(name->start, name->length));
        last = name->start + name->length;
    }
    out.append(text.substr(last));
    return out;
}

std::string TextSubstitution::Replacement(std::string_view name) {
    if (EqualsNoCase(name, "$prnd")) {
        return RandomCompanionReplacement();
    }
    if (EqualsNoCase(name, "$rand")) {
        RefreshRandomValues();
        return environment_.Get(name).ToString();
    }
    if (!environment_.IsDefined(name)) {
        warn_("WARNING: Unbound variable " + std::string(name) +
              " in node text.  Replaced with empty string.");
        return {};
    }
    return environment_.Get(name).ToString();
}

std::string TextSubstitution::RandomCompanionReplacement() {
    if (PartySize() < 2) {
        warn_("WARNING: $PRnd variable used with a party size of 1");
        environment_.Set("$PRnd", Value(""));
        environment_.Set("$H", Value(""));
        return {};
    }
    std::string member = RandomPartyMember();
    environment_.Set("$PRnd", Value(member));
    environment_.Set("$H", Value(PronounFor(member)));
    return member;
}

void TextSubstitution::RefreshRandomValues() {
    const std::int32_t max = RandomMaximum(environment_);
    const std::int32_t r = max >= 1 ? random_.Next() % max + 1 : 0;
    environment_.Set("$rand", Value(r));
    if (PartySize() >= 2) {
        std::string member = RandomPartyMember();
        environment_.Set("$PRnd", Value(member));
        environment_.Set("$H", Value(PronounFor(member)));
    }
}

std::string TextSubstitution::RandomPartyMember() {
    const int size = PartySize();
    if (size < 2) {
        return {};
    }
    const int r = random_.Next();
    return party_.GetMemberName(static_cast<std::size_t>(r % (size - 1) + 1));
}

// The settings may hold any size until the dialog or the read-back clamps it.
int TextSubstitution::PartySize() const {
    return std::clamp(party_.partySize, 1, static_cast<int>(PartySettings::kSlotCount));
}

std::string PronounFor(std::string_view name) {
    constexpr std::array<std::string_view, 4> kWomen{"Aveline", "Miren", "Tamsin", "Rhosyn"};
    const bool isWoman = std::any_of(kWomen.begin(), kWomen.end(), [name](std::string_view woman) {
        return EqualsNoCase(woman, name);
    });
    return isWoman ? "her" : "his";
}

}  // namespace tw
