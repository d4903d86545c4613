#pragma once

#include <array>
#include <string>

/// The numbered fields of the results window, as data: the analysis writes every computed value
/// here as text, the thickness review and the position design read them back as numbers, the
/// report and the drawing exchange copy them, and the results window only displays them.
struct ResultsFields
{
    std::array<std::string, 66> Text_a{}; ///< Text_a(0) .. Text_a(65)
    std::array<std::string, 2> Text_hn{}; ///< Text_hn(0) = ht, Text_hn(1) = hna
    bool frame1Visible = false; ///< Frame1(0): the buried-tank frame (ht, hna)

    /// Every field empty again, as in a results window built afresh.
    void clear() { *this = ResultsFields{}; }
};
