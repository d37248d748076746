#pragma once
// The name of a parameterised test from its case's `name`: letters and
// digits kept, anything else '_'. For INSTANTIATE_TEST_SUITE_P.
#include <cctype>
#include <string>

namespace testsupport {

struct CaseName {
    template <typename Info>
    std::string operator()(const Info& info) const {
        std::string name;
        for (const char* p = info.param.name; *p; ++p) {
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        }
        return name;
    }
};

}  // namespace testsupport
