// Every folder under tests/e2e/cases that needs no setup beyond its files.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2erun.h"

namespace {

std::vector<std::string> plaincases() {
    std::vector<std::string> names;
    for (const auto& entry : e2e::fs::directory_iterator(E2E_CASES)) {
        if (!e2e::fs::exists(entry.path() / "needs-setup")) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct CaseFolder : ::testing::TestWithParam<std::string> {};

TEST_P(CaseFolder, RunMatchesExpectedFiles) {
    e2e::runandcompare(e2e::prepare(GetParam()), GetParam());
}

std::string testname(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, CaseFolder, ::testing::ValuesIn(plaincases()), testname);

}  // namespace
