// SPDX-License-Identifier: MIT
// The one rule by which text from outside is shown: in the log, the windows,
// the checker and its JSON alike.
#include "platform/Text.h"

#include <gtest/gtest.h>

namespace {

TEST(OutsideText, ShowsWhatCouldActOnAScreenOrATerminalEscaped) {
    const std::pair<std::string, std::string> rows[] = {
        {"HP LaserJet 1020 é 日本", "HP LaserJet 1020 é 日本"},
        // C0 (a terminal's escape, a line break), DEL, C1 (a terminal's CSI).
        {"a\x1b[2Jb\r\nc\x7f", "a\\x1b[2Jb\\x0d\\x0ac\\x7f"},
        {"\xc2\x9b"
         "1m",
         "\\x9b1m"},
        // Line and paragraph separators; bidirectional marks, embeddings,
        // overrides and isolates.
        {"a\u2028b\u2029", "a\\u2028b\\u2029"},
        {"\u200e\u200f\u061c\u202a\u202e\u2066\u2069",
         "\\u200e\\u200f\\u061c\\u202a\\u202e\\u2066\\u2069"},
        // Bytes that are no UTF-8 (a stray continuation, an overlong slash, a
        // surrogate, a cut sequence) each show themselves.
        {"\x80/\xc0\xaf\xed\xa0\x80\xe2\x80", "\\x80/\\xc0\\xaf\\xed\\xa0\\x80\\xe2\\x80"},
        // Neighbours of the escaped ranges stay.
        {"\u2027\u202f\u2065\u206a\u061b", "\u2027\u202f\u2065\u206a\u061b"},
    };
    for (const auto& [text, shown] : rows)
        EXPECT_EQ(platform::printable(text), shown);
    // A huge value is cut, whatever it holds.
    EXPECT_EQ(platform::printable(std::string(1 << 20, '\x1b')), [] {
        std::string shown;
        while (shown.size() < platform::MostShownBytes)
            shown += "\\x1b";
        return shown + "…";
    }());
}

} // namespace
