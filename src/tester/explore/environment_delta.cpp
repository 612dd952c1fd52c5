#include "tester/explore/environment_delta.h"

#include "base/byte_string.h"

namespace tw {
namespace {

// Where the next of two name-ordered walks stands: the first ahead, both alike, or the
// second ahead; an ended walk is behind every name.
template <typename A, typename B>
int Order(A a, A aEnd, B b, B bEnd, std::string_view aName, std::string_view bName) {
    if (a == aEnd) {
        return 1;
    }
    if (b == bEnd) {
        return -1;
    }
    return CompareNoCase(aName, bName);
}

void Put(Environment& environment, const std::string& name, const std::optional<Value>& value) {
    if (value) {
        environment.Set(name, *value);
    } else {
        environment.Erase(name);
    }
}

std::optional<Value> BaseValue(const Environment& base, const std::string& name) {
    return base.IsDefined(name) ? std::optional<Value>(base.Get(name)) : std::nullopt;
}

}  // namespace

EnvironmentDelta DeltaFrom(const Environment& base, const Environment& environment) {
    EnvironmentDelta delta;
    auto b = base.begin();
    auto e = environment.begin();
    while (b != base.end() || e != environment.end()) {
        const int order = Order(b, base.end(), e, environment.end(),
                                b != base.end() ? std::string_view(b->first) : "",
                                e != environment.end() ? std::string_view(e->first) : "");
        if (order < 0) {
            delta.push_back({b->first, std::nullopt});
            ++b;
        } else if (order > 0) {
            delta.push_back({e->first, e->second});
            ++e;
        } else {
            if (!(b->second == e->second)) {
                delta.push_back({e->first, e->second});
            }
            ++b;
            ++e;
        }
    }
    return delta;
}

void MoveEnvironment(Environment& environment, const Environment& base,
                     const EnvironmentDelta& from, const EnvironmentDelta& to) {
    auto f = from.begin();
    auto t = to.begin();
    while (f != from.end() || t != to.end()) {
        const int order =
            Order(f, from.end(), t, to.end(), f != from.end() ? std::string_view(f->name) : "",
                  t != to.end() ? std::string_view(t->name) : "");
        if (order < 0) {
            Put(environment, f->name, BaseValue(base, f->name));
            ++f;
        } else {
            if (order > 0 || f->value != t->value) {
                Put(environment, t->name, t->value);
            }
            f += order == 0 ? 1 : 0;
            ++t;
        }
    }
}

}  // namespace tw
