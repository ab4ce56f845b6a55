// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resources/Strings.h"
#include "resources/Version.h"

namespace {

TEST(Version, RequestedOnlyBeforeTheEndOfOptions) {
    struct Case {
        std::vector<const char*> args;  // after the program's name
        bool requested;
    } cases[] = {
        {{}, false},
        {{"--version"}, true},
        {{"-v"}, true},
        {{"lake.fnm", "--version"}, true},
        {{"--default-file", "x.fnm", "-v"}, true},
        {{"--", "--version"}, false},  // a file named --version
        {{"--versions"}, false},
        {{"-version"}, false},
        {{"--help"}, false},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv{"program"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        std::string shown;
        for (const char* a : c.args) shown += std::string(a) + " ";
        EXPECT_EQ(version::Requested(static_cast<int>(argv.size()), argv.data()), c.requested)
            << shown;
    }
}

TEST(Version, TextNamesProgramReleaseAndLicence) {
    const std::string text = version::Text("Mapwright");
    EXPECT_EQ(text.substr(0, text.find('\n')), std::string("Mapwright ") + version::Number);
    EXPECT_EQ(text.substr(text.find('\n') + 1), std::string(str::LicenceNotice) + "\n");
    EXPECT_NE(text.find(version::Licence), std::string::npos);
    // A release number of three parts, as the package and AppStream data use.
    const std::string number = version::Number;
    EXPECT_EQ(std::count(number.begin(), number.end(), '.'), 2) << number;
}

}  // namespace
