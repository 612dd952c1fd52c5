#include "tester/provided_names.h"

#include "script/environment.h"
#include "tester/party_settings.h"

namespace tw {
namespace {

// Any companion may be put into a slot, so every companion's flags count, not only the
// default party's.
Environment ProvidedEnvironment() {
    Environment environment;
    SeedPartyDefaults(environment, PartySettings{});
    for (std::string_view companion : kPartyCompanions) {
        const std::string alive = AliveFlagName(companion);
        environment.SetDefault("W" + alive.substr(6), Value(true));
    }
    for (std::string_view drawn : {"$rand", "$PRnd", "$H"}) {
        environment.SetDefault(std::string(drawn), Value(""));
    }
    return environment;
}

}  // namespace

bool IsProvidedName(std::string_view name) {
    static const Environment provided = ProvidedEnvironment();
    return provided.IsDefined(name);
}

}  // namespace tw
