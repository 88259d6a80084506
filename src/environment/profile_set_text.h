#pragma once
// The text stages of a profile set that need no profile: *@KEY@* message references and the
// section-variant search. Platform-free.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "environment/macro_expansion.h"

namespace setup {

// Looks a message key up in MESSAGES of the message profile; false when absent.
using MessageLookup = std::function<bool(const std::string& key, std::string& message)>;

// Expands *@KEY@* references: each found reference is replaced everywhere in the text, and the
// search goes on after the reference's closing "@" counted in the replaced text (so a message
// may itself hold a reference that is picked up). Unknown keys stay with their "@" signs. The
// text never grows beyond `limit` bytes: a replacement that would not fit ends the expansion.
std::string ExpandMessageReferences(const std::string& text, const MessageLookup& lookup,
                                    std::size_t limit = kValueBufferBytes - 1);

// Candidate names of the suffix search, most specific first: base, OS define, language
// abbreviation and the product options, joined by "." and upper-cased. An empty OS define
// still takes its place ("B..EN"), so only sections with an empty OS part match it.
std::vector<std::string> SectionCandidates(const std::string& base, const std::string& osDefine,
                                           const std::string& langAbbr, bool network, bool usbOnly);

// Section names as listed by a profile: separated by blanks (a name with a blank cannot match).
std::vector<std::string> SplitSectionListing(const std::string& listing);
bool ListingContains(const std::vector<std::string>& names, const std::string& name);
// The first candidate that is listed; empty when none is.
std::string FirstListedCandidate(const std::vector<std::string>& names,
                                 const std::vector<std::string>& candidates);

}  // namespace setup
