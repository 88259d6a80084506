#include "environment/profile_set_text.h"

#include <gtest/gtest.h>

#include <map>

namespace {

setup::MessageLookup Messages(const std::map<std::string, std::string>& messages) {
    return [messages](const std::string& key, std::string& message) {
        auto it = messages.find(key);
        if (it == messages.end()) return false;
        message = it->second;
        return true;
    };
}

struct MessageCase {
    const char* text;
    const char* expected;
};

TEST(MessageReferences, ExpandsKnownKeysAndKeepsTheRest) {
    auto lookup = Messages({{"MSG_WELCOME", "Welcome"}, {"A", "x"}, {"NEST", "@A@!"}, {"EMPTY", ""}});
    const MessageCase cases[] = {
        {"@MSG_WELCOME@ $VERSION$", "Welcome $VERSION$"},
        {"mail@example", "mail@example"},
        {"@UNKNOWN@ and @A@", "@UNKNOWN@ and x"},
        {"@A@@A@", "xx"},
        {"@A@ @A@ @A@", "x x x"},
        {"@EMPTY@z", "z"},
        {"", ""},
        {"@@", "@@"},
    };
    for (const MessageCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(setup::ExpandMessageReferences(c.text, lookup), c.expected);
    }
}

TEST(MessageReferences, SearchResumesAfterTheClosingSignInTheReplacedText) {
    // "@NEST@ tail": NEST becomes "@A@!"; the search resumes at offset 6 of "@A@! tail",
    // past the inserted reference, which therefore stays.
    auto lookup = Messages({{"NEST", "@A@!"}, {"A", "x"}});
    EXPECT_EQ(setup::ExpandMessageReferences("@NEST@ tail", lookup), "@A@! tail");
    // A long message moves the inserted reference under the resume point: it is expanded.
    auto longer = Messages({{"N", "0123456@A@"}, {"A", "x"}});
    EXPECT_EQ(setup::ExpandMessageReferences("@N@", longer), "0123456x");
}

TEST(MessageReferences, SelfReferenceEndsWithinTheLimit) {
    auto lookup = Messages({{"LOOP", "@LOOP@@LOOP@"}});
    std::string result = setup::ExpandMessageReferences("@LOOP@", lookup, 1000);
    EXPECT_LE(result.size(), 1000u);
    std::string big = setup::ExpandMessageReferences("@LOOP@", lookup);
    EXPECT_LE(big.size(), setup::kValueBufferBytes - 1);
}

TEST(SectionCandidates, OrderForEachOptionCombination) {
    using V = std::vector<std::string>;
    EXPECT_EQ(setup::SectionCandidates("option", "xp", "en", false, false),
              (V{"OPTION.XP.EN", "OPTION.XP", "OPTION.EN", "OPTION"}));
    EXPECT_EQ(setup::SectionCandidates("B", "O", "L", true, false),
              (V{"B.O.L.NETWORK", "B.O.L", "B.O.NETWORK", "B.O", "B.L.NETWORK", "B.L", "B.NETWORK", "B"}));
    EXPECT_EQ(setup::SectionCandidates("B", "O", "L", false, true),
              (V{"B.O.L.USB", "B.O.L", "B.O.USB", "B.O", "B.L.USB", "B.L", "B.USB", "B"}));
    EXPECT_EQ(setup::SectionCandidates("B", "O", "L", true, true),
              (V{"B.O.L.NETWORK.USB", "B.O.L.NETWORK", "B.O.L.USB", "B.O.L", "B.O.NETWORK.USB",
                 "B.O.NETWORK", "B.O.USB", "B.O", "B.L.NETWORK.USB", "B.L.NETWORK", "B.L.USB", "B.L",
                 "B.NETWORK.USB", "B.NETWORK", "B.USB", "B"}));
    // Without an OS define only sections whose OS part is empty can match the OS variants.
    EXPECT_EQ(setup::SectionCandidates("B", "", "EN", false, false), (V{"B..EN", "B.", "B.EN", "B"}));
}

struct FindCase {
    const char* listing;
    bool network;
    const char* expected;
};

TEST(SectionCandidates, FirstListedVariantWins) {
    const FindCase cases[] = {
        {"DIALOGS DIALOGS.EN DIALOGS.XP ", false, "DIALOGS.XP"},
        {"option OPTION.network ", true, "OPTION.NETWORK"},
        {"OPTION OPTION.NETWORK OPTION.EN ", true, "OPTION.EN"},
        {"Option.Xp.En option ", false, "OPTION.XP.EN"},
        {"OTHER ", false, ""},
        {"", false, ""},
    };
    for (const FindCase& c : cases) {
        SCOPED_TRACE(c.listing);
        std::string base = std::string(c.listing).find("DIALOGS") == 0 ? "DIALOGS" : "OPTION";
        auto names = setup::SplitSectionListing(c.listing);
        EXPECT_EQ(setup::FirstListedCandidate(names, setup::SectionCandidates(base, "XP", "EN", c.network, false)),
                  c.expected);
    }
}

TEST(SectionCandidates, ListingIsSplitAtBlanks) {
    auto names = setup::SplitSectionListing("A  B.C   D ");
    EXPECT_EQ(names, (std::vector<std::string>{"A", "B.C", "D"}));
    EXPECT_TRUE(setup::ListingContains(names, "b.c"));
    // A name with a blank was split in the listing: it cannot be found.
    EXPECT_FALSE(setup::ListingContains(setup::SplitSectionListing("MY SECTION "), "MY SECTION"));
}

}  // namespace
