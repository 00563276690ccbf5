#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/registry_text.h"
#include "fakes.h"

namespace quillet {
namespace {

using testing::FakeRegValue;
using V = FakeRegValue::Version;

TEST(ReadRegistryText, ReadsWholeValuesAndOnlyTheirBytes) {
    const std::string z(1, '\0');
    struct Row {
        const char* name;
        std::vector<V> versions;
        std::string text;
        int calls;
    };
    const Row rows[] = {
        {"stored with its zero", {{"C:\\D3\\Lib" + z}}, "C:\\D3\\Lib", 2},
        {"stored without a zero", {{"C:\\D3\\Lib"}}, "C:\\D3\\Lib", 2},
        {"cut at the first zero", {{"ab" + z + "cd"}}, "ab", 2},
        {"longer than 255", {{std::string(1000, 'x')}}, std::string(1000, 'x'), 2},
        {"not a string", {{"ab", false}}, "", 1},
        {"missing", {{"", true, true}}, "", 1},
        {"size overstated, as the ANSI call may", {{"ab", true, false, 80}}, "ab", 2},
        {"grew between the size query and the read", {{"ab"}, {"abcdefgh"}}, "abcdefgh", 3},
        {"turned into a number", {{"ab"}, {"abcd", false}}, "", 3},
        {"keeps growing", {{"a"}, {std::string(20, 'a')}, {std::string(60, 'a')},
                           {std::string(140, 'a')}, {std::string(300, 'a')},
                           {std::string(620, 'a')}, {std::string(1300, 'a')},
                           {std::string(2700, 'a')}, {std::string(5500, 'a')}},
         "", 9},
        {"claims gigabytes", {{"ab", true, false, 0xFFFFFFFFu}}, "", 1},
    };
    for (const Row& row : rows) {
        FakeRegValue value;
        value.versions = row.versions;
        EXPECT_EQ(ReadRegistryText(value.Query()), row.text) << row.name;
        EXPECT_EQ(value.calls, row.calls) << row.name;
    }
}

TEST(ReadRegistryBytes, KeepsEveryByteOfAValueOfAnyType) {
    const std::string bytes("ab\0cd", 5);
    for (const bool isText : {false, true}) {
        FakeRegValue value;
        value.versions = {{bytes, isText}};
        const std::vector<std::uint8_t> read = ReadRegistryBytes(value.Query());
        EXPECT_EQ(std::string(read.begin(), read.end()), bytes) << isText;
    }
    FakeRegValue missing;
    missing.versions = {{"", true, true}};
    EXPECT_TRUE(ReadRegistryBytes(missing.Query()).empty());
}

}  // namespace
}  // namespace quillet
