#pragma once
// The text lookup: every text the game shows passes through lookup(), which
// takes the English text and returns it in the user's language.

#include "framework/text.h"

#include <optional>

namespace text {

// The "Localizable" table: keys are English texts with "*" for line breaks
// and without a final "…", "." or ":".
class Catalogue {
public:
    virtual ~Catalogue() = default;
    // The entry for a key; nothing when the table has none.
    virtual std::optional<fw::Text> find(const fw::Text& key) const = 0;
};

fw::Text lookup(const fw::Text& text);
fw::Text lookup(const fw::Text& text, const Catalogue& table);

// The key a text is looked up under.
fw::Text lookupKey(const fw::Text& text);

// Replaces the table (tests); nullptr restores the catalogue of the user's
// language.
void setCatalogue(const Catalogue* table);

}  // namespace text
