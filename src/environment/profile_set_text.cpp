#include "environment/profile_set_text.h"

#include "common/ansi_text.h"

namespace setup {

std::string ExpandMessageReferences(const std::string& text, const MessageLookup& lookup,
                                    std::size_t limit) {
    std::string result = text;
    std::size_t from = 0;
    while (from < result.size()) {
        std::size_t open = result.find('@', from);
        if (open == std::string::npos) break;
        std::size_t close = result.find('@', open + 1);
        if (close == std::string::npos) break;
        std::string reference = result.substr(open, close - open + 1);
        std::string message;
        if (lookup(reference.substr(1, reference.size() - 2), message)) {
            if (!ReplaceAllBounded(result, reference, message, limit)) break;
        }
        // The position is counted in the replaced text and always moves forward, and the text
        // is bounded, so a message that names its own key cannot make this loop endless.
        from = close + 1;
    }
    return result;
}

std::vector<std::string> SectionCandidates(const std::string& base, const std::string& osDefine,
                                           const std::string& langAbbr, bool network, bool usbOnly) {
    std::vector<std::string> optionSuffixes;
    if (network && usbOnly) optionSuffixes.push_back(".NETWORK.USB");
    if (network) optionSuffixes.push_back(".NETWORK");
    if (usbOnly) optionSuffixes.push_back(".USB");
    optionSuffixes.push_back("");

    const std::string osParts[] = {"." + osDefine, ""};
    const std::string langParts[] = {"." + langAbbr, ""};
    std::vector<std::string> candidates;
    for (const std::string& os : osParts)
        for (const std::string& lang : langParts)
            for (const std::string& option : optionSuffixes) {
                std::string name = base + os + lang + option;
                text::UpperInPlace(name);
                candidates.push_back(std::move(name));
            }
    return candidates;
}

std::vector<std::string> SplitSectionListing(const std::string& listing) {
    std::vector<std::string> names;
    std::size_t pos = 0;
    while (pos < listing.size()) {
        std::size_t end = listing.find(' ', pos);
        if (end == std::string::npos) end = listing.size();
        if (end > pos) names.push_back(listing.substr(pos, end - pos));
        pos = end + 1;
    }
    return names;
}

bool ListingContains(const std::vector<std::string>& names, const std::string& name) {
    for (const std::string& listed : names)
        if (text::EqualsNoCase(listed, name)) return true;
    return false;
}

std::string FirstListedCandidate(const std::vector<std::string>& names,
                                 const std::vector<std::string>& candidates) {
    for (const std::string& candidate : candidates)
        if (ListingContains(names, candidate)) return candidate;
    return {};
}

}  // namespace setup
