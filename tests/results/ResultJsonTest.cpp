// A JSON result is judged as a result file is: a row of a suite's page holding a value that no run of
// the suite can give refuses the file; rows off the page, and kinds no page shows, are not judged.
#include <gtest/gtest.h>

#include <string>

#include "results/ResultJson.h"

using namespace results;

namespace {

bool Accepted(const std::string& kind, const std::string& label, const std::string& value)
{
    std::string error;
    const std::string json = R"({"kind": ")" + kind + R"(", "rows": [{"label": ")" + label +
                             R"(", "text": "", "unit": "", "value": )" + value + "}]}";
    const bool accepted = ParseResultJson(json, error).has_value();
    EXPECT_EQ(error.empty(), accepted) << error;
    return accepted;
}

}  // namespace

TEST(ResultJson, EachRowIsJudgedAsTheFieldItShows)
{
    EXPECT_TRUE(Accepted("cpu", "Addition", "617.25"));  // the best of repeated runs
    EXPECT_FALSE(Accepted("cpu", "Addition", "86400001"));  // over a day
    EXPECT_TRUE(Accepted("cpu", "Dhrystone benchmark", "1000000000"));  // a rating, not a time
    EXPECT_FALSE(Accepted("cpu", "Dhrystone benchmark", "1000000001"));
    EXPECT_TRUE(Accepted("cpu", "Total Benchmark Time", "1123200000"));  // thirteen kernels of a day
    EXPECT_FALSE(Accepted("cpu", "Total Benchmark Time", "1123200001"));
    EXPECT_FALSE(Accepted("cpu", "Addition", "null"));
    EXPECT_FALSE(Accepted("cpu", "Addition", "-1"));
    EXPECT_TRUE(Accepted("fpu", "Total Benchmark Time", "-4294967.296"));  // a tick count that wrapped
    EXPECT_FALSE(Accepted("fpu", "MWIPS", "-4294967.296"));
    EXPECT_FALSE(Accepted("fpu", "N3 if then else", "1e300"));
    EXPECT_TRUE(Accepted("cache", "2 Kb block", "null"));  // an infinite rate
    EXPECT_FALSE(Accepted("cache", "512 Kb block", "1e300"));
    EXPECT_TRUE(Accepted("cpu", "Extra row", "1e300"));
    EXPECT_TRUE(Accepted("other", "Addition", "-1"));
}
